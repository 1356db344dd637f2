// The span union that makes every stroke paint each pixel once: with few spans (kept in a list)
// and with many (kept in a bit mask) it must give exactly the union, sorted and merged.
#include "platform/raster/SpanPainter.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <utility>

namespace mouldview::raster {
namespace {

void CheckUnion(int count, unsigned seed) {
    const Rect clip{-3, 2, 150, 61};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> x(-20, 170);
    std::uniform_int_distribution<int> y(-5, 70);
    SpanSet spans(clip);
    std::set<std::pair<int, int>> expected;
    for (int i = 0; i < count; ++i) {
        const int row = y(random);
        const int a = x(random);
        const int b = a + static_cast<int>(random() % 90);
        spans.Add(row, a, b);
        for (int px = a; px < b; ++px)
            if (clip.Contains(px, row))
                expected.insert({row, px});
    }
    spans.Normalize();
    std::set<std::pair<int, int>> got;
    const Span* previous = nullptr;
    for (const Span& span : spans.Spans()) {
        ASSERT_LT(span.x0, span.x1);
        if (previous != nullptr) {
            // Sorted, and never overlapping or touching within a row.
            ASSERT_TRUE(previous->y < span.y || (previous->y == span.y && previous->x1 < span.x0));
        }
        for (int px = span.x0; px < span.x1; ++px)
            got.insert({span.y, px});
        previous = &span;
    }
    EXPECT_EQ(got, expected);
}

TEST(SpanSet, FewSpansGiveTheirUnion) {
    CheckUnion(300, 1);
}

TEST(SpanSet, ManySpansGiveTheSameUnionThroughTheMask) {
    CheckUnion(20000, 2);
    CheckUnion(4097, 3);
}

} // namespace
} // namespace mouldview::raster
