#pragma once

#include "forms/form.h"
#include "platform/win32/win32.h"
#include "winui/painting.h"

#include <string>
#include <vector>

namespace winui {

// The program's pages, each a child window of the main window that holds the
// page's controls. A page window's text is the page's tag (never drawn); it
// paints its own sub-header strip and picture, and its text lies above the
// picture as two static controls, ahead of the page's controls: the title,
// and the body, whose text is its lines one after the other and which the
// page draws itself, bold runs and all. Every child window costs start-up
// time (a run each took a tenth of the launch). Asked for its text by a
// message (as assistive technology asks), a page answers its title.
class PageViews {
public:
    PageViews(forms::Form& form, const Scale& scale, const Fonts& fonts, const Palette& palette);
    PageViews(const PageViews&) = delete;
    PageViews& operator=(const PageViews&) = delete;

    static bool registerClass(HINSTANCE instance);

    // Creates one page, hidden, at the page area, last among the main window's
    // children; the caller puts it in its place in keyboard order.
    HWND create(HWND parent, HINSTANCE instance, std::size_t page);
    HWND window(std::size_t page) const { return windows_[page]; }
    std::size_t count() const { return windows_.size(); }

    // Shows exactly the pages the models show, where the models place them.
    void sync();
    void invalidate();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HWND window, HDC dc) const;
    // Makes the page's text statics anew when its lines have changed.
    void syncText(std::size_t page);
    static LRESULT title(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void drawBody(HWND window, const DRAWITEMSTRUCT& item) const;

    forms::Form& form_;
    const Scale& scale_;
    const Fonts& fonts_;
    const Palette& palette_;
    std::vector<HWND> windows_; // one per page of the table, in its order
    // Per page, the lines its statics show.
    std::vector<std::vector<forms::PageLine>> texts_;
};

} // namespace winui
