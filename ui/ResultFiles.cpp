// Chooses the free names, writes both files under temporary names and renames them into place.
#include "ui/ResultFiles.h"

#include "model/PeriodTable.h"
#include "platform/raster/Png.h"
#include "platform/runtime/Errors.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/OutputFile.h"
#include "platform/runtime/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <string_view>

namespace mouldview::ui {

namespace {

// Beyond this many results beside one climate file something else is wrong.
constexpr int MaximumNumber = 9999;

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + name;
}

// Removes the files written so far when the save does not complete.
class TWrittenFiles {
public:
    TWrittenFiles() = default;
    TWrittenFiles(const TWrittenFiles&) = delete;
    TWrittenFiles& operator=(const TWrittenFiles&) = delete;
    ~TWrittenFiles() {
        if (!m_kept) {
            for (const std::string& path : m_paths) {
                runtime::DeleteFileIgnoringFailure(path);
            }
        }
    }
    void Add(const std::string& path) { m_paths.push_back(path); }
    void Keep() { m_kept = true; }

private:
    std::vector<std::string> m_paths;
    bool m_kept = false;
};

void Rename(const std::string& from, const std::string& to) {
    if (const int result = runtime::RenameWithoutReplacing(from, to); result != 0) {
        throw runtime::InOutErrorFromErrno(-result, to);
    }
}

} // namespace

TSavedResult FreeResultNames(const std::string& climateFileName) {
    TSavedResult names;
    const auto slash = climateFileName.find_last_of(runtime::PathSeparators);
    std::string base = climateFileName;
    if (slash != std::string::npos) {
        names.Folder = climateFileName.substr(0, slash + 1);
        base = climateFileName.substr(slash + 1);
    }
    if (const auto dot = base.rfind('.'); dot != std::string::npos) {
        base.resize(dot);
    }
    for (int number = 1; number <= MaximumNumber; ++number) {
        const std::string stem = base + "-mould" + (number == 1 ? "" : "-" + std::to_string(number));
        names.PngName = stem + ".png";
        names.CsvName = stem + ".csv";
        if (!runtime::PathExists(InFolder(names.Folder, names.PngName)) &&
            !runtime::PathExists(InFolder(names.Folder, names.CsvName))) {
            return names;
        }
    }
    throw runtime::InOutErrorFromErrno(EEXIST, InFolder(names.Folder, names.PngName));
}

TSavedResult SaveResult(const model::TModelState& state, const raster::Bitmap& picture) {
    const TSavedResult names = FreeResultNames(state.ClimateFileName);
    const std::string png = InFolder(names.Folder, names.PngName);
    const std::string csv = InFolder(names.Folder, names.CsvName);
    // Hidden names that no result takes: a dot in front and ".part" behind.
    const std::string pngPart = InFolder(names.Folder, "." + names.PngName + ".part");
    const std::string csvPart = InFolder(names.Folder, "." + names.CsvName + ".part");

    TWrittenFiles written;
    written.Add(pngPart);
    raster::WritePng(picture, pngPart);
    written.Add(csvPart);
    runtime::WriteOutputFile(csvPart, [&state](std::FILE* file) {
        model::WritePeriodTable(state, false, [file](std::string_view piece) {
            std::fwrite(piece.data(), 1, piece.size(), file);
        });
    });
    Rename(pngPart, png);
    written.Add(png);
    Rename(csvPart, csv);
    written.Keep();
    return names;
}

} // namespace mouldview::ui
