#include "platform/win32/services_win32.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform::win32 {

namespace {

// Window handles are significant in their low 32 bits on 64-bit Windows too;
// the system sign-extends them when widening, and so do we.
HWND handleOf(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<std::int32_t>(window)));
}

WindowHandle valueOf(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<ULONG_PTR>(window));
}

} // namespace

WindowHandle Win32WindowList::getWindow(WindowHandle window, WindowCommand command) {
    const UINT which = command == WindowCommand::First ? GW_HWNDFIRST : GW_HWNDNEXT;
    return valueOf(GetWindow(handleOf(window), which));
}

void Win32WindowList::getWindowText(WindowHandle window, char* buffer, int maxCount) {
    if (buffer == nullptr || maxCount <= 0) {
        return;
    }
    // Read into our own buffer so that a title that cannot be read leaves the
    // caller's untouched.
    std::vector<wchar_t> title(static_cast<std::size_t>(maxCount), L'\0');
    const int length = GetWindowTextW(handleOf(window), title.data(), maxCount);
    if (length <= 0) {
        return;
    }
    std::string text = utf8Of(title.data(), static_cast<std::size_t>(length));
    // Cut to the caller's buffer, never inside a character.
    std::size_t copied = std::min(text.size(), static_cast<std::size_t>(maxCount) - 1);
    while (copied < text.size() && copied > 0 &&
           (static_cast<unsigned char>(text[copied]) & 0xC0) == 0x80) {
        --copied;
    }
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
}

} // namespace platform::win32
