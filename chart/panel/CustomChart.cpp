// Titles above and below the plot, the back wall frame and the chart's background colour.
#include "chart/panel/CustomChart.h"

#include <algorithm>

namespace mouldview::chart {

TCustomChart::TCustomChart()
    : m_title([this] { RequestRepaint(); }), m_subTitle([this] { RequestRepaint(); }),
      m_foot([this] { RequestRepaint(); }), m_subFoot([this] { RequestRepaint(); }),
      m_walls([this] { RequestRepaint(); }), m_legend([this] { RequestRepaint(); }) {
    // The chart asks for paints on changes only once it is fully built.
    SetAutoRepaint(true);
}

TCustomChart::~TCustomChart() {
    SetAutoRepaint(false);
}

TColor TCustomChart::BackColor() const {
    const TChartBackWall& wall = m_walls.Back();
    return wall.Transparent() ? Color() : wall.Color();
}

// --- Titles ----------------------------------------------------------------------------------------

void TCustomChart::DrawTitles(bool beforeSeries) {
    // A legend that should be drawn stands beside the plot before the titles take their room when
    // it is vertical, and after them when it is horizontal.
    const bool legendShown =
        beforeSeries && m_legend.Visible() && !m_legend.CustomPosition() && ActiveSeriesCount() > 0;
    if (legendShown && m_legend.Vertical()) {
        DrawLegend();
    }
    for (TChartTitle* title : {&m_title, static_cast<TChartTitle*>(&m_subTitle),
                               static_cast<TChartTitle*>(&m_foot), static_cast<TChartTitle*>(&m_subFoot)}) {
        if (title->CustomPosition() != beforeSeries) {
            DrawTitle(*title);
        }
    }
    if (legendShown && !m_legend.Vertical()) {
        DrawLegend();
    }
}

void TCustomChart::DrawTitle(TChartTitle& title) {
    const std::vector<std::string>& lines = title.Text();
    if (!title.Visible() || lines.empty()) {
        return;
    }
    TChartCanvas3D& canvas = Canvas();
    const bool custom = title.CustomPosition();
    const bool onTop = title.OnTop();

    int f = 0;
    if (title.Frame().Visible() && title.Frame().Color() != clDefault) {
        f = title.Frame().Width();
    }
    if (title.Bevel() != bvNone) {
        f = title.BevelWidth();
    }
    TRect bounds;
    if (custom) {
        bounds = TRect{title.Left(), title.Top(), title.Left(), title.Top()};
    } else {
        bounds = ChartRect();
        if (onTop) {
            bounds.Top += f;
        }
    }
    canvas.ApplyFont(title.Font());
    canvas.SetTextAlignment(TA_LEFT | TA_TOP);
    const int h = canvas.TextHeight("W");
    const int n = static_cast<int>(lines.size());
    if (onTop || custom) {
        bounds.Bottom = bounds.Top + n * h;
    } else {
        bounds.Top = bounds.Bottom - n * h;
    }
    if (!custom) {
        bounds = TRect{bounds.Left - f, bounds.Top - f, bounds.Right + f, bounds.Bottom + f};
    }
    const int cw = canvas.TextWidth("W");
    if (title.AdjustFrame()) {
        int widest = 0;
        for (const std::string& line : lines) {
            widest = std::max(widest, canvas.TextWidth(line));
        }
        const int total = cw + f + widest;
        switch (title.Alignment()) {
        case taLeftJustify:
            bounds.Right = bounds.Left + total;
            break;
        case taRightJustify:
            bounds.Left = bounds.Right - total;
            break;
        case taCenter: {
            if (custom) {
                bounds.Right = bounds.Left + total;
            }
            const int mid = (bounds.Left + bounds.Right) / 2;
            const int half = total / 2;
            bounds.Left = mid - half;
            bounds.Right = mid + half;
            break;
        }
        }
    }
    if (!title.Transparent()) {
        DrawTitleBox(title, bounds);
        // The box's drawing may have applied other fonts' state; the text uses the title's again.
        canvas.ApplyFont(title.Font());
        canvas.SetTextAlignment(TA_LEFT | TA_TOP);
    }
    canvas.SetBackgroundMode(cbmTransparent);
    for (int i = 0; i < n; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        const int y = onTop ? bounds.Top + i * h + f : bounds.Bottom - h - (i * h + f);
        int x = 0;
        switch (title.Alignment()) {
        case taCenter:
            x = (bounds.Left + bounds.Right) / 2 - canvas.TextWidth(line) / 2;
            break;
        case taRightJustify:
            x = bounds.Right - canvas.TextWidth(line) - cw / 2;
            break;
        case taLeftJustify:
            x = bounds.Left + cw / 2;
            break;
        }
        canvas.TextOut(x, y, line);
    }
    title.SetShapeBounds(bounds);
    if (!custom) {
        int gap = TitleGap + f;
        if (!title.Transparent()) {
            gap += title.Shadow().VertSize();
        }
        TRect& rect = MutableChartRect();
        if (onTop) {
            rect.Top = bounds.Bottom + gap;
        } else {
            rect.Bottom = bounds.Bottom - gap - n * h;
        }
        NormalizeChartRect();
    }
}

void TCustomChart::DrawTitleBox(TChartTitle& title, const TRect& bounds) {
    TChartCanvas3D& canvas = Canvas();
    const TChartShadow& shadow = title.Shadow();
    if (shadow.Size() > 0) {
        canvas.Pen().SetStyle(psClear);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(shadow.Color());
        canvas.FillRect(TRect{bounds.Left + shadow.HorizSize(), bounds.Top + shadow.VertSize(),
                              bounds.Right + shadow.HorizSize(), bounds.Bottom + shadow.VertSize()});
    }
    std::unique_ptr<TCanvasBlend> blend;
    if (title.Transparency() > 0) {
        blend = canvas.BeginBlending(bounds, title.Transparency());
    }
    canvas.ApplyBrushVisible(title.Brush(), title.Color(), canvas.BackgroundColor());
    canvas.ApplyPen(title.Frame(), title.Frame().Color());
    canvas.Rectangle(bounds);
    if (title.Bevel() != bvNone) {
        TRect inner{bounds.Left + 1, bounds.Top + 1, bounds.Right - 1, bounds.Bottom - 1};
        const bool raised = title.Bevel() == bvRaised;
        canvas.BevelFrame(inner, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
                          title.BevelWidth());
    }
    if (blend) {
        canvas.EndBlending(std::move(blend));
    }
}

// --- Walls -----------------------------------------------------------------------------------------

void TCustomChart::DrawWalls() {
    if (!AnySeriesUsesAxes()) {
        return;
    }
    if (View3DWalls() && m_walls.Back().Visible() && !DrawBackWallAfter()) {
        DrawBackWall();
    }
}

void TCustomChart::DrawBackWall() {
    TChartCanvas3D& canvas = Canvas();
    TChartBackWall& wall = m_walls.Back();
    canvas.ApplyPen(wall.Pen(), wall.Pen().Color());
    if (wall.Transparent()) {
        canvas.Brush().SetStyle(bsClear);
    } else {
        canvas.ApplyBrush(wall.Brush(), wall.Color(), clNone);
    }
    const TRect r = ChartRect();
    canvas.Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
}

} // namespace mouldview::chart
