// Value lists: placement under each order, capacity steps, statistics and their cache.
#include "chart/series/ChartValueList.h"

#include <gtest/gtest.h>
#include <vector>

namespace mouldview::chart {
namespace {

std::vector<double> Values(const TChartValueList& list) {
    return std::vector<double>(list.Data(), list.Data() + list.Count());
}

TEST(ValueList, AscendingPlacesEqualValuesAfterExistingOnes) {
    TChartValueList list("X", loNone);
    list.SetOrder(loAscending);
    EXPECT_EQ(list.AddOrdered(1), 0);
    EXPECT_EQ(list.AddOrdered(2), 1);
    EXPECT_EQ(list.AddOrdered(3), 2);
    EXPECT_EQ(list.AddOrdered(2), 2);
    EXPECT_EQ(Values(list), (std::vector<double>{1, 2, 2, 3}));
    EXPECT_EQ(list.AddOrdered(0.5), 0);
    EXPECT_EQ(Values(list), (std::vector<double>{0.5, 1, 2, 2, 3}));
}

TEST(ValueList, DescendingPlacesEqualValuesAfterExistingOnes) {
    TChartValueList list("X", loNone);
    list.SetOrder(loDescending);
    EXPECT_EQ(list.AddOrdered(3), 0);
    EXPECT_EQ(list.AddOrdered(2), 1);
    EXPECT_EQ(list.AddOrdered(2), 2);
    EXPECT_EQ(list.AddOrdered(5), 0);
    EXPECT_EQ(Values(list), (std::vector<double>{5, 3, 2, 2}));
}

TEST(ValueList, NoOrderAppendsAndChangingOrderDoesNotSort) {
    TChartValueList list("Y", loNone);
    for (double v : {3.0, 1.0, 2.0}) {
        list.AddOrdered(v);
    }
    list.SetOrder(loAscending);
    EXPECT_EQ(Values(list), (std::vector<double>{3, 1, 2}));
    list.InsertAt(1, 9);
    EXPECT_EQ(Values(list), (std::vector<double>{3, 9, 1, 2}));
}

TEST(ValueList, CapacityGrowsInStepsAndIsReleased) {
    TChartValueList list("X", loNone);
    EXPECT_EQ(list.Capacity(), 0);
    list.AddOrdered(0);
    EXPECT_EQ(list.Capacity(), 1000);
    for (int i = 1; i < 1000; ++i) {
        list.AddOrdered(i);
        ASSERT_EQ(list.Capacity(), 1000) << "value " << i + 1;
    }
    list.AddOrdered(1000);
    EXPECT_EQ(list.Capacity(), 2000);
    // Large lists keep whole steps but grow by half their size, so filling stays linear.
    int growths = 0;
    int capacity = list.Capacity();
    for (int i = 1001; i < 1000000; ++i) {
        list.AddOrdered(i);
        if (list.Capacity() != capacity) {
            ++growths;
            capacity = list.Capacity();
            ASSERT_EQ(capacity % TChartValueList::ValueCapacityStep, 0);
        }
    }
    EXPECT_LT(growths, 40);
    EXPECT_EQ(list.Value(999999), 999999);
    list.RemoveAll();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_EQ(list.AddOrdered(7), 0);
    EXPECT_EQ(list.Capacity(), 1000);
}

TEST(ValueList, StatisticsOfEmptyAndFilledLists) {
    TChartValueList list("Y", loNone);
    EXPECT_EQ(list.LowestValue(), 0);
    EXPECT_EQ(list.HighestValue(), 0);
    EXPECT_EQ(list.ValueTotal(), 0);
    EXPECT_EQ(list.AbsTotal(), 0);
    EXPECT_FALSE(list.StatsStale());

    for (double v : {2.0, -3.0, 5.0, 1.0}) {
        list.AddOrdered(v);
    }
    EXPECT_TRUE(list.StatsStale());
    EXPECT_EQ(list.LowestValue(), -3);
    EXPECT_EQ(list.HighestValue(), 5);
    EXPECT_EQ(list.ValueTotal(), 5);
    EXPECT_EQ(list.AbsTotal(), 11);
    EXPECT_EQ(list.Range(), 8);
    EXPECT_FALSE(list.StatsStale());

    // Every change makes the cache stale; the next read sees the new values.
    list.InsertAt(0, 10);
    EXPECT_TRUE(list.StatsStale());
    EXPECT_EQ(list.HighestValue(), 10);
    list.RemoveAll();
    EXPECT_EQ(list.HighestValue(), 0);
}

TEST(ValueList, SingleValueIsBothEnds) {
    TChartValueList list("Y", loNone);
    list.AddOrdered(-4);
    EXPECT_EQ(list.LowestValue(), -4);
    EXPECT_EQ(list.HighestValue(), -4);
    EXPECT_EQ(list.First(), -4);
    EXPECT_EQ(list.Last(), -4);
}

} // namespace
} // namespace mouldview::chart
