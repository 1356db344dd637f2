// The climate file reader: records and fields, line rules, the number failures with file and
// line, PeriodCapacity, and the same results whatever the read buffer's size.
#include "model/ClimateFile.h"

#include "ModelTestFiles.h"
#include "platform/runtime/Errors.h"
#include "platform/runtime/FloatText.h"
#include "platform/runtime/TextFile.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace mouldview::model;
using mouldview::model::testing::TTempDir;
using mouldview::runtime::EConvertError;
using mouldview::runtime::EOverflow;
using mouldview::runtime::ERunError;
using mouldview::runtime::TTextFile;

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

TEST(ClimateFile, RecordsAndFields) {
    const TModelState state = Read("x\t20\t0.95\t\n"              // the simplest record
                                   "\t-3\t1.5E-1\tmore\tfields\n" // field 1 empty, fields 4 and 5 ignored
                                   "12:00\t  7.25 \t+1\t\r\n"     // blanks around numbers, CRLF
                                   "y\t.5\t.\t");                 // no line end on the last line
    ASSERT_EQ(state.LineCount, 4);
    EXPECT_EQ(state.DatasetCount, 1);
    EXPECT_EQ(state.HourlyTemp[1].Length(), 5u);
    EXPECT_EQ(state.HourlyTemp[1][1], 20.0f);
    EXPECT_EQ(state.HourlyRH[1][1], 0.95f);
    EXPECT_EQ(state.HourlyTemp[1][2], -3.0f);
    EXPECT_EQ(state.HourlyRH[1][2], 0.15f);
    EXPECT_EQ(state.HourlyTemp[1][3], 7.25f);
    EXPECT_EQ(state.HourlyRH[1][3], 1.0f);
    EXPECT_EQ(state.HourlyTemp[1][4], 0.5f);
    EXPECT_EQ(state.HourlyRH[1][4], 0.0f);
    EXPECT_EQ(state.HourlyTemp[1][0], 0.0f); // element 0 carries no data
}

TEST(ClimateFile, LineRules) {
    // A lone CR is dropped from the text, even inside a number.
    EXPECT_EQ(Read("x\t2\r0\t0.5\t\n").HourlyTemp[1][1], 20.0f);
    // Ctrl-Z at a line start ends the file; after the third tab it cuts only that line.
    const TModelState cut = Read("x\t1\t0.5\t\x1a junk\nx\t2\t0.5\t\n\x1a"
                                 "garbage\tthat\tis\tnot read\n");
    EXPECT_EQ(cut.LineCount, 2);
    EXPECT_EQ(cut.HourlyTemp[1][2], 2.0f);
    // A Ctrl-Z before the third tab cuts the fields short: an empty field 3.
    EXPECT_EQ(Failure("x\t1\t0.5\x1a\t\n"), "'' is not a valid floating point value");
    // A file that ends with a line end has no extra record.
    EXPECT_EQ(Read("x\t1\t0.5\t\n").LineCount, 1);
    const TModelState empty = Read("");
    EXPECT_EQ(empty.LineCount, 0);
    EXPECT_EQ(empty.PeriodCapacity, 0);
}

TEST(ClimateFile, BadFieldsNameTheFieldAndLine) {
    std::int64_t line = 0;
    EXPECT_EQ(Failure("x\t20\t0.95\t\nx\t20\t0.95\n", '.', &line), "'' is not a valid floating point value");
    EXPECT_EQ(line, 2); // no tab after the humidity
    EXPECT_EQ(Failure("x\t20\t0.95\t\n\n", '.', &line), "'' is not a valid floating point value");
    EXPECT_EQ(line, 2); // an empty last line
    EXPECT_EQ(Failure("hour\ttemp\trh\t\nx\t20\t0.95\t\n", '.', &line),
              "'temp' is not a valid floating point value");
    EXPECT_EQ(line, 1); // a header line
    EXPECT_EQ(Failure("x\t\t0.95\t\n"), "'' is not a valid floating point value");
    EXPECT_EQ(Failure("x20\t0.95\t\n"),
              "'' is not a valid floating point value"); // two tabs: field 3 is cut empty
    EXPECT_EQ(Failure("x\t20,5\t0.95\t\n"), "'20,5' is not a valid floating point value");
    EXPECT_EQ(Failure("x\t20.5\t0.95\t\n", ','), "'20.5' is not a valid floating point value");
    EXPECT_EQ(Failure("x\t20\t1e39\t\n"), "Floating point overflow");
    EXPECT_EQ(Failure("x\t1e5000\t0.5\t\n"), "'1e5000' is not a valid floating point value");
    EXPECT_EQ(Failure("x\tnan\t0.5\t\n"), "'nan' is not a valid floating point value");
    EXPECT_EQ(Failure("x\t20\tinf\t\n"), "'inf' is not a valid floating point value");
    const std::string withNul("2\0"
                              "0",
                              3);
    EXPECT_EQ(Failure("x\t" + withNul + "\t0.5\t\n"),
              "'" + withNul + "' is not a valid floating point value");
    // Field 2 is converted before field 3.
    EXPECT_EQ(Failure("x\ta\tb\t\n"), "'a' is not a valid floating point value");
    EXPECT_EQ(Read("x\t20,5\t0,95\t\n", ',').HourlyTemp[1][0 + 1], 20.5f);
}

