// Reads the control file's tagged settings line by line.
#include "model/ControlFile.h"

#include "model/StartDate.h"
#include "platform/runtime/Errors.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/TextFile.h"

namespace mouldview::model {

namespace {

void LowerCase(std::string& text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
}

} // namespace

std::string_view SettingValue(std::string_view line) {
    if (const auto close = line.find('>'); close != std::string_view::npos) {
        line.remove_prefix(close + 1);
    }
    const auto open = line.find('<');
    return open == std::string_view::npos ? std::string_view() : line.substr(0, open);
}

bool ReadControlFile(const std::string& path, int currentYear, std::optional<TStartMoment>* start) {
    runtime::TTextFile file(path, 64 * 1024);
    bool deleteFlag = false;
    std::string line;
    while (file.ReadLine(line)) {
        LowerCase(line);
        if (line.find("deleteafterload") != std::string::npos) {
            deleteFlag = SettingValue(line) == "true";
        } else if (line.find("startofcalculation") != std::string::npos) {
            const std::string_view value = SettingValue(line);
            const std::optional<TStartMoment> moment = ParseStartDate(value, currentYear);
            if (!moment) {
                runtime::EConvertError error("'" + std::string(value) + "' is not a valid date and time");
                error.SetLocation(path, file.LineNumber());
                throw error;
            }
            if (start != nullptr) {
                *start = moment;
            }
        }
    }
    return deleteFlag;
}

std::string ClimateFileNameFor(const std::string& controlPath) {
    const auto slash = controlPath.find_last_of(runtime::PathSeparators);
    const auto dot = controlPath.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        return controlPath.substr(0, dot) + ".txt";
    }
    return controlPath + ".txt";
}

} // namespace mouldview::model
