#pragma once

#include "platform/win32/win32.h"

namespace winui {

// The window's own flag; IsWindowVisible also asks its parents, which are
// still hidden during start-up.
inline bool shown(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Shows or hides without activating, and only when the flag changes.
inline void setShown(HWND window, bool visible) {
    if (shown(window) != visible) {
        ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
    }
}

} // namespace winui
