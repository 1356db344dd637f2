// The data side of a series: X and Y value lists kept in X order, optional per-point colours and
// labels, the series colour with its palette default, the binding to a horizontal and a vertical
// axis, and the index range of the points that lie inside the horizontal axis' range.
#pragma once

#include "chart/canvas/ChartColors.h"
#include "chart/series/ChartElement.h"
#include "chart/series/ChartValueList.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mouldview::chart {

class TCustomChartAxis;

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

class TChartSeries : public TCustomChartSeries {
public:
    // Called before a point is stored; returning false refuses the point.
    using TBeforeAddEvent = std::function<bool(TChartSeries&)>;
    using TAfterAddEvent = std::function<void(TChartSeries&, int index)>;
    using TClearValuesEvent = std::function<void(TChartSeries&)>;

    TChartSeries();
    // Leaves the parent chart's series list; the value lists go with the series.
    ~TChartSeries() override;

    // Moves the series to another chart (or to none): out of the old chart's list, then attached to
    // the new one.
    void SetParentChart(TParentChart* chart);

    TChartValueList& XValues() const { return *m_xValues; }
    TChartValueList& YValues() const { return *m_yValues; }
    const TChartValueLists& ValuesList() const { return m_valuesList; }

    void SetActive(bool active) override;

    // Stores a point at its place in X order and returns its index, or -1 when OnBeforeAdd refused it.
    virtual int AddPoint(double x, double y, const std::string& label, TColor color);
    virtual void ClearPoints();

    int PointCount() const { return XValues().Count(); }
    double X(int i) const { return XValues().Value(i); }
    double Y(int i) const { return YValues().Value(i); }
    // The label of point i; empty when the point has none.
    std::string PointLabel(int i) const;
    bool HasPointLabels() const { return !m_labels.empty(); }
    // The colour point i is drawn in (clNone marks a null point, which is not drawn).
    TColor PointColor(int i) const {
        // A point's own colour is the common case of long series; inline for the drawing loops.
        if (m_pointColors && i >= 0 && i < m_pointColors->Count()) {
            const TColor own = (*m_pointColors)[i];
            if (own != clDefault) {
                return own;
            }
        }
        return RuleColor(i);
    }
    bool HasPointColors() const { return m_pointColors.has_value(); }

    virtual double MaxX() const;
    virtual double MaxY() const;
    virtual double MinX() const;
    virtual double MinY() const;

    TColor SeriesColor() const { return m_seriesColor; }
    virtual void SetSeriesColor(TColor color);
    TColor AutoColor() const { return m_autoColor; }
    // SeriesColor when set, AutoColor otherwise.
    TColor EffectiveColor() const { return m_seriesColor != clDefault ? m_seriesColor : m_autoColor; }
    bool ColorEachPoint() const { return m_colorEachPoint; }
    void SetColorEachPoint(bool value);

    THorizAxis HorizAxis() const { return m_horizAxis; }
    void SetHorizAxis(THorizAxis axis);
    TVertAxis VertAxis() const { return m_vertAxis; }
    void SetVertAxis(TVertAxis axis);
    TCustomChartAxis* CustomHorizAxis() const { return m_customHorizAxis; }
    void SetCustomHorizAxis(TCustomChartAxis* axis);
    TCustomChartAxis* CustomVertAxis() const { return m_customVertAxis; }
    void SetCustomVertAxis(TCustomChartAxis* axis);
    TCustomChartAxis* BoundHorizAxis() const { return m_boundHorizAxis; }
    TCustomChartAxis* BoundVertAxis() const { return m_boundVertAxis; }
    // Resolves BoundHorizAxis and BoundVertAxis from HorizAxis and VertAxis on the parent chart.
    void BindAxes();

