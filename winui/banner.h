#pragma once

#include "common/twips.h"
#include "platform/win32/win32.h"
#include "winui/painting.h"
#include "winui/text.h"

#include <string>

namespace winui {

// The header banner: a handheld organiser showing a small spreadsheet, and
// the slogan.
void paintHeaderBanner(HDC dc, const RECT& area, const Scale& scale, const Fonts& fonts,
                       const Palette& palette);

// A page's sub-header strip: ["welcome to"] the product's logotype and the
// program's caption ("setup program").
void paintSubHeader(HDC dc, const RECT& area, const Scale& scale, const Fonts& fonts,
                    const Palette& palette, bool welcome, const WideText& caption);

} // namespace winui
