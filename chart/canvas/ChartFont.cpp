// The default face and size of chart fonts.
#include "chart/canvas/ChartFont.h"

#include "platform/raster/Font.h"

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

TChartFont::TChartFont(TColor color)
    : m_name(DefaultChartFontName()), m_height(raster::HeightFromPoints(DefaultChartFontSize())),
      m_color(color) {}

} // namespace mouldview::chart