TEST(ClimateFile, ErrorsCarryTheFile) {
    const TTempDir dir;
    const std::string path = dir.Write("bad.txt", "x\t20\t0.95\t\nx\t20\t0.95\t\nx\tabc\t0.95\t\n");
    TModelState state;
    try {
        ReadClimateFile(state, path, '.');
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.FileName(), path);
        EXPECT_EQ(error.LineNumber(), 3);
    }
    EXPECT_EQ(state.LineCount, 0); // not set when a line fails
    EXPECT_THROW(ReadClimateFile(state, dir.Path() + "/missing.txt", '.'), mouldview::runtime::EInOutError);
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
        const TModelState state = Read(text);
        EXPECT_EQ(state.PeriodCapacity, 0);
        // Element 1 exists all the same, holding 0.
        EXPECT_EQ(state.MouldIndex[1].Length(), 2u);
        EXPECT_EQ(state.MouldIndex[1][1], 0.0f);
        for (int slot = 2; slot <= DatasetSlots; ++slot) {
            EXPECT_EQ(state.MouldIndex[slot].Length(), 0u);
            EXPECT_EQ(state.HourlyTemp[slot].Length(), 0u);
        }
    }
    std::string eighteenLines;
    for (int i = 0; i < 18; ++i) {
        eighteenLines += "x\t1\t0.5\t\n";
    }
    EXPECT_EQ(Read(eighteenLines).PeriodRH[1].Length(), 3u);
}

// Random files mixing ordinary lines, lines that need the general path, long lines and line-end
// forms: any buffer size gives the same values, bit for bit.
TEST(ClimateFile, SameValuesWhateverTheBufferSize) {
    std::mt19937 random(7);
    const char* shapes[] = {"x\t%T\t%H\t\n",        "x\t%T\t%H\t\r\n",     "%L\t%T\t%H\t\n",
                            "x\t %T \t%H\tmore\n",  "x\t%Te0\t%H\t\x1a\n", "x\t%T\t%H\t%L\n",
                            "x\t%T\t%H0000000\t\n", "\t%T\t+%H\t\n"};
    std::string text;
    for (int line = 0; line < 3000; ++line) {
        std::string shape = shapes[random() % 8];
        auto put = [&](const std::string& key, const std::string& value) {
            if (const auto at = shape.find(key); at != std::string::npos) {
                shape.replace(at, key.size(), value);
            }
        };
        put("%T", std::to_string(static_cast<int>(random() % 60) - 20) + "." + std::to_string(random() % 10));
        put("%H", "0." + std::to_string(random() % 1000));
        put("%L", std::string(random() % 300, 'L'));
        text += shape;
    }
    const TModelState reference = Read(text, '.', 1 << 18);
    ASSERT_EQ(reference.LineCount, 3000);
    for (const std::size_t bufferSize : {2u, 3u, 17u, 64u, 1000u}) {
        const TModelState state = Read(text, '.', bufferSize);
        ASSERT_EQ(state.LineCount, reference.LineCount);
        for (std::size_t i = 1; i <= 3000; ++i) {
            ASSERT_EQ(std::bit_cast<std::uint32_t>(state.HourlyTemp[1][i]),
                      std::bit_cast<std::uint32_t>(reference.HourlyTemp[1][i]))
                << "line " << i << " buffer " << bufferSize;
            ASSERT_EQ(std::bit_cast<std::uint32_t>(state.HourlyRH[1][i]),
                      std::bit_cast<std::uint32_t>(reference.HourlyRH[1][i]))
                << "line " << i << " buffer " << bufferSize;
        }
    }
}

