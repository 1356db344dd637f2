// The command-line split: words at runs of characters up to the blank, quotes grouping and
// removed. Expected words written out by hand.
#include "platform/runtime/CommandLine.h"

#include <gtest/gtest.h>

using mouldview::runtime::SplitCommandLine;
using Words = std::vector<std::string>;

TEST(CommandLine, SplitsAtRunsOfControlCharactersAndBlanks) {
    EXPECT_EQ(SplitCommandLine(""), Words{});
    EXPECT_EQ(SplitCommandLine(" \t\r\n"), Words{});
    EXPECT_EQ(SplitCommandLine("prog.exe run.ctl"), (Words{"prog.exe", "run.ctl"}));
    EXPECT_EQ(SplitCommandLine("  prog\t\x01 a\x1f\x20 b  "), (Words{"prog", "a", "b"}));
    // 0x7F and the bytes of a UTF-8 character lie above the blank and belong to the word.
    EXPECT_EQ(SplitCommandLine("p \x7f\xc3\xa4\xe2\x82\xac"), (Words{"p", "\x7f\xc3\xa4\xe2\x82\xac"}));
}

TEST(CommandLine, QuotesGroupBlanksAndAreRemoved) {
    EXPECT_EQ(SplitCommandLine(R"("C:\Program Files\m.exe" "c:\my data\run.ctl" x)"),
              (Words{R"(C:\Program Files\m.exe)", R"(c:\my data\run.ctl)", "x"}));
    // A quoted stretch inside a word, several of them, and an empty one.
    EXPECT_EQ(SplitCommandLine(R"(p a"b c"d"e"f x""y)"), (Words{"p", "ab cdef", "xy"}));
    // "" alone is an empty word; a quote left open runs to the end of the line.
    EXPECT_EQ(SplitCommandLine(R"(p "" "open to the end)"), (Words{"p", "", "open to the end"}));
    // No escapes: a backslash before a quote is an ordinary character.
    EXPECT_EQ(SplitCommandLine(R"(p "a\" b)"), (Words{"p", R"(a\)", "b"}));
}
