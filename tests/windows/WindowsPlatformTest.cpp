// The Windows backends of platform/runtime, run under Wine: extended precision as on Linux, file
// names with characters beyond ASCII through the whole model run, the system's error texts, and
// the decimal separator from the regional settings. Files are made and checked with the wide
// Windows calls directly, not through the code under test.
#include "model/ControlFile.h"
#include "model/ModelRun.h"
#include "model/ModelState.h"
#include "platform/runtime/Errors.h"
#include "platform/runtime/RegionalSettings.h"
#include "platform/runtime/TextFile.h"
#include "platform/runtime/WideText.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <windows.h>

namespace {

using namespace mouldview;

// A fresh directory below the temporary folder whose name holds a blank, umlauts and the euro sign.
class TWideDirectory {
public:
    TWideDirectory() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        m_path =
            std::wstring(temp) + L"mouldview \u00c4\u00f6 \u20ac " + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~TWideDirectory() {
        for (const std::wstring& file : m_files) {
            DeleteFileW(file.c_str());
        }
        RemoveDirectoryW(m_path.c_str());
    }
    std::wstring Write(const std::wstring& name, const std::string& content) {
        const std::wstring path = m_path + L"\\" + name;
        std::FILE* file = _wfopen(path.c_str(), L"wb");
        EXPECT_NE(file, nullptr);
        if (file != nullptr) {
            std::fwrite(content.data(), 1, content.size(), file);
            std::fclose(file);
        }
        m_files.push_back(path);
        return path;
    }
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
    std::vector<std::wstring> m_files;
};

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ConstantClimate(int lines) {
    std::string text;
    for (int i = 1; i <= lines; ++i) {
        text += std::to_string(i) + "\t20\t0.95\t\r\n";
    }
    return text;
}

TEST(WindowsPlatform, LongDoubleIsTheX87TypeWithFullPrecision) {
    static_assert(std::numeric_limits<long double>::digits == 64);
    // 1 + 2^-60 is exact with a 64-bit significand and rounds back to 1 with a 53-bit one, as
    // it would if the x87 precision control were set to double.
    volatile long double one = 1.0L;
    volatile long double tiny = 0x1p-60L;
    const long double sum = one + tiny;
    EXPECT_EQ(sum - one, 0x1p-60L);
}

TEST(WindowsPlatform, NamesBeyondAsciiOpenAndDeleteThroughTheModelRun) {
    TWideDirectory dir;
    const std::wstring control =
        dir.Write(L"L\u00e4uf \u20ac.ctl", "<deleteafterload>true</deleteafterload>\r\n");
    const std::wstring climate = dir.Write(L"L\u00e4uf \u20ac.txt", ConstantClimate(30));
    ASSERT_TRUE(Exists(control) && Exists(climate));

    model::TModelState state;
    model::LoadInput(state, {runtime::Utf8FromUtf16(control)}, '.');
    EXPECT_EQ(state.LineCount, 30);
    EXPECT_EQ(state.ClimateFileName, runtime::Utf8FromUtf16(climate));
    EXPECT_FALSE(Exists(control));
    EXPECT_FALSE(Exists(climate));
}

TEST(WindowsPlatform, ClimateFileNameEndsTheFolderPartAtBackslashesAndTheDrive) {
    EXPECT_EQ(model::ClimateFileNameFor(R"(C:\data.d\run)"), R"(C:\data.d\run.txt)");
    EXPECT_EQ(model::ClimateFileNameFor(R"(C:\data\run.ctl)"), R"(C:\data\run.txt)");
    EXPECT_EQ(model::ClimateFileNameFor(R"(..\run)"), R"(..\run.txt)");
    EXPECT_EQ(model::ClimateFileNameFor("D:.hidden"), "D:.txt");
    EXPECT_EQ(model::ClimateFileNameFor("a.b:run"), "a.b:run.txt");
    EXPECT_EQ(model::ClimateFileNameFor("data.d/run"), "data.d/run.txt");
}

TEST(WindowsPlatform, OpenFailuresGiveTheSystemTexts) {
    TWideDirectory dir;
    const std::string base = runtime::Utf8FromUtf16(dir.Path());
    const auto messageFor = [](const std::string& path) {
        try {
            runtime::TTextFile file(path);
        } catch (const runtime::EInOutError& error) {
            return error.Message();
        }
        return std::string("opened");
    };
    EXPECT_EQ(messageFor(base + "\\missing.txt"), "File not found");
    EXPECT_EQ(messageFor(base + "\\no such folder\\missing.txt"), "Invalid filename");
    EXPECT_EQ(messageFor(base), "File access denied");
}

// Sets the user's decimal separator in the regional settings for as long as it lives.
class TDecimalSetting {
public:
    explicit TDecimalSetting(const wchar_t* separator) {
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, m_saved, 8);
        m_changed = SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator) != 0;
    }
    ~TDecimalSetting() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, m_saved); }
    bool Changed() const { return m_changed; }

private:
    wchar_t m_saved[8] = {};
    bool m_changed = false;
};

TEST(WindowsPlatform, DecimalSeparatorComesFromTheRegionalSettings) {
    {
        TDecimalSetting comma(L",");
        ASSERT_TRUE(comma.Changed());
        EXPECT_EQ(runtime::SystemDecimalSeparator(), ',');
    }
    {
        // A separator of two characters cannot stand in a single-byte file: "." instead.
        TDecimalSetting twoCharacters(L",,");
        ASSERT_TRUE(twoCharacters.Changed());
        EXPECT_EQ(runtime::SystemDecimalSeparator(), '.');
    }
    TDecimalSetting point(L".");
    EXPECT_EQ(runtime::SystemDecimalSeparator(), '.');
}

} // namespace
