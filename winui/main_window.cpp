#include "winui/main_window.h"

#include "winui/layout.h"
#include "winui/text.h"
#include "winui/window_ids.h"

#include <algorithm>

namespace winui {

namespace {

// Fixed size: no sizing border, no maximise box.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

Scale screenScale() {
    HDC screen = GetDC(nullptr);
    Scale scale;
    if (screen != nullptr) {
        scale.dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    if (scale.dpi <= 0) {
        scale.dpi = 96;
    }
    return scale;
}

HICON loadIcon(HINSTANCE instance, int iconId, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

} // namespace

MainWindow::MainWindow(forms::Form& form, HINSTANCE instance, int iconId,
                       const FolderControls* folders)
    : form_(form), instance_(instance), iconId_(iconId),
      className_(fromUtf8(form.windowTable().caption)), scale_(screenScale()),
      fonts_(makeFonts(scale_)), pages_(form, scale_, fonts_, palette_),
      controls_(form, scale_, fonts_, palette_, folders) {
    takeColours();
}

// The scheme in use now; again whenever the user changes colours or contrast.
void MainWindow::takeColours() {
    palette_ = currentPalette();
    background_ = Brush(CreateSolidBrush(palette_(Paint::Ground)));
    picture_ = Brush(CreateSolidBrush(palette_(Paint::Picture)));
}

MainWindow::~MainWindow() {
    destroy();
}

bool MainWindow::registerClasses() const {
    WNDCLASSEXW main{};
    main.cbSize = sizeof(main);
    main.lpfnWndProc = &MainWindow::procedure;
    main.hInstance = instance_;
    main.hIcon = loadIcon(instance_, iconId_, SM_CXICON, SM_CYICON);
    main.hIconSm = loadIcon(instance_, iconId_, SM_CXSMICON, SM_CYSMICON);
    main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    main.lpszClassName = className_.c_str();
    return (RegisterClassExW(&main) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) &&
           PageViews::registerClass(instance_);
}

// The outer size a client area of that many twips needs with this frame.
RECT MainWindow::outerRect(int clientWidth, int clientHeight) const {
    RECT outer{0, 0, scale_.twips(clientWidth), scale_.twips(clientHeight)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    return outer;
}

// The window of an outer size in twips, centred in the work area. The outer
// size was chosen for the thin frames of its day; a thicker frame must not eat
// into the laid-out client area, so the window is never made smaller than the
// frame needs around it.
RECT MainWindow::placement(int outerWidth, int outerHeight) const {
    const forms::WindowSpec& table = form_.windowTable();
    const RECT needed = outerRect(table.clientWidth, table.clientHeight);
    const int width = std::max<int>(scale_.twips(outerWidth), needed.right - needed.left);
    const int height = std::max<int>(scale_.twips(outerHeight), needed.bottom - needed.top);

    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const int left = work.left + std::max<int>(0, (work.right - work.left - width) / 2);
    const int top = work.top + std::max<int>(0, (work.bottom - work.top - height) / 2);
    return RECT{left, top, left + width, top + height};
}

// Made where the table's start-up size puts it: moving and sizing a window
// with its children costs start-up time.
bool MainWindow::create() {
    if (!registerClasses()) {
        return false;
    }
    const forms::WindowSpec& table = form_.windowTable();
    const RECT at = placement(table.outerWidth, table.outerHeight);
    window_ =
        CreateWindowExW(kExStyle, className_.c_str(), className_.c_str(), kStyle, at.left, at.top,
                        at.right - at.left, at.bottom - at.top, nullptr, nullptr, instance_, this);
    if (window_ == nullptr) {
        return false;
    }
    controls_.create(window_, instance_, pages_);
    sync();
    return true;
}

void MainWindow::applyOuterSize() {
    const forms::FormWindow& model = form_.formWindow();
    const RECT at = placement(model.outerWidth(), model.outerHeight());
    RECT now{};
    if (GetWindowRect(window_, &now) && now.left == at.left && now.top == at.top &&
        now.right == at.right && now.bottom == at.bottom) {
        return;
    }
    SetWindowPos(window_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::show(int showCommand) {
    sync();
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    // The pages not on show get their controls now, hidden with their page;
    // no input is taken before this returns.
    controls_.fillAllPages();
    sync();
}

void MainWindow::run() {
    MSG message{};
    while (window_ != nullptr && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (preTranslate(message)) {
            continue;
        }
        if (window_ != nullptr && IsDialogMessageW(window_, &message)) {
            // After Tab the dialog manager takes the default frame from every
            // button and gives it back only if the focus lands on one.
            if (message.message == WM_KEYDOWN && window_ != nullptr) {
                controls_.markDefaultButton(GetFocus());
            }
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void MainWindow::destroy() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void MainWindow::sync() {
    syncing_ = true;
    // A page and its controls are made when it first shows.
    controls_.fillShownPages();
    pages_.sync();
    controls_.sync();
    syncing_ = false;
    keepFocus();
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (handlePainting(message, wParam, lParam, result) ||
        handleKeyboard(message, wParam, lParam, result) ||
        handleLifetime(message, wParam, result)) {
        return result;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// The page text and the labels lie on the page's picture; the read-only
// text boxes keep the look of a page of text.
LRESULT MainWindow::colourStatic(HDC dc, HWND control) const {
    namespace ids = q4p::window_ids;
    const int id = GetDlgCtrlID(control);
    if (id == ids::kPageTitle || id == ids::kPageText || id == ids::kLabel) {
        SetTextColor(dc, palette_(id == ids::kPageTitle ? Paint::Title : Paint::Text));
        SetBkColor(dc, palette_(Paint::Picture));
        return reinterpret_cast<LRESULT>(picture_.get());
    }
    if (!controls_.isReadOnlyText(control)) {
        return 0;
    }
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

bool MainWindow::handlePainting(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_ERASEBKGND:
        result = 1; // WM_PAINT covers everything
        return true;
    case WM_PAINT: {
        BufferedPaint paint(window_);
        paintWindowFace(paint.dc(), paint.client(), scale_, fonts_, palette_,
                        fromUtf8(form_.windowTable().footerInvitation),
                        fromUtf8(form_.windowTable().footerSite));
        return true;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(window_, &client);
        paintWindowFace(reinterpret_cast<HDC>(wParam), client, scale_, fonts_, palette_,
                        fromUtf8(form_.windowTable().footerInvitation),
                        fromUtf8(form_.windowTable().footerSite));
        return true;
    }
    case WM_CTLCOLORBTN:
        SetBkColor(reinterpret_cast<HDC>(wParam), palette_(Paint::Ground));
        result = reinterpret_cast<LRESULT>(background_.get());
        return true;
    case WM_CTLCOLORSTATIC:
        result = colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        return result != 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        takeColours();
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return false;
    case WM_MEASUREITEM:
        controls_.measureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case WM_DRAWITEM:
        controls_.drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    default:
        return false;
    }
}

bool MainWindow::handleKeyboard(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        // The controls report focus changes here too (BN_SETFOCUS,
        // EN_SETFOCUS, LBN_SETFOCUS, CBN_SETFOCUS).
        if (window_ != nullptr) {
            controls_.markDefaultButton(GetFocus());
        }
        return true;
    case WM_NEXTDLGCTL: {
        // As a dialog does: the arrow keys on the buttons ask for this.
        HWND next = LOWORD(lParam) != 0
                        ? reinterpret_cast<HWND>(wParam)
                        : GetNextDlgTabItem(window_, GetFocus(), wParam != 0 ? TRUE : FALSE);
        if (canTakeFocus(next)) {
            SetFocus(next);
            controls_.markDefaultButton(next);
        }
        return true;
    }
    case DM_GETDEFID:
        // Asked by IsDialogMessage: Enter presses Next.
        result = MAKELRESULT(q4p::window_ids::kNext, DC_HASDEFID);
        return true;
    default:
        return false;
    }
}

bool MainWindow::handleLifetime(UINT message, WPARAM wParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (canTakeFocus(focus)) {
                savedFocus_ = focus;
            }
        } else {
            SetFocus(canTakeFocus(savedFocus_) ? savedFocus_ : firstFocus());
        }
        return true;
    case WM_CLOSE:
        // The system menu's Close or Alt+F4: the window goes without the
        // program's Cancel or Exit. Not while a handler is still running.
        if (!busy_) {
            closedByUser_ = true;
            destroy();
        }
        return true;
    case WM_DESTROY:
        PostQuitMessage(0);
        return true;
    default:
        return false;
    }
}

} // namespace winui
