// Temporary files and small climate series for the model tests.
#pragma once

#include "model/ModelState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mouldview::model::testing {

// A fresh empty directory for one test, removed with its files when the object goes.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    const std::string& Path() const { return m_path; }
    // Writes a file into the directory and returns its path.
    std::string Write(const std::string& name, const std::string& content) const;
    bool Exists(const std::string& name) const;

private:
    std::string m_path;
};

// count lines "x<TAB>temperature<TAB>humidity<TAB>" with the given texts.
std::string ConstantClimate(int count, const std::string& temperature, const std::string& humidity);

// Reads the text as a climate file (decimal separator ".") and computes the index.
TModelState& RunOn(TModelState& state, const std::string& climateText);

// A climate text read the plain way, apart from the reader: whole lines by the text file's line
// rules, fields by three cuts at tabs, numbers by the general conversion, and the 12-hour sums
// of lines 8 to LineCount - 5 added in line order as the computation's steps read.
struct TPlainReading {
    std::vector<float> Temperatures; // of lines 1, 2, ...
    std::vector<float> Humidities;
    std::string Error; // the message of the first failing field, empty when none fails
    std::int64_t ErrorLine = 0;
    // Element k: the sums of period k; the last element holds the hours after the last complete
    // period (0 when there are none). Element 0 is 0.
    std::vector<float> RHSums;
    std::vector<float> TempSums;
};
TPlainReading PlainReading(const std::string& climateText, char separator);

} // namespace mouldview::model::testing
