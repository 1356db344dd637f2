// The climate file reader: records and fields, line rules, the number failures with file and
// line, PeriodCapacity, the 12-hour sums, and the reader against a plain reading of generated
// files, whatever the read buffer's size.
#include "model/ClimateFile.h"

#include "ModelTestFiles.h"
#include "platform/runtime/Errors.h"

#include <bit>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace mouldview::model;
using mouldview::model::testing::PlainReading;
using mouldview::model::testing::TPlainReading;
using mouldview::model::testing::TTempDir;
using mouldview::runtime::ERunError;

TModelState Read(const std::string& text, char separator = '.', std::size_t bufferSize = 1 << 16) {
    const TTempDir dir;
    TModelState state;
    ReadClimateFile(state, dir.Write("c.txt", text), separator, bufferSize);
    return state;
}

// The message and line of the error that reading the text raises.
std::string Failure(const std::string& text, char separator = '.', std::int64_t* line = nullptr) {
    try {
        Read(text, separator);
    } catch (const ERunError& error) {
        if (line != nullptr) {
            *line = error.LineNumber();
        }
        return error.Message();
    }
    return "no error";
}

// The temperature and humidity read from a line that stands as line 8 of a 13-line file, the
// only line that file's computation uses: its sums are its own two values. The last line has no
// line end.
std::pair<float, float> Line8(const std::string& line, char separator = '.',
                              std::size_t bufferSize = 1 << 16) {
    const std::string other = separator == '.' ? "x\t-50.5\t9.5\t\n" : "x\t-50,5\t9,5\t\n";
    std::string text;
    for (int i = 1; i <= 7; ++i) {
        text += other;
    }
    text += line + "\n" + other + other + other + other + other.substr(0, other.size() - 1);
    const TModelState state = Read(text, separator, bufferSize);
    EXPECT_EQ(state.LineCount, 13) << line;
    return {state.PeriodTemp[1][1], state.PeriodRH[1][1]};
}

TEST(ClimateFile, RecordsAndFields) {
    using TValues = std::pair<float, float>;
    EXPECT_EQ(Line8("x\t20\t0.95\t"), TValues(20.0f, 0.95f));              // the simplest record
    EXPECT_EQ(Line8("\t-3\t1.5E-1\tmore\tfields"), TValues(-3.0f, 0.15f)); // fields 4 and 5 ignored
    EXPECT_EQ(Line8("12:00\t  7.25 \t+1\t\r"), TValues(7.25f, 1.0f));      // blanks, CR LF
    EXPECT_EQ(Line8("y\t.5\t.\t"), TValues(0.5f, 0.0f));                   // a lone separator is 0
    EXPECT_EQ(Line8("x\t2\r0\t0.5\t"), TValues(20.0f, 0.5f));              // a lone CR is dropped
    EXPECT_EQ(Line8("x\t1\t0.5\t\x1a junk"), TValues(1.0f, 0.5f));         // Ctrl-Z after field 3
    EXPECT_EQ(Line8("x\t20,5\t0,95\t", ','), TValues(20.5f, 0.95f));
    // Lines far longer than the read buffer keep only their numbers.
    const std::string longField(3 << 20, 'a');
    EXPECT_EQ(Line8(longField + "\t21.5\t0.5\t" + longField, '.', 4096), TValues(21.5f, 0.5f));
}

// The failure texts of common bad lines, with file and line, are checked end to end; these are
// the cases a run through the program does not reach.
TEST(ClimateFile, BadFieldsNameTheFieldAndLine) {
    std::int64_t line = 0;
    EXPECT_EQ(Failure("x20\t0.95\t\n"),
              "'' is not a valid floating point value"); // two tabs: field 3 is cut empty
    EXPECT_EQ(Failure("x\t20.5\t0.95\t\n", ','), "'20.5' is not a valid floating point value");
    // A NUL before a number read on the lines before.
    EXPECT_EQ(Failure("x\t20\t0.5\t\nx\t20\t0.5\t\nx\t" + std::string(1, '\0') + "20\t0.5\t\n", '.', &line),
              "'" + std::string(1, '\0') + "20' is not a valid floating point value");
    EXPECT_EQ(line, 3);
    // Field 2 is converted before field 3.
    EXPECT_EQ(Failure("x\ta\tb\t\n"), "'a' is not a valid floating point value");
}

