#include "winui/text.h"

#include "common/error.h"
#include "platform/win32/wide_text.h"

#include <vector>

namespace winui {

using common::SetupError;
using platform::win32::utf8Of;
using platform::win32::wideOf;
using platform::win32::WideText;

std::wstring fromUtf8(const std::string& text) {
    try {
        const WideText wide = wideOf(text);
        return std::wstring(wide.c_str(), wide.size());
    } catch (const SetupError&) {
        return {};
    }
}

std::string toUtf8(const std::wstring& text) {
    return utf8Of(text.data(), text.size());
}

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = GetWindowTextW(window, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

} // namespace winui
