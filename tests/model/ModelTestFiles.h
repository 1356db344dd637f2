// Temporary files and small climate series for the model tests.
#pragma once

#include "model/ModelState.h"

#include <string>

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

} // namespace mouldview::model::testing
