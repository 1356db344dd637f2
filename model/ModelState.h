// The model state: process-wide counts and arrays that the model run fills and the result window
// reads once. Six period array groups of 20 dataset slots each; only slot 1 ever holds data. In
// every array element 0 exists and carries no data; data begins at element 1. The hourly values
// of the climate file are not kept: the reader adds each line straight into its period's sums.
#pragma once

#include "model/StartDate.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mouldview::model {

inline constexpr int DatasetSlots = 20;
// The slot that holds the data: there is always one dataset.
inline constexpr int DataSlot = 1;

// One array group: slots numbered 1 to DatasetSlots.
class TArrayGroup {
public:
    std::vector<float>& operator[](int slot) { return m_slots[static_cast<std::size_t>(slot - 1)]; }
    const std::vector<float>& operator[](int slot) const {
        return m_slots[static_cast<std::size_t>(slot - 1)];
    }
    void Release() { m_slots = {}; }

private:
    std::array<std::vector<float>, DatasetSlots> m_slots;
};

// The state record. Its fields keep the model's own names, as the model run and the window share
// them; it is written only by the model run.
struct TModelState {
    std::int32_t DatasetCount = 0;   // always 1 once loading has begun
    std::int32_t LineCount = 0;      // lines read from the climate file
    std::int32_t PeriodCapacity = 0; // LineCount / 12, rounded to nearest, ties to even
    std::int32_t PeriodCount = 0;    // completed 12-hour periods plus 1
    std::string ClimateFileName;
    // The moment of the climate file's first line, when the control file gave one
    // (startofcalculation); it turns period numbers into dates for the reader of the results.
    std::optional<TStartMoment> StartOfCalculation;

    TArrayGroup PeriodRH;     // mean humidity of a period, percent (its 12-hour sum until computed)
    TArrayGroup PeriodTemp;   // mean temperature of a period (its 12-hour sum until computed)
    TArrayGroup RHResponse;   // humidity response of the dose-response model
    TArrayGroup TempResponse; // temperature response
    TArrayGroup PeriodDose;   // dose of a period
    TArrayGroup MouldIndex;   // mould index after a period, 0 to 6

    // Empties every slot of every group and clears the file name: the finalisation at exit.
    void Release();
};

// The process-wide instance the program runs on.
TModelState& Model();

} // namespace mouldview::model
