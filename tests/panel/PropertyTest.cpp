// Random charts of every size from 1 x 1 to 4000 x 3000 with random series data and settings:
// painting never fails, the picture keeps the control's size, and the series' pixels lie inside
// ChartRect or on its frame. The series' pixels are found by painting twice with two series colours and
// comparing the pictures, so nothing else drawn in the same colour can hide a stray pixel.
#include "tests/panel/PanelTestSupport.h"

#include <gtest/gtest.h>
#include <random>
#include <utility>
#include <vector>

namespace mouldview::chart::test {
namespace {

struct RandomChart {
    explicit RandomChart(std::mt19937& random) : Random(random) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(Random); }
    bool Chance(int percent) { return Int(0, 99) < percent; }
    double Value() {
        switch (Int(0, 5)) {
        case 0:
            return std::uniform_real_distribution<double>(-1e12, 1e12)(Random);
        case 1:
            return Int(-3, 3);
        default:
            return std::uniform_real_distribution<double>(-5, 25)(Random);
        }
    }

    // size: a fixed size to use, or {0, 0} for a random one.
    void Build(std::pair<int, int> size) {
        if (size.first > 0) {
            Chart.SetSize(size.first, size.second);
        } else if (Chance(10)) {
            Chart.SetSize(Int(1, 4000), Int(1, 3000));
        } else {
            Chart.SetSize(Int(1, 600), Int(1, 400));
        }
        Chart.SetView3D(false);
        Chart.Legend().SetVisible(Chance(50));
        if (Chance(70)) {
            Chart.Title().SetText({"Dose-response (Tevo) model, Ardune University"});
        }
        if (Chance(20)) {
            Chart.Foot().SetText({"foot", "two lines"});
        }
        Chart.BottomAxis()->Title().SetCaption(Chance(70) ? "12 hour periods" : "");
        Chart.LeftAxis()->Title().SetCaption(Chance(70) ? "Mould index" : "");
        if (Chance(30)) {
            Chart.SetMarginUnits(muPixels);
            Chart.SetMarginLeft(Int(-20, 300));
            Chart.SetMarginRight(Int(-20, 300));
            Chart.SetMarginTop(Int(-20, 200));
            Chart.SetMarginBottom(Int(-20, 200));
        }
        if (Chance(20)) {
            Chart.SetBevelInner(bvLowered);
            Chart.SetBorderWidth(Int(0, 5));
        }
        if (Chance(30)) {
            const double a = Value();
            Chart.BottomAxis()->SetAxisRange(a, a + std::abs(Value()) + 1e-3);
        }
        if (Chance(30)) {
            Chart.LeftAxis()->SetAutomaticMinimum(false);
        }
        Chart.BottomAxis()->SetInverted(Chance(15));
        Chart.LeftAxis()->SetInverted(Chance(15));
        for (TLineSeries* s : {&A, &B}) {
            const int n = Chance(10) ? 0 : Int(1, Chance(20) ? 3000 : 40);
            for (int i = 0; i < n; ++i) {
                s->AddPoint(Value(), Value(), "", Chance(5) ? clNone : clDefault);
            }
            s->SetStairs(Chance(20));
            s->SetInvertedStairs(Chance(50));
            s->SetColorEachPoint(Chance(10));
            s->SetActive(Chance(90));
            if (Chance(10)) {
                s->LinePen().SetWidth(Int(1, 4));
            }
            s->SetParentChart(&Chart);
        }
    }

    raster::Bitmap PaintWith(TColor a, TColor b) {
        A.SetSeriesColor(a);
        B.SetSeriesColor(b);
        A.SetColorEachPoint(false);
        B.SetColorEachPoint(false);
        Chart.HandlePaint();
        return Chart.WindowBitmap();
    }

    std::mt19937& Random;
    TChart Chart;
    TLineSeries A;
    TLineSeries B;
};

TEST(Property, RandomChartsKeepSeriesInsideTheFrame) {
    std::mt19937 random(20261207);
    // The extreme sizes first, then random ones.
    const std::vector<std::pair<int, int>> fixedSizes = {{1, 1},    {2, 2},       {1, 3000},
                                                         {4000, 1}, {4000, 3000}, {30, 20}};
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        RandomChart c(random);
        c.Build(round < static_cast<int>(fixedSizes.size()) ? fixedSizes[static_cast<std::size_t>(round)]
                                                            : std::pair<int, int>{0, 0});
        const raster::Bitmap first = c.PaintWith(0x010203, 0x040506);
        const TRect r = c.Chart.ChartRect();
        const raster::Bitmap second = c.PaintWith(0xFDFCFB, 0xFAF9F8);
        ASSERT_EQ(first.Width(), c.Chart.Width());
        ASSERT_EQ(first.Height(), c.Chart.Height());
        ASSERT_EQ(c.Chart.ChartRect(), r) << "the layout does not depend on the series colours";
        // Wide pens (width above 1) reach beyond the clip only through their own clip; the clip keeps
        // every pixel of every pen on or inside the frame.
        for (int y = 0; y < first.Height(); ++y) {
            const raster::Pixel* p = first.Row(y);
            const raster::Pixel* q = second.Row(y);
            for (int x = 0; x < first.Width(); ++x) {
                if (p[x] != q[x]) {
                    ASSERT_TRUE(x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom)
                        << "series pixel (" << x << ", " << y << ") outside the frame of ChartRect ("
                        << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ") at size "
                        << first.Width() << " x " << first.Height();
                }
            }
        }
    }
}

} // namespace
} // namespace mouldview::chart::test