TEST(ClimateFile, PeriodCapacityRoundsHalfToEven) {
    EXPECT_EQ(PeriodCapacityFor(0), 0);
    EXPECT_EQ(PeriodCapacityFor(6), 0);
    EXPECT_EQ(PeriodCapacityFor(7), 1);
    EXPECT_EQ(PeriodCapacityFor(18), 2);
    EXPECT_EQ(PeriodCapacityFor(30), 2);
    EXPECT_EQ(PeriodCapacityFor(42), 4);
    EXPECT_EQ(PeriodCapacityFor(48), 4);
    for (const int lines : {0, 3, 6}) {
        std::string text;
        for (int i = 0; i < lines; ++i) {
            text += "x\t1\t0.5\t\n";
        }
        TModelState state = Read(text);
        EXPECT_EQ(state.PeriodCapacity, 0);
        // Element 1 exists all the same, holding 0.
        EXPECT_EQ(state.MouldIndex[1].size(), 2u);
        EXPECT_EQ(state.MouldIndex[1][1], 0.0f);
        for (int slot = 2; slot <= DatasetSlots; ++slot) {
            EXPECT_EQ(state.MouldIndex[slot].size(), 0u);
            EXPECT_EQ(state.PeriodRH[slot].size(), 0u);
        }
        state.Release();
        EXPECT_EQ(state.MouldIndex[1].size(), 0u);
    }
    std::string eighteenLines;
    for (int i = 0; i < 18; ++i) {
        eighteenLines += "x\t1\t0.5\t\n";
    }
    EXPECT_EQ(Read(eighteenLines).PeriodRH[1].size(), 3u);
}

TEST(ClimateFile, SumsOfLinesEightToFiveBeforeTheEnd) {
    // Line l reads l degrees and 0.5; of 39 lines, 8 to 34 count: two periods and three hours.
    std::string text;
    for (int l = 1; l <= 39; ++l) {
        text += "x\t" + std::to_string(l) + "\t0.5\t\n";
    }
    const TModelState state = Read(text);
    ASSERT_EQ(state.LineCount, 39);
    ASSERT_EQ(state.PeriodTemp[1].size(), 4u); // PeriodCapacity 3
    EXPECT_EQ(state.PeriodTemp[1][1], 162.0f); // 8 + ... + 19
    EXPECT_EQ(state.PeriodTemp[1][2], 306.0f); // 20 + ... + 31
    EXPECT_EQ(state.PeriodTemp[1][3], 99.0f);  // 32 + 33 + 34
    EXPECT_EQ(state.PeriodRH[1][2], 6.0f);
    EXPECT_EQ(state.PeriodRH[1][3], 1.5f);
    EXPECT_EQ(state.PeriodTemp[1][0], 0.0f); // element 0 carries no data
    EXPECT_EQ(state.RHResponse[1][2], 0.0f); // the other groups stay 0 until the computation
}

