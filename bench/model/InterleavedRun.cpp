// One side of bench/model/interleaved.sh: reads, or reads and computes, with the model build it is
// compiled into. Compiled twice, the second time with the model's namespaces renamed, so that both
// builds live in one program.
#include "model/ClimateFile.h"
#include "model/MouldIndex.h"

#include <chrono>
#include <memory>

#ifndef INTERLEAVED_SIDE
#error "INTERLEAVED_SIDE names the function of this side"
#endif

// Milliseconds of one reading of the file (what == 0) or of one whole model run, reading and
// computing (what == 1), each on a fresh model state that is released at the end, as in a run
// of the program.
double INTERLEAVED_SIDE(const char* path, int what) {
    using namespace mouldview::model;
    const auto start = std::chrono::steady_clock::now();
    {
        const auto state = std::make_unique<TModelState>();
        ReadClimateFile(*state, path, '.');
        if (what != 0) {
            ComputeMouldIndex(*state);
        }
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
