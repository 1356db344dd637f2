// Large random charts painted twice: once by line series that map their points with copies of the
// axes' mappings, once by series that go point by point through DrawValue and the virtual position
// queries. Both must give the very same window, pixel for pixel.
#include "tests/panel/PanelTestSupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>

namespace mouldview::chart::test {
namespace {

// Replacing a position query sends the series down the point-by-point path; the position stays.
class PointByPointSeries : public TLineSeries {
public:
    int CalcXPos(int i) const override { return TLineSeries::CalcXPos(i); }
};

// Everything a random chart varies, drawn once from a seed.
struct ChartSettings {
    explicit ChartSettings(unsigned seed) : random(seed) {}

    bool Chance(double p) { return std::bernoulli_distribution(p)(random); }
    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }
    double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); }

    std::mt19937 random;
};

// A chart of the given size with two series of the given class, filled and set up from `seed`.
template <class Series> struct RandomChart {
    RandomChart(unsigned seed, int width, int height, int points) {
        ChartSettings s(seed);
        Chart.SetSize(width, height);
        Chart.Legend().SetVisible(false);
        Chart.SetView3D(false);
        Chart.Title().SetText({"Random chart " + std::to_string(seed)});
        for (Series* series : {&First, &Second}) {
            series->SetParentChart(&Chart);
            series->Pointer().SetVisible(false);
            series->Marks().SetVisible(false);
            double x = s.Real(-1e3, 1e3);
            double y = s.Real(-5, 5);
            const double step = s.Chance(0.5) ? 1.0 : s.Real(1e-3, 10);
            const double nullChance = s.Chance(0.4) ? 0.01 : 0;
            for (int k = 0; k < points; ++k) {
                // Steady runs, jumps and repeated positions, as measured series show them.
                x += s.Chance(0.05) ? 0 : step * s.Real(0.5, 1.5);
                y += s.Chance(0.01) ? s.Real(-50, 50) : s.Real(-0.5, 0.5);
                TColor color = s.Chance(0.7) ? clBlue : clDefault;
                if (s.Chance(nullChance)) {
                    color = clNone;
                } else if (s.Chance(0.02)) {
                    color = static_cast<TColor>(s.Between(0, 0xFFFFFF));
                }
                series->AddPoint(x, y, "", color);
            }
            series->SetColorEachPoint(s.Chance(0.3));
            series->SetColorEachLine(s.Chance(0.7));
            series->SetStairs(s.Chance(0.15));
            series->SetInvertedStairs(s.Chance(0.5));
            if (s.Chance(0.15)) {
                series->LinePen().SetStyle(psDash);
            }
            if (s.Chance(0.1)) {
                series->LinePen().SetWidth(2);
            }
            if (s.Chance(0.15)) {
                series->Shadow().SetColor(clGray);
                series->Shadow().SetHorizSize(s.Between(-3, 3));
                series->Shadow().SetVertSize(s.Between(-3, 3));
            }
            if (s.Chance(0.1)) {
                series->OutLine().SetVisible(true);
            }
        }
        Chart.BottomAxis()->SetInverted(s.Chance(0.3));
        Chart.LeftAxis()->SetInverted(s.Chance(0.2));
        // A zoomed view: points before, after, above and below the plot enter from its edges.
        if (s.Chance(0.6)) {
            const double lo = First.MinX() + s.Real(0, 0.5) * (First.MaxX() - First.MinX());
            Chart.BottomAxis()->SetAxisRange(lo, lo + s.Real(1e-3, 0.5) * (First.MaxX() - First.MinX()));
        }
        if (s.Chance(0.5)) {
            const double mid = s.Real(First.MinY(), First.MaxY());
            Chart.LeftAxis()->SetAxisRange(mid - s.Real(0.1, 20), mid + s.Real(0.1, 20));
        }
    }

    const raster::Bitmap& Paint() {
        Chart.HandlePaint();
        return Chart.WindowBitmap();
    }

    TChart Chart;
    Series First;
    Series Second;
};

::testing::AssertionResult SameWindow(const raster::Bitmap& a, const raster::Bitmap& b) {
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) {
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(SeriesFastPath, RandomChartsPaintTheSamePixelsAsThePointByPointPath) {
    struct Case {
        int width;
        int height;
        int points;
    };
    // One full-HD chart with many points, then varied smaller ones.
    const Case cases[] = {{1920, 1080, 200000}, {447, 202, 5000},  {800, 600, 30000},  {1200, 300, 50000},
                          {300, 900, 20000},    {640, 480, 10000}, {1024, 768, 40000}, {500, 500, 3000},
                          {1600, 900, 60000},   {700, 400, 15000}, {900, 700, 25000},  {400, 300, 8000}};
    unsigned seed = 1;
    for (const Case& c : cases) {
        RandomChart<TLineSeries> mapped(seed, c.width, c.height, c.points);
        RandomChart<PointByPointSeries> pointByPoint(seed, c.width, c.height, c.points);
        const raster::Bitmap& expected = pointByPoint.Paint();
        EXPECT_TRUE(SameWindow(mapped.Paint(), expected)) << "seed " << seed;
        // The series left the same last point behind, for the next paint's entry.
        EXPECT_EQ(mapped.First.PrevX(), pointByPoint.First.PrevX()) << "seed " << seed;
        EXPECT_EQ(mapped.Second.PrevY(), pointByPoint.Second.PrevY()) << "seed " << seed;
        ++seed;
    }
}

} // namespace
} // namespace mouldview::chart::test
