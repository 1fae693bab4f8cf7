#pragma once

#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"

#include <string>

namespace winui {

using platform::win32::WideText;

// The core holds every text (page texts, paths, user names) in UTF-8; the
// window speaks UTF-16, so a folder typed or shown keeps its exact characters.
// The conversions are the seam's own (wide_text.h).
WideText fromUtf8(const std::string& text); // empty for a text that is not UTF-8
std::string toUtf8(const WideText& text);

WideText windowText(HWND window);

} // namespace winui
