#include "common/colours.h"

namespace common {

namespace {

constexpr std::uint32_t rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

struct Choice {
    Paint paint;
    std::uint32_t fixed;
    SystemColour system;
};

constexpr Choice kChoices[] = {
    {Paint::Ground, rgb(228, 228, 228), SystemColour::ButtonFace},
    {Paint::Picture, rgb(204, 204, 204), SystemColour::Window},
    {Paint::Text, rgb(16, 16, 16), SystemColour::WindowText},
    {Paint::Title, rgb(14, 38, 86), SystemColour::WindowText},
    {Paint::FooterText, rgb(80, 80, 80), SystemColour::ButtonText},
    {Paint::Link, rgb(14, 70, 150), SystemColour::HotLight},
    {Paint::Rule, rgb(196, 196, 196), SystemColour::ButtonText},
    {Paint::Strip, rgb(255, 255, 255), SystemColour::Window},
    {Paint::StripText, rgb(92, 100, 116), SystemColour::WindowText},
    {Paint::Banner, rgb(14, 38, 86), SystemColour::ButtonFace},
    {Paint::BannerText, rgb(255, 255, 255), SystemColour::ButtonText},
    {Paint::Accent, rgb(240, 140, 20), SystemColour::Highlight},
    {Paint::AccentText, rgb(255, 255, 255), SystemColour::HighlightText},
    {Paint::GlyphEdge, rgb(168, 124, 36), SystemColour::WindowText},
    {Paint::GlyphFace, rgb(252, 218, 118), SystemColour::Window},
};

} // namespace

Colour colourOf(Paint paint, bool highContrast) {
    for (const Choice& choice : kChoices) {
        if (choice.paint == paint) {
            return highContrast ? Colour{true, choice.system, 0}
                                : Colour{false, choice.system, choice.fixed};
        }
    }
    // Every paint is in the table; an unknown one is drawn as page text.
    return highContrast ? Colour{true, SystemColour::WindowText, 0}
                        : Colour{false, SystemColour::WindowText, rgb(16, 16, 16)};
}

} // namespace common
