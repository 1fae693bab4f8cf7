#include "winui/palette.h"

namespace winui {

namespace {

int systemIndex(common::SystemColour colour) {
    using common::SystemColour;
    switch (colour) {
    case SystemColour::Window:
        return COLOR_WINDOW;
    case SystemColour::WindowText:
        return COLOR_WINDOWTEXT;
    case SystemColour::ButtonFace:
        return COLOR_BTNFACE;
    case SystemColour::ButtonText:
        return COLOR_BTNTEXT;
    case SystemColour::Highlight:
        return COLOR_HIGHLIGHT;
    case SystemColour::HighlightText:
        return COLOR_HIGHLIGHTTEXT;
    case SystemColour::HotLight:
        return COLOR_HOTLIGHT;
    }
    return COLOR_WINDOWTEXT;
}

} // namespace

COLORREF Palette::operator()(Paint paint) const {
    const common::Colour colour = common::colourOf(paint, highContrast);
    return colour.system ? GetSysColor(systemIndex(colour.which))
                         : static_cast<COLORREF>(colour.rgb);
}

Palette currentPalette() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    Palette palette;
    palette.highContrast =
        SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    return palette;
}

} // namespace winui
