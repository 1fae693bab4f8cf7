#pragma once

#include "platform/win32/win32.h"
#include "platform/win32/window/dpi.h"
#include "platform/win32/window/painting.h"

namespace platform::win32 {

// The header banner: a handheld organiser showing a small spreadsheet, and
// the slogan.
void paintHeaderBanner(HDC dc, const RECT& area, const Scale& scale, const Fonts& fonts);

// A page's sub-header strip: ["welcome to"] the product's logotype and
// "setup program".
void paintSubHeader(HDC dc, const RECT& area, const Scale& scale, const Fonts& fonts, bool welcome);

} // namespace platform::win32
