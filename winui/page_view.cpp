#include "winui/page_view.h"

#include "winui/gdi.h"
#include "winui/layout.h"
#include "winui/text.h"
#include "winui/visibility.h"
#include "winui/window_ids.h"

#include <string>

namespace winui {

namespace {

constexpr const wchar_t* kPageClass = L"Quintara4PalmPage";

} // namespace

PageViews::PageViews(common::Form& form, const Scale& scale, const Fonts& fonts,
                     const Palette& palette)
    : form_(form), scale_(scale), fonts_(fonts), palette_(palette),
      windows_(form.windowTable().pages.size(), nullptr), texts_(windows_.size()) {}

bool PageViews::registerClass(HINSTANCE instance) {
    WNDCLASSEXW page{};
    page.cbSize = sizeof(page);
    page.lpfnWndProc = &PageViews::procedure;
    page.hInstance = instance;
    page.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    page.lpszClassName = kPageClass;
    return RegisterClassExW(&page) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND PageViews::create(HWND parent, HINSTANCE instance, std::size_t index) {
    const RECT area = layout::toPixels(scale_, form_.windowTable().pageArea);
    const WideText tag = fromUtf8(form_.pageFrame(index).tag);
    // WS_EX_CONTROLPARENT lets Tab and the dialog keys reach the page's controls.
    HWND page = CreateWindowExW(
        WS_EX_CONTROLPARENT, kPageClass, tag.c_str(), WS_CHILD | WS_CLIPCHILDREN, area.left,
        area.top, area.right - area.left, area.bottom - area.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(q4p::window_ids::kFirstPage + index)),
        instance, const_cast<PageViews*>(this));
    windows_[index] = page;
    return page;
}

void PageViews::sync() {
    // Hide before showing, so that two pages are never visible together.
    for (std::size_t index = 0; index < count(); ++index) {
        if (!form_.pageFrame(index).visible) {
            setShown(window(index), false);
        }
    }
    for (std::size_t index = 0; index < count(); ++index) {
        const common::Frame& frame = form_.pageFrame(index);
        HWND page = window(index);
        if (frame.width > 0 && frame.height > 0) {
            const RECT area = layout::toPixels(
                scale_, layout::TwipsRect{frame.left, frame.top, frame.width, frame.height});
            SetWindowPos(page, nullptr, area.left, area.top, area.right - area.left,
                         area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (frame.visible) {
            syncText(index);
            setShown(page, true);
        }
    }
}

void PageViews::syncText(std::size_t index) {
    const std::vector<common::PageLine> lines = form_.pageText(index);
    std::string shown;
    for (const common::PageLine& line : lines) {
        for (const common::TextRun& run : line) {
            shown += (run.bold ? "\x01" : "") + run.text;
        }
        shown += '\n';
    }
    if (shown == texts_[index]) {
        return;
    }
    texts_[index] = shown;

    HWND page = window(index);
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;) {
        HWND next = GetWindow(child, GW_HWNDNEXT);
        const int id = GetDlgCtrlID(child);
        if (id == q4p::window_ids::kPageTitle || id == q4p::window_ids::kPageText) {
            DestroyWindow(child);
        }
        child = next;
    }
    HDC dc = GetDC(page);
    int y = scale_.twips(layout::kTextTop);
    // Each static goes after the one before it, all ahead of the page's
    // controls, however late the text is made.
    HWND after = HWND_TOP;
    for (std::size_t line = 0; line < lines.size(); ++line) {
        const bool isTitle = line == 0;
        const int height = isTitle ? fonts_.titleLine : fonts_.bodyLine;
        int x = scale_.twips(layout::kTextLeft);
        for (const common::TextRun& run : lines[line]) {
            const Font& font = isTitle ? fonts_.title : run.bold ? fonts_.bodyBold : fonts_.body;
            const WideText text = fromUtf8(run.text);
            SIZE size{};
            {
                Selection selected(dc, font.get());
                GetTextExtentPoint32W(dc, text.c_str(), text.length(), &size);
            }
            const int id = isTitle ? q4p::window_ids::kPageTitle : q4p::window_ids::kPageText;
            HWND made = CreateWindowExW(
                0, L"Static", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                x, y, size.cx, height, page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                nullptr, nullptr);
            SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
            SetWindowPos(made, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            after = made;
            x += size.cx;
        }
        y += height;
    }
    ReleaseDC(page, dc);
}

// A page is announced by its title: the text of its first static, which
// holds the whole title line (a title is drawn in one face, as one run).
LRESULT PageViews::title(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND first = GetWindow(window, GW_CHILD);
    if (first != nullptr && GetDlgCtrlID(first) == q4p::window_ids::kPageTitle) {
        return SendMessageW(first, message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PageViews::invalidate() {
    for (HWND page : windows_) {
        if (page != nullptr && IsWindowVisible(page)) {
            InvalidateRect(page, nullptr, FALSE);
        }
    }
}

void PageViews::paint(HWND window, HDC dc) const {
    const int index = GetDlgCtrlID(window) - q4p::window_ids::kFirstPage;
    if (index < 0 || index >= static_cast<int>(count())) {
        return;
    }
    const common::WindowSpec& table = form_.windowTable();
    const auto page = static_cast<std::size_t>(index);
    paintPage(dc, scale_, fonts_, palette_,
              PageFace{table.pages[page].welcomeStrip, fromUtf8(table.stripCaption)});
}

LRESULT CALLBACK PageViews::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto* self = reinterpret_cast<const PageViews*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the page's pictures cover it completely
    case WM_PAINT:
        if (self != nullptr) {
            BufferedPaint paint(window);
            self->paint(window, paint.dc());
            return 0;
        }
        break;
    case WM_PRINTCLIENT:
        // Themed controls ask their parent to draw what lies behind them.
        if (self != nullptr) {
            self->paint(window, reinterpret_cast<HDC>(wParam));
        }
        return 0;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        // The window's own text stays the tag: GetWindowText from another
        // process, and the form, read that.
        return title(window, message, wParam, lParam);
    case WM_CLOSE:
        // A multi-line edit asks its parent to close on Esc, as it would a
        // dialog; a page is never closed.
        return 0;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        // The main window handles what the page's controls report.
        return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace winui
