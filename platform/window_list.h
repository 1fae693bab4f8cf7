#pragma once

#include <cstdint>

namespace platform {

// The platform's window handle as a 32-bit value; 0 is no window.
using WindowHandle = std::uint32_t;

enum class WindowCommand : std::uint32_t {
    First = 0, // GW_HWNDFIRST
    Next = 2,  // GW_HWNDNEXT
};

// The desktop's list of windows (user32 GetWindow / GetWindowText).
class WindowList {
public:
    virtual ~WindowList() = default;
    virtual WindowHandle getWindow(WindowHandle window, WindowCommand command) = 0;
    // Reads the title into `buffer` as UTF-8, at most `maxCount` bytes including
    // the terminating NUL. A title that cannot be read leaves the buffer untouched.
    virtual void getWindowText(WindowHandle window, char* buffer, int maxCount) = 0;
};

} // namespace platform
