#pragma once

#include "common/twips.h"
#include "forms/page_table.h"
#include "platform/win32/win32.h"

// Where the parts every program's window shares lie, in twips (1440 to the
// inch), as the windows were designed at 15 twips to the pixel. Each
// program's own page table places its pages, buttons and controls.
namespace winui::layout {

using forms::TwipsRect;

inline constexpr TwipsRect kHeader{0, 0, 8250, 1155};
inline constexpr TwipsRect kFooter{0, 5350, 8250, 330};

// Within a page.
inline constexpr TwipsRect kSubHeader{0, 0, 8250, 615};
inline constexpr TwipsRect kPicture{0, 615, 8250, 3165};
// The page text starts where the page controls do, a little below the
// picture's top edge.
inline constexpr int kTextLeft = 250;
inline constexpr int kTextTop = 615 + 165;

inline RECT toPixels(const common::Scale& scale, const TwipsRect& area) {
    const int left = scale.twips(area.left);
    const int top = scale.twips(area.top);
    return RECT{left, top, scale.twips(area.left + area.width),
                scale.twips(area.top + area.height)};
}

} // namespace winui::layout