    virtual bool IsAssociatedToAxis(const TCustomChartAxis& axis) const;
    // The X list for a horizontal axis, the Y list for a vertical one, none when not associated.
    TChartValueList* ValueListForAxis(const TCustomChartAxis& axis) const;
    // Whether the series is plotted against axes at all (line series are).
    virtual bool UsesAxes() const { return true; }
    // The pixels the series asks its axes to keep free at each end; none by default.
    virtual void HorizMargins(int& left, int& right) const;
    virtual void VertMargins(int& top, int& bottom) const;

    // --- Painting: the chart calls these in each paint, in this order --------------------------------
    // The chart is about to be drawn.
    virtual void DoBeforeDrawChart() {}
    // Around the drawing of the values: the hooks, then the events when assigned.
    virtual void DoBeforeDrawValues() {
        if (OnBeforeDrawValues) {
            OnBeforeDrawValues(*this);
        }
    }
    // Draws the points FirstVisible..LastVisible; the base series has nothing to draw.
    virtual void DrawAllValues() {}
    virtual void DoAfterDrawValues() {
        if (OnAfterDrawValues) {
            OnAfterDrawValues(*this);
        }
    }

    // Finds the first and last point to draw for the horizontal axis' current range.
    void CalcVisibleRange();
    int FirstVisible() const { return m_firstVisible; }
    int LastVisible() const { return m_lastVisible; }

    int UpdateLevel() const { return m_updateLevel; }
    void BeginUpdate() { ++m_updateLevel; }
    void EndUpdate();

    const std::string& ValueFormat() const { return m_valueFormat; }
    void SetValueFormat(std::string format) { m_valueFormat = std::move(format); }
    const std::string& PercentFormat() const { return m_percentFormat; }
    void SetPercentFormat(std::string format) { m_percentFormat = std::move(format); }
    int Depth() const { return m_depth; }
    void SetDepth(int depth) { m_depth = depth; }

    TBeforeAddEvent OnBeforeAdd;
    TAfterAddEvent OnAfterAdd;
    TClearValuesEvent OnClearValues;
    std::function<void(TChartSeries&)> OnBeforeDrawValues;
    std::function<void(TChartSeries&)> OnAfterDrawValues;

protected:
    friend class TParentChart;

    // The step a chart runs when the series joins it, before the series is in its list.
    virtual void Added();
    // The per-point notification after a point was stored at index.
    virtual void NotifyPointAdded(int index);
    // Linked series (series computed from this one) hear of added points and of clearing; this
    // program links none.
    virtual void NotifyLinkedSeries(int /*index*/) {}
    // Marks keep per-point state (positions, visibility) that clearing resets; marks stay hidden here.
    virtual void ClearMarksState() {}
    // A series fed by a data source checks the link when it joins a chart; none is used here.
    virtual void CheckDataSource() {}

    // Called by the parent chart's destructor: the chart is gone, nothing is attached any more.
    void ForgetParentChart();

private:
    // The colour of a point without a colour of its own: the series colour, or the palette's with
    // ColorEachPoint.
    TColor RuleColor(int i) const;

    TChartValueLists m_valuesList;
    // Entries 0 and 1 of m_valuesList, held directly for the per-point paths.
    TChartValueList* m_xValues;
    TChartValueList* m_yValues;
    std::optional<TGrowableArray<TColor>> m_pointColors;
    std::vector<std::string> m_labels;
    TColor m_seriesColor = clDefault;
    TColor m_autoColor = clDefault;
    bool m_colorEachPoint = false;
    THorizAxis m_horizAxis = aBottomAxis;
    TVertAxis m_vertAxis = aLeftAxis;
    TCustomChartAxis* m_customHorizAxis = nullptr;
    TCustomChartAxis* m_customVertAxis = nullptr;
    TCustomChartAxis* m_boundHorizAxis = nullptr;
    TCustomChartAxis* m_boundVertAxis = nullptr;
    int m_firstVisible = -1;
    int m_lastVisible = -1;
    int m_updateLevel = 0;
    std::string m_valueFormat = "#,##0.###";
    std::string m_percentFormat = "##0.## %";
    int m_depth = -1;
};

} // namespace mouldview::chart
