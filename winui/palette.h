#pragma once

#include "common/colours.h"
#include "platform/win32/win32.h"

namespace winui {

using common::Paint;

// The colours the window draws in now: its own scheme, or the user's system
// colours while high contrast is on. Read again when the user changes them.
struct Palette {
    bool highContrast = false;

    COLORREF operator()(Paint paint) const;
};

Palette currentPalette();

} // namespace winui