TEST(ClimateFile, LineEndsAtEveryPositionOfAShortLine) {
    // Lines of every length up to beyond the 32 bytes the short-line reader looks at, ending in
    // LF or CR LF, with the line end at every position of that window.
    for (const std::string ending : {"\n", "\r\n"}) {
        std::string text;
        for (int padding = 0; padding < 40; ++padding) {
            text += "x\t20.5\t0.75\t" + std::string(static_cast<std::size_t>(padding), 'p') + ending;
        }
        const TModelState state = Read(text);
        ASSERT_EQ(state.LineCount, 40);
        for (std::size_t i = 1; i <= 40; ++i) {
            EXPECT_EQ(state.HourlyTemp[1][i], 20.5f);
            EXPECT_EQ(state.HourlyRH[1][i], 0.75f);
        }
    }
}

// The reader's in-place conversions (short lines read by vector masks, remembered texts, the
// byte-wise scan) against the general conversion of each field's text, on random numbers of every
// ordinary shape and either separator.
TEST(ClimateFile, ReaderValuesEqualTheGeneralConversion) {
    std::mt19937_64 random(11);
    auto digits = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text.push_back(static_cast<char>('0' + random() % 10));
        }
        return text;
    };
    for (const char separator : {'.', ','}) {
        std::string text;
        std::vector<std::string> fields;
        for (int line = 0; line < 200000; ++line) {
            std::string number[2];
            for (std::string& field : number) {
                const int shape = static_cast<int>(random() % 10);
                const std::string sign = random() % 4 == 0 ? "-" : (random() % 8 == 0 ? "+" : "");
                if (shape < 6) { // the usual: a few digits either side
                    field = sign + digits(1 + static_cast<int>(random() % 3)) + separator +
                            digits(1 + static_cast<int>(random() % 4));
                } else if (shape < 8) { // long but ordinary
                    field = sign + digits(static_cast<int>(random() % 8)) + separator +
                            digits(static_cast<int>(random() % 8));
                    if (field.size() == sign.size() + 1) {
                        field += "5";
                    }
                } else if (shape == 8) { // integers
                    field = sign + digits(1 + static_cast<int>(random() % 9));
                } else if (random() % 2 == 0) { // near a float rounding boundary, many digits
                    const float f = std::bit_cast<float>(
                        static_cast<std::uint32_t>(0x3C000000u + random() % 0x06000000u));
                    char buffer[40];
                    std::snprintf(buffer, sizeof buffer, "%.13f",
                                  static_cast<double>(f) +
                                      static_cast<double>(std::nextafter(f, 1e9f) - f) / 2);
                    field = buffer;
                } else { // exactly halfway between two floats (2^17 to 2^23): a tie to even
                    const float f = std::bit_cast<float>(
                        static_cast<std::uint32_t>(0x48000000u + random() % 0x03000000u));
                    char buffer[40];
                    std::snprintf(buffer, sizeof buffer, "%.7f",
                                  static_cast<double>(f) +
                                      static_cast<double>(std::nextafter(f, 1e9f) - f) / 2);
                    field = buffer;
                }
                if (separator == ',' && field.find('.') != std::string::npos) {
                    field[field.find('.')] = ',';
                }
                fields.push_back(field);
            }
            text += std::to_string(line) + "\t" + number[0] + "\t" + number[1] + "\t\n";
        }
        const TModelState state = Read(text, separator, 1 << 18);
        ASSERT_EQ(state.LineCount, 200000);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            float expected = 0.0f;
            ASSERT_EQ(mouldview::runtime::TextToFloat(fields[i], separator, expected),
                      mouldview::runtime::TFloatStatus::Ok)
                << fields[i];
            const std::size_t line = i / 2 + 1;
            const float read = i % 2 == 0 ? state.HourlyTemp[1][line] : state.HourlyRH[1][line];
            ASSERT_EQ(std::bit_cast<std::uint32_t>(read), std::bit_cast<std::uint32_t>(expected))
                << "'" << fields[i] << "' on line " << line;
        }
    }
}