// A number text of one of the shapes the syntax allows, with the given separator, or a zero in
// one of its spellings.
std::string NumberText(std::mt19937_64& random, char separator, bool zero) {
    const auto digits = [&random](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text.push_back(static_cast<char>('0' + random() % 10));
        }
        return text;
    };
    const auto withSeparator = [separator](std::string text) {
        if (const auto point = text.find('.'); point != std::string::npos) {
            text[point] = separator;
        }
        return text;
    };
    if (zero) {
        const char* zeros[] = {"0", "0.0", "-0", " 0 ", "+.0", "0e7", "00.000", "."};
        return withSeparator(zeros[random() % 8]);
    }
    const std::string sign = random() % 4 == 0 ? "-" : (random() % 8 == 0 ? "+" : "");
    char buffer[64];
    switch (random() % 9) {
    case 0:
    case 1:
    case 2: // the usual: a few digits either side
        return sign + digits(1 + static_cast<int>(random() % 3)) + separator +
               digits(1 + static_cast<int>(random() % 4));
    case 3: // long but ordinary
        return sign + digits(static_cast<int>(random() % 8)) + separator +
               digits(1 + static_cast<int>(random() % 8));
    case 4: // integers, with blanks around now and then
        return (random() % 4 == 0 ? "  " : "") + sign + digits(1 + static_cast<int>(random() % 9)) +
               (random() % 4 == 0 ? " " : "");
    case 5: { // close to a float rounding boundary, many digits
        const float f =
            std::bit_cast<float>(static_cast<std::uint32_t>(0x3C000000u + random() % 0x06000000u));
        std::snprintf(buffer, sizeof buffer, "%.13f",
                      static_cast<double>(f) + static_cast<double>(std::nextafter(f, 1e9f) - f) / 2);
        return withSeparator(sign + buffer);
    }
    case 6: { // exactly halfway between two floats (2^17 to 2^23): a tie to even
        const float f =
            std::bit_cast<float>(static_cast<std::uint32_t>(0x48000000u + random() % 0x03000000u));
        std::snprintf(buffer, sizeof buffer, "%.7f",
                      static_cast<double>(f) + static_cast<double>(std::nextafter(f, 1e9f) - f) / 2);
        return withSeparator(sign + buffer);
    }
    case 7: // an exponent
        return sign + digits(1) + separator + digits(2) + (random() % 2 == 0 ? "E" : "e-") + digits(1);
    default: // more digits than the fast conversion takes
        return sign + digits(10) + separator + digits(10);
    }
}

// A generated climate file. Field 1 has 0 to 200 characters, now and then a lone CR; fields 2
// and 3 are numbers of every shape; 0 to 9 further fields follow, numeric or not, some long; lines
// end in LF or CR LF, now and then with a Ctrl-Z after the third tab. On most lines both numbers
// are zeros (in many spellings), so that the sums of a period are the values of its few other
// lines, and a value wrong in its last bit shows in them.
std::string GeneratedClimate(std::mt19937_64& random, int lines, char separator) {
    std::string text;
    for (int line = 0; line < lines; ++line) {
        std::string field1 = random() % 4 == 0 ? std::string(random() % 200, 'L') : std::to_string(line);
        if (random() % 50 == 0) {
            field1.insert(random() % (field1.size() + 1), "\r");
        }
        const bool zeros = random() % 6 != 0;
        text += field1 + "\t" + NumberText(random, separator, zeros) + "\t" +
                NumberText(random, separator, zeros) + "\t";
        for (auto further = random() % 10; further > 0; --further) {
            switch (random() % 4) {
            case 0:
                text += NumberText(random, separator, false);
                break;
            case 1:
                text += std::string(random() % 150, 'f');
                break;
            case 2:
                text += "\x1a";
                break;
            default:
                break; // empty
            }
            text += "\t";
        }
        text += random() % 5 == 0 ? "\r\n" : "\n";
    }
    return text;
}

// The reader's result equals the plain reading's: the error and its line, or the line count and
// every sum to the bit.
void ExpectPlainReading(const std::string& text, const TPlainReading& plain, char separator,
                        std::size_t bufferSize) {
    const TTempDir dir;
    TModelState state;
    try {
        ReadClimateFile(state, dir.Write("c.txt", text), separator, bufferSize);
    } catch (const ERunError& error) {
        ASSERT_EQ(error.Message(), plain.Error) << "buffer " << bufferSize;
        ASSERT_EQ(error.LineNumber(), plain.ErrorLine) << "buffer " << bufferSize;
        return;
    }
    ASSERT_EQ(plain.Error, "") << "buffer " << bufferSize;
    ASSERT_EQ(static_cast<std::size_t>(state.LineCount), plain.Temperatures.size())
        << "buffer " << bufferSize;
    const std::vector<float>& rh = state.PeriodRH[1];
    const std::vector<float>& temp = state.PeriodTemp[1];
    ASSERT_GE(rh.size(), plain.RHSums.size());
    for (std::size_t k = 0; k < rh.size(); ++k) {
        const float expectedRH = k < plain.RHSums.size() ? plain.RHSums[k] : 0.0f;
        const float expectedTemp = k < plain.TempSums.size() ? plain.TempSums[k] : 0.0f;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(rh[k]), std::bit_cast<std::uint32_t>(expectedRH))
            << "period " << k << ", buffer " << bufferSize;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(temp[k]), std::bit_cast<std::uint32_t>(expectedTemp))
            << "period " << k << ", buffer " << bufferSize;
    }
}

