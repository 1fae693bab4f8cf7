#pragma once

#include "platform/win32/win32.h"

#include <string>

namespace winui {

// The core holds every text (page texts, paths, user names) in UTF-8; the
// window speaks UTF-16, so a folder typed or shown keeps its exact characters.
// The conversions are the seam's own (wide_text.h).
std::wstring fromUtf8(const std::string& text);
std::string toUtf8(const std::wstring& text);

std::wstring windowText(HWND window);

} // namespace winui