// Runs of short lines, which the reader takes several at a time from masks of 64 bytes, broken by
// every byte the line rules treat specially (CR LF, lone CRs in any field, Ctrl-Z and NUL after
// the numbers, NUL in field 1, further tabs, blanks round the numbers, long first fields) at
// random places: the values equal those of the line rules applied line by line and the fields
// converted by the general conversion.
TEST(ClimateFile, LineRunsEqualTheLineRules) {
    std::mt19937 random(2024);
    std::string text;
    for (int line = 0; line < 60000; ++line) {
        std::string fields[3] = {std::to_string(line),
                                 std::to_string(static_cast<int>(random() % 600) - 300) + "." +
                                     std::to_string(random() % 10),
                                 "0." + std::to_string(random() % 1000)};
        std::string tail;
        std::string ending = "\n";
        if (random() % 8 == 0) {
            switch (random() % 8) {
            case 0:
                ending = "\r\n";
                break;
            case 1: { // a lone CR inside any field is dropped
                std::string& field = fields[random() % 3];
                field.insert(random() % (field.size() + 1), "\r");
                break;
            }
            case 2:
                tail = "\x1a"
                       "cut";
                break;
            case 3:
                tail = std::string(1, '\0') + "x";
                fields[0].push_back('\0');
                break;
            case 4:
                tail = "more\tand more";
                break;
            case 5:
                fields[1] = " " + fields[1] + " ";
                break;
            case 6:
                fields[0] = std::string(40 + random() % 100, 'L');
                break;
            default:
                tail = "\r";
                break;
            }
        }
        text += fields[0] + "\t" + fields[1] + "\t" + fields[2] + "\t" + tail + ending;
    }
    // A Ctrl-Z at a line start ends the file, whatever follows.
    text += "\x1a";
    text += text.substr(0, 1000);
    const TTempDir dir;
    const std::string path = dir.Write("c.txt", text);
    std::vector<float> expected;
    mouldview::runtime::TTextFile file(path);
    for (std::string line; file.ReadLine(line);) {
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = line.find('\t', tab1 + 1);
        const std::size_t tab3 = line.find('\t', tab2 + 1);
        ASSERT_NE(tab3, std::string::npos) << line;
        for (const std::string& field :
             {line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1, tab3 - tab2 - 1)}) {
            float value = 0.0f;
            ASSERT_EQ(mouldview::runtime::TextToFloat(field, '.', value),
                      mouldview::runtime::TFloatStatus::Ok)
                << field;
            expected.push_back(value);
        }
    }
    ASSERT_EQ(expected.size(), 120000u);
    for (const std::size_t bufferSize : {TTextFile::DefaultBufferSize, std::size_t{100}, std::size_t{67}}) {
        TModelState state;
        ReadClimateFile(state, path, '.', bufferSize);
        ASSERT_EQ(state.LineCount, 60000);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const float read = i % 2 == 0 ? state.HourlyTemp[1][i / 2 + 1] : state.HourlyRH[1][i / 2 + 1];
            ASSERT_EQ(std::bit_cast<std::uint32_t>(read), std::bit_cast<std::uint32_t>(expected[i]))
                << "line " << i / 2 + 1 << " buffer " << bufferSize;
        }
    }
}

// Amid lines read several at a time: a Ctrl-Z inside field 1 cuts the line before its numbers,
// and a NUL after a number makes it invalid, though the same number without it is remembered.
TEST(ClimateFile, CtrlZAndNulAmidLineRuns) {
    const std::string nul(1, '\0');
    const std::vector<std::string> brokenLines = {"3\x1a"
                                                  "7\t21.5\t0.5\t\n",
                                                  "37\t21.5" + nul + "\t0.5\t\n"};
    for (const std::string& broken : brokenLines) {
        std::string text;
        for (int line = 1; line <= 50; ++line) {
            text += line == 37 ? broken : std::to_string(line) + "\t21.5\t0.5\t\n";
        }
        std::int64_t line = 0;
        const std::string field = broken[2] == '\t' ? "21.5" + nul : "";
        EXPECT_EQ(Failure(text, '.', &line), "'" + field + "' is not a valid floating point value");
        EXPECT_EQ(line, 37);
    }
}

TEST(ClimateFile, LongLinesKeepOnlyTheirNumbers) {
    const std::string longField(3 << 20, 'a');
    const TModelState state = Read(longField + "\t21.5\t0.5\t" + longField + "\nx\t1\t0.25\t\n", '.', 4096);
    ASSERT_EQ(state.LineCount, 2);
    EXPECT_EQ(state.HourlyTemp[1][1], 21.5f);
    EXPECT_EQ(state.HourlyRH[1][2], 0.25f);
}

} // namespace
