/* The naive reference reader of the side-by-side benchmark: fgets each line, strtod its fields 2
 * and 3 (tab-separated), and add them up so that nothing is optimised away. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s CLIMATE_FILE\n", argv[0]);
        return 2;
    }
    FILE* file = fopen(argv[1], "r");
    if (file == NULL) {
        perror(argv[1]);
        return 1;
    }
    char line[4096];
    double sumTemp = 0.0;
    double sumRH = 0.0;
    long lines = 0;
    while (fgets(line, sizeof line, file) != NULL) {
        char* field = strchr(line, '\t');
        if (field == NULL) {
            continue;
        }
        char* end = NULL;
        sumTemp += strtod(field + 1, &end);
        sumRH += strtod(end + 1, NULL);
        ++lines;
    }
    fclose(file);
    printf("%ld lines, mean temperature %.3f, mean humidity %.4f\n", lines, sumTemp / (double)lines,
           sumRH / (double)lines);
    return 0;
}
