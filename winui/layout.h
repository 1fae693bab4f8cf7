#pragma once

#include "platform/win32/win32.h"
#include "platform/win32/window/dpi.h"

// Where everything lies, in twips (1440 to the inch), as the window was
// designed at 15 twips to the pixel.
namespace platform::win32::layout {

struct TwipsRect {
    int left, top, width, height;
};

inline constexpr int kClientWidth = 8250;
inline constexpr int kClientHeight = 5685;

inline constexpr TwipsRect kHeader{0, 0, 8250, 1155};
inline constexpr TwipsRect kPageArea{0, 1155, 8250, 3780};
inline constexpr TwipsRect kFooter{0, 5350, 8250, 330};
inline constexpr TwipsRect kCancel{240, 4950, 1095, 375};
inline constexpr TwipsRect kBack{5760, 4950, 1095, 375};
inline constexpr TwipsRect kNext{6960, 4950, 1095, 375};

// Within a page.
inline constexpr TwipsRect kSubHeader{0, 0, 8250, 615};
inline constexpr TwipsRect kPicture{0, 615, 8250, 3165};
inline constexpr TwipsRect kDirName{250, 1380, 4500, 285};
inline constexpr TwipsRect kDrive{250, 1730, 4500, 315};
inline constexpr TwipsRect kDirList{250, 2105, 4500, 1665};
inline constexpr TwipsRect kListUsers{250, 1600, 3375, 2010};
inline constexpr TwipsRect kListaFicheiros{250, 1600, 7815, 2100};
// The page text starts where the page controls do, a little below the
// picture's top edge; the completion page's list of what failed fills the
// rest of the picture below the text.
inline constexpr int kTextLeft = 250;
inline constexpr int kTextTop = 615 + 165;
inline constexpr int kIncompleteListBottom = 3700;

inline RECT toPixels(const Scale& scale, const TwipsRect& area) {
    const int left = scale.twips(area.left);
    const int top = scale.twips(area.top);
    return RECT{left, top, scale.twips(area.left + area.width),
                scale.twips(area.top + area.height)};
}

} // namespace platform::win32::layout
