#pragma once

#include "platform/win32/win32.h"

#include <string>

namespace winui {

// The core holds page texts in UTF-8 and everything that reaches the machine
// (paths, user names) as ANSI text in the system code page; the window itself
// speaks UTF-16.
std::wstring fromUtf8(const std::string& text);
std::wstring fromAnsi(const std::string& text);
std::string toAnsi(const std::wstring& text);

std::wstring windowText(HWND window);

} // namespace winui
