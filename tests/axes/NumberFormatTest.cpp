// Label number texts under two sets of separators, and the step arithmetic behind the increments.
#include "chart/axes/NumberFormat.h"

#include "chart/axes/AxisMath.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace mouldview::chart {
namespace {

const TNumberFormatSettings English{".", ","};
const TNumberFormatSettings German{",", "."};

TEST(NumberFormat, PointAndComma) {
    EXPECT_EQ(FormatAxisValue(6, English), "6");
    EXPECT_EQ(FormatAxisValue(0, English), "0");
    EXPECT_EQ(FormatAxisValue(0.5, English), "0.5");
    EXPECT_EQ(FormatAxisValue(1234.5678, English), "1,234.568");
    EXPECT_EQ(FormatAxisValue(-1234567, English), "-1,234,567");
    EXPECT_EQ(FormatAxisValue(100.5, English), "100.5");
    EXPECT_EQ(FormatAxisValue(999.9996, English), "1,000");
    EXPECT_EQ(FormatAxisValue(0.1 + 0.2, English), "0.3");
    EXPECT_EQ(FormatAxisValue(1e21, English), "1,000,000,000,000,000,000,000");
    EXPECT_EQ(FormatAxisValue(123456, English), "123,456");
}

TEST(NumberFormat, CommaAndPoint) {
    EXPECT_EQ(FormatAxisValue(1234.5678, German), "1.234,568");
    EXPECT_EQ(FormatAxisValue(0.5, German), "0,5");
    EXPECT_EQ(FormatAxisValue(-9876543.25, German), "-9.876.543,25");
}

TEST(NumberFormat, HalvesRoundAwayFromZeroOnTheDecimalText) {
    EXPECT_EQ(FormatAxisValue(0.0005, English), "0.001");
    EXPECT_EQ(FormatAxisValue(1.0005, English), "1.001");
    EXPECT_EQ(FormatAxisValue(-2.0625, English), "-2.063");
    EXPECT_EQ(FormatAxisValue(2.0624, English), "2.062");
    EXPECT_EQ(FormatAxisValue(9.9995, English), "10");
    // A value that rounds to zero carries no sign.
    EXPECT_EQ(FormatAxisValue(-0.0001, English), "0");
    EXPECT_EQ(FormatAxisValue(-0.0, English), "0");
}

TEST(NumberFormat, NonFiniteValues) {
    EXPECT_EQ(FormatAxisValue(std::numeric_limits<double>::infinity(), English), "INF");
    EXPECT_EQ(FormatAxisValue(-std::numeric_limits<double>::infinity(), English), "-INF");
    EXPECT_EQ(FormatAxisValue(std::numeric_limits<double>::quiet_NaN(), English), "NAN");
}

TEST(AxisMath, NextNiceStepFollowsOneTwoFive) {
    EXPECT_EQ(NextNiceStep(1), 2);
    EXPECT_EQ(NextNiceStep(1.5), 2);
    EXPECT_EQ(NextNiceStep(2), 5);
    EXPECT_EQ(NextNiceStep(4.9), 5);
    EXPECT_EQ(NextNiceStep(5), 10);
    EXPECT_EQ(NextNiceStep(0.5), 1);
    EXPECT_EQ(NextNiceStep(10), 20);
    EXPECT_EQ(NextNiceStep(14.2), 20);
    EXPECT_EQ(NextNiceStep(20), 50);
    EXPECT_EQ(NextNiceStep(0.1), 0.2);
    EXPECT_EQ(NextNiceStep(0.2), 0.5);
    EXPECT_EQ(NextNiceStep(1234), 2000);
    EXPECT_EQ(NextNiceStep(std::numeric_limits<double>::infinity()), 1);
}

TEST(AxisMath, NextNiceStepAlwaysGrows) {
    // Decade values just below their decimal value (as 1e-11 is in binary) must still move on.
    for (int e = -300; e <= 300; ++e) {
        for (const double mantissa : {1.0, 2.0, 5.0, 1.5, 9.99}) {
            const double x = mantissa * std::pow(10.0, e);
            ASSERT_GT(NextNiceStep(x), x) << mantissa << "e" << e;
            ASSERT_LT(NextNiceStep(x), 10.0001 * x) << mantissa << "e" << e;
        }
    }
}

TEST(AxisMath, RoundHalfEven) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(10.71), 11);
    EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

} // namespace
} // namespace mouldview::chart
