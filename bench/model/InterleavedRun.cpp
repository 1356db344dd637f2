// One side of bench/model/interleaved.sh: reads or computes with the model build it is compiled
// into. Compiled twice, the second time with the model's namespaces renamed, so that both builds
// live in one program.
#include "model/ClimateFile.h"
#include "model/MouldIndex.h"

#include <chrono>

#ifndef INTERLEAVED_SIDE
#error "INTERLEAVED_SIDE names the function of this side"
#endif

namespace {
mouldview::model::TModelState* state = nullptr;
}

// Milliseconds of one reading of the file (what == 0) or of one computation of its index.
double INTERLEAVED_SIDE(const char* path, int what) {
    using namespace mouldview::model;
    if (state == nullptr) {
        state = new TModelState;
        ReadClimateFile(*state, path, '.');
    }
    if (what != 0) {
        // The computation expects zeroed period arrays.
        for (TArrayGroup* group : {&state->PeriodRH, &state->PeriodTemp, &state->RHResponse,
                                   &state->TempResponse, &state->PeriodDose, &state->MouldIndex}) {
            const std::size_t length = (*group)[1].Length();
            (*group)[1].SetLength(0);
            (*group)[1].SetLength(length);
        }
    }
    const auto start = std::chrono::steady_clock::now();
    if (what == 0) {
        ReadClimateFile(*state, path, '.');
    } else {
        ComputeMouldIndex(*state);
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
