#include "winui/text.h"

#include "common/error.h"

#include <vector>

namespace winui {

using common::SetupError;
using platform::win32::utf8Of;
using platform::win32::wideOf;

WideText fromUtf8(const std::string& text) {
    try {
        return wideOf(text);
    } catch (const SetupError&) {
        return {};
    }
}

std::string toUtf8(const WideText& text) {
    return utf8Of(text.c_str(), text.size());
}

WideText windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = GetWindowTextW(window, buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return WideText(std::move(buffer));
}

} // namespace winui
