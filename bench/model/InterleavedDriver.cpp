// The program of bench/model/interleaved.sh: alternates the two builds of the model, run after
// run, and prints the quartiles of each and the ratio of the medians.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

double RunBase(const char* path, int what);
double RunWork(const char* path, int what);

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FILE read|run [RUNS]\n", argv[0]);
        return 2;
    }
    const int what = std::strcmp(argv[2], "run") == 0 ? 1 : 0;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 40;
    std::vector<double> base;
    std::vector<double> work;
    for (int run = 0; run < runs; ++run) {
        base.push_back(RunBase(argv[1], what));
        work.push_back(RunWork(argv[1], what));
    }
    std::sort(base.begin(), base.end());
    std::sort(work.begin(), work.end());
    const auto quartile = [](const std::vector<double>& times, int q) { return times[times.size() * q / 4]; };
    std::printf("%s, ms     minimum  1st quartile   median\n", argv[2]);
    std::printf("base        %8.2f  %12.2f  %7.2f\n", base[0], quartile(base, 1), quartile(base, 2));
    std::printf("work tree   %8.2f  %12.2f  %7.2f\n", work[0], quartile(work, 1), quartile(work, 2));
    std::printf("work tree / base, medians: %.3f\n", quartile(work, 2) / quartile(base, 2));
}