TEST(ClimateFile, ReaderEqualsThePlainReadingOfGeneratedFiles) {
    std::mt19937_64 random(2024);
    for (const char separator : {'.', ','}) {
        SCOPED_TRACE(std::string("separator ") + separator);
        const std::string large = GeneratedClimate(random, 60000, separator);
        ExpectPlainReading(large, PlainReading(large, separator), separator,
                           mouldview::runtime::TTextFile::DefaultBufferSize);
        // The end of the buffer at every offset of the lines; a Ctrl-Z at a line start ends the file.
        const std::string text =
            GeneratedClimate(random, 150, separator) + "\x1a" + GeneratedClimate(random, 5, '!');
        const TPlainReading plain = PlainReading(text, separator);
        for (std::size_t bufferSize = 2; bufferSize <= 400; ++bufferSize) {
            ExpectPlainReading(text, plain, separator, bufferSize);
        }
    }
}

// One fault on a line from 2 on, or several: the first one is reported, with its line.
TEST(ClimateFile, FaultsOnAnyLineAsThePlainReadingFindsThem) {
    std::mt19937_64 random(99);
    const std::string nul(1, '\0');
    for (int file = 0; file < 60; ++file) {
        const char separator = file % 2 == 0 ? '.' : ',';
        const char wrong = separator == '.' ? ',' : '.';
        std::vector<std::string> lines;
        {
            const std::string text = GeneratedClimate(random, 100, separator);
            for (std::size_t at = 0, next; at < text.size(); at = next + 1) {
                next = text.find('\n', at);
                lines.push_back(text.substr(at, next - at + 1));
            }
        }
        for (int faults = 1 + file % 3; faults > 0; --faults) {
            std::string& line = lines[1 + random() % (lines.size() - 1)];
            const std::size_t tab1 = line.find('\t');
            const std::size_t tab2 = line.find('\t', tab1 + 1);
            switch (random() % 7) {
            case 0: // the other separator, in a short or a long number
                line.replace(tab1 + 1, tab2 - tab1 - 1,
                             random() % 2 == 0 ? "12" + std::string(1, wrong) + "5"
                                               : "1234" + std::string(1, wrong) + "5678");
                break;
            case 1: // no tab after field 3
                line = line.substr(0, line.find('\t', tab2 + 1)) + "\n";
                break;
            case 2:
                line = "\n";
                break;
            case 3:
                line.insert(tab2, nul);
                break;
            case 4: // a Ctrl-Z in field 1 cuts the fields away
                line.insert(0, "7\x1a");
                break;
            case 5:
                line.replace(tab1 + 1, tab2 - tab1 - 1, "4e38");
                break;
            default:
                line.replace(tab1 + 1, tab2 - tab1 - 1, "1e5000");
                break;
            }
        }
        std::string text;
        for (const std::string& line : lines) {
            text += line;
        }
        const TPlainReading plain = PlainReading(text, separator);
        ASSERT_NE(plain.Error, "");
        for (const std::size_t bufferSize :
             {std::size_t{37}, mouldview::runtime::TTextFile::DefaultBufferSize}) {
            ExpectPlainReading(text, plain, separator, bufferSize);
        }
    }
}

} // namespace
