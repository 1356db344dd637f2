// The chart engine's font: the framework font with chart defaults ("Arial" 8, black), extra
// spacing between characters, and outline, shadow and gradient objects that exist only once asked for.
#pragma once

#include "chart/canvas/ChartGradient.h"
#include "chart/canvas/ChartPen.h"
#include "chart/canvas/ChartShadow.h"
#include "chart/canvas/Font.h"

#include <memory>
#include <string>

namespace mouldview::chart {

// The face name and point size every chart font starts with, settled once per process.
const std::string& DefaultChartFontName();
int DefaultChartFontSize();

class TChartFont : public TFont {
public:
    explicit TChartFont(std::function<void()> onChange = {});
    ~TChartFont() override;

    int InterCharSize() const { return m_interCharSize; }
    void SetInterCharSize(int value);

    // Each sub-object is created on first access (hidden, no offset, invisible respectively).
    TChartHiddenPen& OutLine();
    TChartShadow& Shadow();
    TChartFontGradient& Gradient();
    // Ask without creating: null while never accessed, so plain text pays nothing for them.
    const TChartHiddenPen* OutLineIfCreated() const { return m_outLine.get(); }
    const TChartShadow* ShadowIfCreated() const { return m_shadow.get(); }
    const TChartFontGradient* GradientIfCreated() const { return m_gradient.get(); }

    // Copies the framework fields, InterCharSize, and those sub-objects the source has created.
    void Assign(const TFont& source) override;

private:
    void ForwardChange() const { Changed(); }

    int m_interCharSize = 0;
    std::unique_ptr<TChartHiddenPen> m_outLine;
    std::unique_ptr<TChartShadow> m_shadow;
    std::unique_ptr<TChartFontGradient> m_gradient;
};

} // namespace mouldview::chart
