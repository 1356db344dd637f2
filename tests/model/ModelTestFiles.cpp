// Temporary files and small climate series for the model tests.
#include "ModelTestFiles.h"

#include "model/ClimateFile.h"
#include "model/MouldIndex.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace mouldview::model::testing {

TTempDir::TTempDir() {
    std::string pattern = ::testing::TempDir() + "mouldview-model-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    m_path = pattern;
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TTempDir::Write(const std::string& name, const std::string& content) const {
    const std::string path = m_path + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

bool TTempDir::Exists(const std::string& name) const {
    return std::filesystem::exists(m_path + "/" + name);
}

std::string ConstantClimate(int count, const std::string& temperature, const std::string& humidity) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "x\t" + temperature + "\t" + humidity + "\t\n";
    }
    return text;
}

TModelState& RunOn(TModelState& state, const std::string& climateText) {
    const TTempDir dir;
    ReadClimateFile(state, dir.Write("climate.txt", climateText), '.');
    ComputeMouldIndex(state);
    return state;
}

} // namespace mouldview::model::testing
