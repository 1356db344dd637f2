// Defaults and lazily created sub-objects of the chart font.
#include "chart/canvas/ChartFont.h"

#include <cstdlib>
#include <string_view>

namespace mouldview::chart {

namespace {

// The primary language of the user's locale, as the C library's locale variables name it.
std::string_view LocaleLanguage() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            const std::string_view locale(value);
            return locale.substr(0, locale.find_first_of("_.@"));
        }
    }
    return {};
}

struct ChartFontDefaults {
    std::string Name = "Arial";
    int Size = 8;

    ChartFontDefaults() {
        // Under a Japanese locale "Arial" lacks the glyphs; the framework's user-interface font
        // (MS Sans Serif, 8 points) stands in, as the desktop's own dialogs do.
        if (LocaleLanguage() == "ja") {
            Name = "MS Sans Serif";
            Size = 8;
        }
    }
};

const ChartFontDefaults& Defaults() {
    static const ChartFontDefaults defaults;
    return defaults;
}

} // namespace

const std::string& DefaultChartFontName() {
    return Defaults().Name;
}

int DefaultChartFontSize() {
    return Defaults().Size;
}

TChartFont::TChartFont(std::function<void()> onChange) {
    SetColor(clBlack);
    SetCharset(DEFAULT_CHARSET);
    SetStyle(0);
    SetName(DefaultChartFontName());
    SetSize(DefaultChartFontSize());
    SetOnChange(std::move(onChange));
}

TChartFont::~TChartFont() = default;

void TChartFont::SetInterCharSize(int value) {
    if (value != m_interCharSize) {
        m_interCharSize = value;
        Changed();
    }
}

TChartHiddenPen& TChartFont::OutLine() {
    if (!m_outLine) {
        m_outLine = std::make_unique<TChartHiddenPen>([this] { ForwardChange(); });
    }
    return *m_outLine;
}

TChartShadow& TChartFont::Shadow() {
    if (!m_shadow) {
        m_shadow = std::make_unique<TChartShadow>([this] { ForwardChange(); });
    }
    return *m_shadow;
}

TChartFontGradient& TChartFont::Gradient() {
    if (!m_gradient) {
        m_gradient = std::make_unique<TChartFontGradient>([this] { ForwardChange(); });
    }
    return *m_gradient;
}

void TChartFont::Assign(const TFont& source) {
    if (const auto* chartFont = dynamic_cast<const TChartFont*>(&source);
        chartFont != nullptr && chartFont != this) {
        SetInterCharSize(chartFont->m_interCharSize);
        if (chartFont->m_outLine) {
            OutLine().Assign(*chartFont->m_outLine);
        }
        if (chartFont->m_shadow) {
            Shadow().Assign(*chartFont->m_shadow);
        }
        if (chartFont->m_gradient) {
            const TChartFontGradient& from = *chartFont->m_gradient;
            TChartFontGradient& to = Gradient();
            to.SetVisible(from.Visible());
            to.SetDirection(from.Direction());
            to.SetStartColor(from.StartColor());
            to.SetEndColor(from.EndColor());
            to.SetMidColor(from.MidColor());
            to.SetBalance(from.Balance());
            to.SetRadialX(from.RadialX());
            to.SetRadialY(from.RadialY());
            to.SetOutline(from.Outline());
        }
    }
    TFont::Assign(source);
}

} // namespace mouldview::chart
