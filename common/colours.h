#pragma once

#include <cstdint>

// Which colour each part of a window is drawn in. With the system's high
// contrast on, every part takes one of the user's system colours, in the
// pairs the system means to go together (text on window, button text on
// button face); otherwise the window's own fixed scheme.
namespace common {

enum class Paint {
    Ground,     // the window's background and the footer
    Picture,    // a page's picture, under the page text and labels
    Text,       // page text, labels
    Title,      // a page's first line
    FooterText, // the footer's note
    Link,       // the web address in the footer
    Rule,       // the line above the footer
    Strip,      // a page's sub-header strip
    StripText,  // "welcome to", the caption and the logo's words in the strip
    Banner,     // the header banner's ground
    BannerText, // the slogan
    Accent,     // the logo's badge, the slogan's underline
    AccentText, // the digit on the badge
    GlyphEdge,  // the folder glyphs of the folder list
    GlyphFace,
};

// The user's colours, as the system names them.
enum class SystemColour {
    Window,
    WindowText,
    ButtonFace,
    ButtonText,
    Highlight,
    HighlightText,
    HotLight
};

struct Colour {
    bool system = false;
    SystemColour which = SystemColour::Window; // when system
    std::uint32_t rgb = 0;                     // 0x00BBGGRR, when not
};

Colour colourOf(Paint paint, bool highContrast);

} // namespace common
