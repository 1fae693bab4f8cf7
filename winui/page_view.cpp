#include "platform/win32/window/page_view.h"

#include "platform/win32/window/control_ids.h"
#include "platform/win32/window/gdi.h"
#include "platform/win32/window/layout.h"
#include "platform/win32/window/text.h"

namespace platform::win32 {

namespace {

constexpr const wchar_t* kPageClass = L"Quintara4PalmSetupPage";

// The window's own flag; IsWindowVisible also asks its parents, which are
// still hidden during start-up.
bool shown(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

} // namespace

PageViews::PageViews(const wizard::Setup& setup, const Scale& scale, const Fonts& fonts)
    : setup_(setup), scale_(scale), fonts_(fonts) {}

bool PageViews::registerClass(HINSTANCE instance) {
    WNDCLASSEXW page{};
    page.cbSize = sizeof(page);
    page.lpfnWndProc = &PageViews::procedure;
    page.hInstance = instance;
    page.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    page.lpszClassName = kPageClass;
    return RegisterClassExW(&page) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND PageViews::create(HWND parent, HINSTANCE instance, wizard::FrameId id) {
    const RECT area = layout::toPixels(scale_, layout::kPageArea);
    const std::wstring tag = fromUtf8(setup_.frame(id).tag);
    // WS_EX_CONTROLPARENT lets Tab and the dialog keys reach the page's controls.
    HWND page = CreateWindowExW(
        WS_EX_CONTROLPARENT, kPageClass, tag.c_str(), WS_CHILD | WS_CLIPCHILDREN, area.left,
        area.top, area.right - area.left, area.bottom - area.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(window_ids::kFirstPage + index(id))), instance,
        const_cast<PageViews*>(this));
    windows_[index(id)] = page;
    return page;
}

void PageViews::sync() {
    // Hide before showing, so that two pages are never visible together.
    for (const wizard::PageSpec& entry : wizard::Pages()) {
        const platform::Frame& frame = setup_.frame(entry.id);
        HWND page = window(entry.id);
        if (!frame.visible && shown(page)) {
            ShowWindow(page, SW_HIDE);
        }
    }
    for (const wizard::PageSpec& entry : wizard::Pages()) {
        const platform::Frame& frame = setup_.frame(entry.id);
        HWND page = window(entry.id);
        if (frame.width > 0 && frame.height > 0) {
            const RECT area = layout::toPixels(
                scale_, layout::TwipsRect{frame.left, frame.top, frame.width, frame.height});
            SetWindowPos(page, nullptr, area.left, area.top, area.right - area.left,
                         area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (frame.visible && !shown(page)) {
            ShowWindow(page, SW_SHOWNA);
        }
    }
}

void PageViews::invalidate() {
    for (HWND page : windows_) {
        if (page != nullptr && IsWindowVisible(page)) {
            InvalidateRect(page, nullptr, FALSE);
        }
    }
}

void PageViews::paint(HWND window, HDC dc) const {
    const int index = GetDlgCtrlID(window) - window_ids::kFirstPage;
    if (index < 0 || index >= static_cast<int>(wizard::kPageCount)) {
        return;
    }
    const auto id = static_cast<wizard::FrameId>(index);
    const bool welcome = wizard::Page(id).subHeaderKind == wizard::SubHeader::Welcome;
    paintPage(dc, scale_, fonts_, welcome, setup_.pageLines(id));
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

} // namespace platform::win32
