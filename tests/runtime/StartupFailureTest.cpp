// The texts of a failed start-up.
#include "platform/runtime/StartupFailure.h"

#include "platform/runtime/Errors.h"

#include <gtest/gtest.h>
#include <new>
#include <regex>

namespace {

using namespace mouldview::runtime;
using namespace std::string_literals;

TEST(StartupFailure, BoxTextKeepsTheTemplate) {
    EXPECT_EQ(RuntimeErrorText(0x0040A1B2), "Runtime error 217 at 0040A1B2");
    EXPECT_EQ(RuntimeErrorText(0), "Runtime error 217 at 00000000");
    const EConvertError error("x");
    EXPECT_TRUE(std::regex_match(RuntimeErrorText(CodeAddressOf(error)),
                                 std::regex("Runtime error 217 at [0-9A-F]{8}")));
    // Each raising place has its own code, the same every time it raises.
    auto raise = [] { return EOverflow(); };
    EXPECT_EQ(raise().CodeAddress(), raise().CodeAddress());
    EXPECT_NE(EOverflow().CodeAddress(), raise().CodeAddress());
}

TEST(StartupFailure, StandardErrorLineNamesTheCause) {
    EConvertError convert("'20,5' is not a valid floating point value");
    convert.SetLocation("run.txt", 15);
    EXPECT_EQ(FailureLine("mouldview", convert),
              "mouldview: run.txt:15: '20,5' is not a valid floating point value");

    const EInOutError missing = InOutErrorFromErrno(ENOENT, "GeneralCourse.txt");
    EXPECT_EQ(FailureLine("mouldview", missing), "mouldview: GeneralCourse.txt: File not found");
    EXPECT_EQ(InOutErrorFromErrno(EMFILE, "a").what(), std::string("Too many open files"));
    EXPECT_EQ(InOutErrorFromErrno(EIO, "a").what(), std::string("I/O error 5"));

    EOverflow overflow;
    overflow.SetPeriod(4);
    EXPECT_EQ(FailureLine("mouldexport", overflow), "mouldexport: period 4: Floating point overflow");

    EConvertError binary("'a\0\x01\x7f' is not a valid floating point value"s);
    binary.SetLocation("b.txt", 2);
    EXPECT_EQ(FailureLine("mouldview", binary),
              "mouldview: b.txt:2: 'a\\x00\\x01\\x7F' is not a valid floating point value");
    EXPECT_EQ(FailureLine("mouldview", std::bad_alloc()), "mouldview: Out of memory");
}

} // namespace
