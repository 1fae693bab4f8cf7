#include "winui/page_view.h"

#include "winui/gdi.h"
#include "winui/layout.h"
#include "winui/text.h"
#include "winui/visibility.h"
#include "winui/window_ids.h"

#include <algorithm>
#include <string>

namespace winui {

namespace {

constexpr const wchar_t* kPageClass = L"Quintara4PalmPage";

std::string lineText(const forms::PageLine& line) {
    std::string text;
    for (const forms::TextRun& run : line) {
        text += run.text;
    }
    return text;
}

// The face a run of page text is drawn in.
const Font& fontOf(const Fonts& fonts, const forms::TextRun& run, bool title) {
    return title ? fonts.title : run.bold ? fonts.bodyBold : fonts.body;
}

// Draws the run at (x, y) when `draw` is set; answers its width either way.
int putRun(HDC dc, const Font& font, const forms::TextRun& run, int x, int y, bool draw) {
    const WideText text = fromUtf8(run.text);
    Selection selected(dc, font.get());
    if (draw) {
        TextOutW(dc, x, y, text.c_str(), text.length());
    }
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), text.length(), &size);
    return size.cx;
}

int lineWidth(HDC dc, const Fonts& fonts, const forms::PageLine& line, bool title) {
    int width = 0;
    for (const forms::TextRun& run : line) {
        width += putRun(dc, fontOf(fonts, run, title), run, 0, 0, false);
    }
    return width;
}

// A static of the page's text, placed in keyboard and reading order after
// `after`.
HWND makeStatic(HWND page, int id, DWORD type, const WideText& text, const RECT& area,
                const Font& font, HWND after) {
    HWND made =
        CreateWindowExW(0, L"Static", text.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX | type,
                        area.left, area.top, area.right - area.left, area.bottom - area.top, page,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    SetWindowPos(made, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return made;
}

} // namespace

PageViews::PageViews(forms::Form& form, const Scale& scale, const Fonts& fonts,
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
        if (window(index) != nullptr && !form_.pageFrame(index).visible) {
            setShown(window(index), false);
        }
    }
    // A page not made yet is not on show: the pages on show were made first.
    for (std::size_t index = 0; index < count(); ++index) {
        const forms::Frame& frame = form_.pageFrame(index);
        HWND page = window(index);
        if (page == nullptr) {
            continue;
        }
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
    std::vector<forms::PageLine> lines = form_.pageText(index);
    if (lines == texts_[index]) {
        return;
    }
    texts_[index] = std::move(lines);

    HWND page = window(index);
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;) {
        HWND next = GetWindow(child, GW_HWNDNEXT);
        const int id = GetDlgCtrlID(child);
        if (id == q4p::window_ids::kPageTitle || id == q4p::window_ids::kPageText) {
            DestroyWindow(child);
        }
        child = next;
    }
    const std::vector<forms::PageLine>& shown = texts_[index];
    if (shown.empty()) {
        return;
    }
    HDC dc = GetDC(page);
    const int left = scale_.twips(layout::kTextLeft);
    int top = scale_.twips(layout::kTextTop);
    const RECT titleArea{left, top, left + lineWidth(dc, fonts_, shown[0], true),
                         top + fonts_.titleLine};
    // The title first, then the body, both ahead of the page's controls
    // however late the text is made.
    HWND title = makeStatic(page, q4p::window_ids::kPageTitle, SS_LEFTNOWORDWRAP,
                            fromUtf8(lineText(shown[0])), titleArea, fonts_.title, HWND_TOP);
    if (shown.size() > 1) {
        top += fonts_.titleLine;
        std::string body;
        int width = 0;
        for (std::size_t line = 1; line < shown.size(); ++line) {
            body += (line > 1 ? "\r\n" : "") + lineText(shown[line]);
            width = std::max(width, lineWidth(dc, fonts_, shown[line], false));
        }
        const int height = static_cast<int>(shown.size() - 1) * fonts_.bodyLine;
        makeStatic(page, q4p::window_ids::kPageText, SS_OWNERDRAW, fromUtf8(body),
                   RECT{left, top, left + width, top + height}, fonts_.body, title);
    }
    ReleaseDC(page, dc);
}

// The body's lines as the statics used to show them: each run in its face,
// on the page's picture colour.
void PageViews::drawBody(HWND window, const DRAWITEMSTRUCT& item) const {
    const int index = GetDlgCtrlID(window) - q4p::window_ids::kFirstPage;
    if (index < 0 || index >= static_cast<int>(count())) {
        return;
    }
    HDC dc = item.hDC;
    SetDCBrushColor(dc, palette_(Paint::Picture));
    FillRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, palette_(Paint::Text));
    const std::vector<forms::PageLine>& lines = texts_[static_cast<std::size_t>(index)];
    int y = item.rcItem.top;
    for (std::size_t line = 1; line < lines.size(); ++line) {
        int x = item.rcItem.left;
        for (const forms::TextRun& run : lines[line]) {
            x += putRun(dc, fontOf(fonts_, run, false), run, x, y, true);
        }
        y += fonts_.bodyLine;
    }
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
    const forms::WindowSpec& table = form_.windowTable();
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
    case WM_DRAWITEM:
        // Only here is lParam the item to draw; the messages below carry a
        // control's handle, or nothing at all (a menu or accelerator command).
        if (self != nullptr &&
            reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_STATIC) {
            self->drawBody(window, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return SendMessageW(GetParent(window), message, wParam, lParam);
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_MEASUREITEM:
        // The main window handles what the page's controls report.
        return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace winui
