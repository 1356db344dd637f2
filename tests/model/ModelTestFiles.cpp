// Temporary files and small climate series for the model tests.
#include "ModelTestFiles.h"

#include "model/ClimateFile.h"
#include "model/MouldIndex.h"
#include "platform/runtime/FloatText.h"
#include "platform/runtime/TextFile.h"

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

TPlainReading PlainReading(const std::string& climateText, char separator) {
    const TTempDir dir;
    runtime::TTextFile file(dir.Write("plain.txt", climateText));
    TPlainReading reading;
    for (std::string line; file.ReadLine(line);) {
        // A cut at the first tab: the part before it; without a tab, nothing (and the whole text
        // stays the rest).
        std::string_view rest = line;
        const auto cut = [&rest]() -> std::string_view {
            const auto tab = rest.find('\t');
            if (tab == std::string_view::npos) {
                return {};
            }
            const std::string_view before = rest.substr(0, tab);
            rest.remove_prefix(tab + 1);
            return before;
        };
        cut();
        const std::string_view fields[2] = {cut(), cut()};
        float values[2] = {0.0f, 0.0f};
        for (int i = 0; i < 2; ++i) {
            const runtime::TFloatStatus status = runtime::TextToFloat(fields[i], separator, values[i]);
            if (status != runtime::TFloatStatus::Ok) {
                reading.Error = status == runtime::TFloatStatus::Overflow
                                    ? runtime::FloatOverflowMessage
                                    : runtime::InvalidFloatMessage(fields[i]);
                reading.ErrorLine = file.LineNumber();
                return reading;
            }
        }
        reading.Temperatures.push_back(values[0]);
        reading.Humidities.push_back(values[1]);
    }
    reading.RHSums.assign(1, 0.0f);
    reading.TempSums.assign(1, 0.0f);
    float rhSum = 0.0f;
    float tempSum = 0.0f;
    int hours = 0;
    for (std::size_t line = 8; line + 5 <= reading.Temperatures.size(); ++line) {
        rhSum += reading.Humidities[line - 1];
        tempSum += reading.Temperatures[line - 1];
        if (++hours == 12) {
            reading.RHSums.push_back(rhSum);
            reading.TempSums.push_back(tempSum);
            rhSum = tempSum = 0.0f;
            hours = 0;
        }
    }
    reading.RHSums.push_back(rhSum);
    reading.TempSums.push_back(tempSum);
    return reading;
}

} // namespace mouldview::model::testing
