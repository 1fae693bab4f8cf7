#pragma once

#include "platform/win32/win32.h"
#include "platform/win32/window/dpi.h"
#include "platform/win32/window/painting.h"
#include "wizard/setup_form.h"

#include <array>

namespace platform::win32 {

// The ten pages, each a child window of the main window that holds the
// page's controls. A page window's text is the page's tag (never drawn); it
// paints its own sub-header strip and picture.
class PageViews {
public:
    PageViews(const wizard::Setup& setup, const Scale& scale, const Fonts& fonts);
    PageViews(const PageViews&) = delete;
    PageViews& operator=(const PageViews&) = delete;

    static bool registerClass(HINSTANCE instance);

    // Creates one page, hidden, at the page area. The order of creation is the
    // order in which the keyboard reaches the pages' controls.
    HWND create(HWND parent, HINSTANCE instance, wizard::FrameId id);
    HWND window(wizard::FrameId id) const { return windows_[index(id)]; }

    // Shows exactly the pages the models show, where the models place them.
    void sync();
    void invalidate();

private:
    static std::size_t index(wizard::FrameId id) { return static_cast<std::size_t>(id); }
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HWND window, HDC dc) const;

    const wizard::Setup& setup_;
    const Scale& scale_;
    const Fonts& fonts_;
    std::array<HWND, wizard::kPageCount> windows_{};
};

} // namespace platform::win32
