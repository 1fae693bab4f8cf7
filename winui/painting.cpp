#include "winui/painting.h"

#include "winui/banner.h"
#include "winui/layout.h"
#include "winui/text.h"

#include <cwchar>
#include <string>

namespace winui {

namespace {

// "MS Shell Dlg 2" is the system's alias for its dialog face (Tahoma, or its
// successor); systems without the alias fall back on Tahoma by name.
constexpr const wchar_t* kDialogFace = L"MS Shell Dlg 2";
constexpr const wchar_t* kDisplayFace = L"Tahoma";

Font makeFont(const Scale& scale, int points, bool bold, bool italic, const wchar_t* face) {
    LOGFONTW font{};
    font.lfHeight = scale.fontHeight(points);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    // Systems without ClearType take this as plain antialiasing, or nothing.
    font.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return Font(CreateFontIndirectW(&font));
}

int lineAdvance(HDC dc, const Font& font) {
    Selection selected(dc, font.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

void paintFooter(HDC dc, const RECT& area, const Scale& scale, const Fonts& fonts,
                 const Palette& palette, const WideText& invitation, const WideText& site) {
    fillRect(dc, area, palette(Paint::Ground));
    fillRect(
        dc, RECT{area.left + scale.design(8), area.top, area.right - scale.design(8), area.top + 1},
        palette(Paint::Rule));

    Selection font(dc, fonts.dialog.get());
    SetBkMode(dc, TRANSPARENT);
    SIZE first{};
    SIZE second{};
    GetTextExtentPoint32W(dc, invitation.c_str(), invitation.length(), &first);
    GetTextExtentPoint32W(dc, site.c_str(), site.length(), &second);
    const int x = area.left + (area.right - area.left - first.cx - second.cx) / 2;
    const int y = area.top + (area.bottom - area.top - first.cy) / 2;
    SetTextColor(dc, palette(Paint::FooterText));
    TextOutW(dc, x, y, invitation.c_str(), invitation.length());
    SetTextColor(dc, palette(Paint::Link));
    TextOutW(dc, x + first.cx, y, site.c_str(), site.length());
}

} // namespace

Fonts makeFonts(const Scale& scale) {
    Fonts fonts;
    fonts.dialog = makeFont(scale, 8, false, false, kDialogFace);
    fonts.body = makeFont(scale, 9, false, false, kDialogFace);
    fonts.bodyBold = makeFont(scale, 9, true, false, kDialogFace);
    fonts.title = makeFont(scale, 10, true, false, kDialogFace);
    fonts.slogan = makeFont(scale, 17, true, true, kDisplayFace);
    fonts.logo = makeFont(scale, 15, true, false, kDisplayFace);
    fonts.caption = makeFont(scale, 11, false, true, kDisplayFace);

    HDC screen = GetDC(nullptr);
    fonts.bodyLine = lineAdvance(screen, fonts.body) + scale.design(1);
    fonts.titleLine = lineAdvance(screen, fonts.title) + scale.design(6);
    ReleaseDC(nullptr, screen);
    return fonts;
}

void paintWindowFace(HDC dc, const RECT& client, const Scale& scale, const Fonts& fonts,
                     const Palette& palette, const WideText& invitation, const WideText& site) {
    fillRect(dc, client, palette(Paint::Ground));
    RECT header = layout::toPixels(scale, layout::kHeader);
    header.right = client.right;
    paintHeaderBanner(dc, header, scale, fonts, palette);
    RECT footer = layout::toPixels(scale, layout::kFooter);
    footer.right = client.right;
    footer.bottom = client.bottom > footer.bottom ? client.bottom : footer.bottom;
    paintFooter(dc, footer, scale, fonts, palette, invitation, site);
}

void paintPage(HDC dc, const Scale& scale, const Fonts& fonts, const Palette& palette,
               const PageFace& face) {
    paintSubHeader(dc, layout::toPixels(scale, layout::kSubHeader), scale, fonts, palette,
                   face.welcome, face.caption);
    // The page text lies above the picture as static controls of the page.
    fillRect(dc, layout::toPixels(scale, layout::kPicture), palette(Paint::Picture));
}

int pageTextBottom(const Scale& scale, const Fonts& fonts, std::size_t lineCount) {
    int bottom = scale.twips(layout::kTextTop);
    if (lineCount > 0) {
        bottom += fonts.titleLine + static_cast<int>(lineCount - 1) * fonts.bodyLine;
    }
    return bottom;
}

int folderGlyphWidth(const Scale& scale) {
    return scale.design(16);
}
int folderGlyphHeight(const Scale& scale) {
    return scale.design(13);
}

void drawFolderGlyph(HDC dc, int x, int y, const Scale& scale, const Palette& palette, bool open) {
    auto d = [&](int value) { return scale.design(value); };
    const COLORREF edge = palette(Paint::GlyphEdge);
    const COLORREF back = palette.highContrast ? palette(Paint::GlyphFace) : RGB(232, 188, 76);
    const COLORREF front = palette(Paint::GlyphFace);
    const POINT tab[] = {{x, y + d(2)}, {x + d(2), y}, {x + d(6), y}, {x + d(7), y + d(2)}};
    fillPolygon(dc, tab, 4, back, edge);
    fillRect(dc, RECT{x, y + d(2), x + d(15), y + d(12)}, edge);
    fillRect(dc, RECT{x + 1, y + d(2) + 1, x + d(15) - 1, y + d(12) - 1}, back);
    if (open) {
        // The front leaf tipped forward, showing the inside.
        const POINT leaf[] = {
            {x, y + d(12)}, {x + d(3), y + d(5)}, {x + d(16), y + d(5)}, {x + d(13), y + d(12)}};
        fillPolygon(dc, leaf, 4, front, edge);
    } else {
        fillRect(dc, RECT{x + 1, y + d(4), x + d(15) - 1, y + d(12) - 1}, front);
    }
}

} // namespace winui
