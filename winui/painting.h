#pragma once

#include "common/twips.h"
#include "forms/page_table.h"
#include "platform/win32/win32.h"
#include "winui/gdi.h"
#include "winui/palette.h"
#include "winui/text.h"

#include <string>
#include <vector>

namespace winui {

using common::Scale;

// Every face the window draws, made for one screen resolution.
struct Fonts {
    Font dialog;       // the controls and the footer
    Font body;         // page text
    Font bodyBold;     // bold runs of page text
    Font title;        // the first line of a page
    Font slogan;       // the header banner
    Font logo;         // "Quintara4Palm" in the sub-header strip
    Font caption;      // "welcome to", "setup program"
    int bodyLine = 0;  // pixels from one line of page text to the next
    int titleLine = 0; // pixels from the title to the first body line
};

Fonts makeFonts(const Scale& scale);

// The main window's own face: background, header banner and footer, whose
// note `invitation` is followed by `site`.
void paintWindowFace(HDC dc, const RECT& client, const Scale& scale, const Fonts& fonts,
                     const Palette& palette, const WideText& invitation, const WideText& site);

// What a page shows on its face.
struct PageFace {
    bool welcome;     // the sub-header strip's welcome form
    WideText caption; // beside the logo in the strip
};

// A page's face: its sub-header strip and its picture.
void paintPage(HDC dc, const Scale& scale, const Fonts& fonts, const Palette& palette,
               const PageFace& face);

// The bottom of `lineCount` lines of page text, in page pixels.
int pageTextBottom(const Scale& scale, const Fonts& fonts, std::size_t lineCount);

// A small folder, open or closed, with its top-left corner at (x, y).
void drawFolderGlyph(HDC dc, int x, int y, const Scale& scale, const Palette& palette, bool open);
// The glyph's width and height in pixels.
int folderGlyphWidth(const Scale& scale);
int folderGlyphHeight(const Scale& scale);

} // namespace winui
