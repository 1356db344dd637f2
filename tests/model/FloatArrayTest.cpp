// The growable model arrays: new elements are zero, also after shrinking, and data survives
// growth by remapping.
#include "model/FloatArray.h"

#include "model/ModelState.h"

#include <gtest/gtest.h>

namespace {

using mouldview::model::TFloatArray;

TEST(FloatArray, GrowsWithZerosAndKeepsItsData) {
    TFloatArray array;
    EXPECT_EQ(array.Length(), 0u);
    for (std::size_t n = 1; n <= 3'000'000; ++n) {
        array.SetLength(n + 1);
        ASSERT_EQ(array[n], 0.0f);
        array[n] = static_cast<float>(n);
    }
    for (std::size_t n = 1; n <= 3'000'000; n += 999) {
        ASSERT_EQ(array[n], static_cast<float>(n));
    }
    array.SetLength(10);
    array.SetLength(20);
    for (std::size_t n = 10; n < 20; ++n) {
        EXPECT_EQ(array[n], 0.0f); // shrunk away and grown again: zero
    }
    EXPECT_EQ(array[9], 9.0f);
    array.Release();
    EXPECT_EQ(array.Length(), 0u);
    array.SetLength(5);
    EXPECT_EQ(array[4], 0.0f);
}

TEST(FloatArray, RoomWrittenAtTheTailButNotAddedReadsAsZeroLater) {
    TFloatArray array;
    array.SetLength(1);
    float* tail = array.Tail(100);
    for (int i = 0; i < 100; ++i) {
        tail[i] = 7.0f;
    }
    array.GrowBy(40);
    EXPECT_EQ(array.Length(), 41u);
    EXPECT_EQ(array[40], 7.0f);
    array.SetLength(101);
    EXPECT_EQ(array[41], 0.0f); // written through Tail, never added: cleared when the array grows
    EXPECT_EQ(array[100], 0.0f);
}

TEST(FloatArray, ValuesWrittenThroughTheTailSurviveEveryGrowth) {
    // The reader's way of filling: room at the tail, written, then added; the array moves to
    // larger mappings many times on the way to 12 MB.
    TFloatArray array;
    array.SetLength(1);
    std::size_t next = 1;
    while (next < 3'000'000) {
        float* tail = array.Tail(21'846);
        const std::size_t count = 17'000 + next % 4'000;
        for (std::size_t i = 0; i < count; ++i) {
            tail[i] = static_cast<float>(next + i);
        }
        array.GrowBy(count);
        next += count;
    }
    ASSERT_EQ(array.Length(), next);
    for (std::size_t n = 1; n < next; ++n) {
        ASSERT_EQ(array[n], static_cast<float>(n)) << n;
    }
}

TEST(FloatArray, ReleaseEmptiesEveryGroupAndSlot) {
    mouldview::model::TModelState state;
    state.HourlyTemp[1].SetLength(10);
    state.MouldIndex[20].SetLength(3);
    state.ClimateFileName = "x.txt";
    state.Release();
    EXPECT_EQ(state.HourlyTemp[1].Length(), 0u);
    EXPECT_EQ(state.MouldIndex[20].Length(), 0u);
    EXPECT_TRUE(state.ClimateFileName.empty());
}

} // namespace
