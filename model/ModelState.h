// The model state: process-wide counts and arrays that the model run fills and the result window
// reads once. Eight array groups of 20 dataset slots each; only slot 1 ever holds data. In every
// array element 0 exists and carries no data; data begins at element 1.
#pragma once

#include "model/FloatArray.h"

#include <array>
#include <cstdint>
#include <string>

namespace mouldview::model {

inline constexpr int DatasetSlots = 20;

// One array group: slots numbered 1 to DatasetSlots.
class TArrayGroup {
public:
    TFloatArray& operator[](int slot) { return m_slots[static_cast<std::size_t>(slot - 1)]; }
    const TFloatArray& operator[](int slot) const { return m_slots[static_cast<std::size_t>(slot - 1)]; }
    void Release() {
        for (TFloatArray& slot : m_slots) {
            slot.Release();
        }
    }

private:
    std::array<TFloatArray, DatasetSlots> m_slots;
};

// The state record. Its fields keep the model's own names, as the model run and the window share
// them; it is written only by the model run.
struct TModelState {
    std::int32_t DatasetCount = 0;   // always 1 once loading has begun
    std::int32_t LineCount = 0;      // lines read from the climate file
    std::int32_t PeriodCapacity = 0; // LineCount / 12, rounded to nearest, ties to even
    std::int32_t PeriodCount = 0;    // completed 12-hour periods plus 1
    std::string ClimateFileName;

    TArrayGroup HourlyTemp;   // degrees Celsius per climate line
    TArrayGroup HourlyRH;     // relative humidity per climate line, 1.0 = 100 %
    TArrayGroup PeriodRH;     // mean humidity of a period, percent
    TArrayGroup PeriodTemp;   // mean temperature of a period
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
