/* The floor of the side-by-side benchmark: the work every single-threaded model run of a climate
 * file has to do besides parsing and computing. It reads the file as mouldexport does (read(2) into
 * a 128 KiB buffer), grows the two hourly arrays by one float per line and sizes the six period
 * arrays to a twelfth of the lines, making their pages present ahead of the writes 256 KiB at a
 * time as mouldexport does, and gives all of it back at the end. What mouldexport takes beyond
 * this program's time is its parsing and its index computation. */
#define _GNU_SOURCE
#include <emmintrin.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

enum { BufferBytes = 128 << 10, PresentAtOnce = 256 << 10 };

/* An array in an anonymous mapping reserved for its largest possible length, made present ahead of
 * the writes. */
struct array {
    char* data;
    size_t reserved;
    size_t present;
};

static int reserve(struct array* array, size_t bytes) {
    array->reserved = bytes > 0 ? bytes : 1;
    array->present = 0;
    array->data = mmap(NULL, array->reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return array->data == MAP_FAILED ? -1 : 0;
}

static void make_present(struct array* array, size_t bytes) {
    while (array->present < bytes && array->present < array->reserved) {
        size_t end = array->present + PresentAtOnce;
        if (end > array->reserved) {
            end = array->reserved;
        }
        /* On kernels without this advice the writes fault the pages in. */
        madvise(array->data + array->present, end - array->present, MADV_POPULATE_WRITE);
        array->present = end;
    }
}

/* The LFs in bytes, counted 16 bytes at a time as `wc -l` counts them: per-byte counters that are
 * summed up before they can overflow. */
static size_t count_line_ends(const char* bytes, size_t length) {
    const __m128i line_feed = _mm_set1_epi8('\n');
    size_t total = 0;
    size_t i = 0;
    while (length - i >= 16) {
        __m128i counters = _mm_setzero_si128();
        for (int round = 0; round < 255 && length - i >= 16; ++round, i += 16) {
            const __m128i block = _mm_loadu_si128((const __m128i*)(bytes + i));
            counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(block, line_feed));
        }
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        total += (size_t)_mm_cvtsi128_si64(sums) + (size_t)_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums));
    }
    for (; i < length; ++i) {
        total += bytes[i] == '\n';
    }
    return total;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s CLIMATE_FILE\n", argv[0]);
        return 2;
    }
    int file = open(argv[1], O_RDONLY);
    struct stat status;
    if (file < 0 || fstat(file, &status) != 0) {
        perror(argv[1]);
        return 1;
    }
    /* A line holds at least one byte, its LF; the last one may lack it. */
    const size_t most_lines = (size_t)status.st_size + 2;
    struct array temperatures, humidities;
    char* buffer = malloc(BufferBytes);
    if (buffer == NULL || reserve(&temperatures, most_lines * sizeof(float)) != 0 ||
        reserve(&humidities, most_lines * sizeof(float)) != 0) {
        fprintf(stderr, "out of memory\n");
        return 1;
    }
    size_t lines = 0;
    ssize_t count;
    while ((count = read(file, buffer, BufferBytes)) != 0) {
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            perror(argv[1]);
            return 1;
        }
        /* One value per line into each hourly array, as many as the buffer has line ends. */
        const size_t buffer_lines = count_line_ends(buffer, (size_t)count);
        make_present(&temperatures, (lines + buffer_lines + 1) * sizeof(float));
        make_present(&humidities, (lines + buffer_lines + 1) * sizeof(float));
        float* const t = (float*)temperatures.data;
        float* const h = (float*)humidities.data;
        for (size_t i = 0; i < buffer_lines; ++i) {
            ++lines;
            t[lines] = (float)lines;
            h[lines] = (float)i;
        }
    }
    close(file);

    /* The six period arrays exist beside the hourly ones until the end, as the model's do. */
    const size_t period_bytes = (lines / 12 + 2) * sizeof(float);
    struct array periods[6];
    double check = 0.0;
    for (int group = 0; group < 6; ++group) {
        if (reserve(&periods[group], period_bytes) != 0) {
            fprintf(stderr, "out of memory\n");
            return 1;
        }
        make_present(&periods[group], period_bytes);
        memset(periods[group].data, group + 1, period_bytes);
        check += periods[group].data[period_bytes / 2];
    }
    for (int group = 0; group < 6; ++group) {
        munmap(periods[group].data, periods[group].reserved);
    }
    check += ((const float*)temperatures.data)[lines] + ((const float*)humidities.data)[lines];
    munmap(temperatures.data, temperatures.reserved);
    munmap(humidities.data, humidities.reserved);
    free(buffer);
    printf("%zu lines (%.0f)\n", lines, check);
    return 0;
}
