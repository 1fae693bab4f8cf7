#include "platform/win32/window/setup_window.h"

#include "platform/error.h"
#include "platform/win32/window/control_ids.h"
#include "platform/win32/window/layout.h"
#include "platform/win32/window/resource_ids.h"

#include <algorithm>
#include <exception>

namespace platform::win32 {

namespace {

constexpr const wchar_t* kWindowClass = kSetupWindowClass;
constexpr const wchar_t* kCaption = kSetupWindowCaption;
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

HICON loadIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUINTARA), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

} // namespace

SetupWindow::SetupWindow(wizard::Setup& setup, HINSTANCE instance)
    : setup_(setup), instance_(instance), scale_(screenScale()), fonts_(makeFonts(scale_)),
      background_(CreateSolidBrush(kBackgroundColour)), pages_(setup, scale_, fonts_),
      controls_(setup, scale_, fonts_) {}

SetupWindow::~SetupWindow() {
    destroy();
}

bool SetupWindow::create() {
    WNDCLASSEXW main{};
    main.cbSize = sizeof(main);
    main.lpfnWndProc = &SetupWindow::procedure;
    main.hInstance = instance_;
    main.hIcon = loadIcon(instance_, SM_CXICON, SM_CYICON);
    main.hIconSm = loadIcon(instance_, SM_CXSMICON, SM_CYSMICON);
    main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    main.lpszClassName = kWindowClass;
    if ((RegisterClassExW(&main) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) ||
        !PageViews::registerClass(instance_)) {
        return false;
    }

    RECT outer{0, 0, scale_.twips(layout::kClientWidth), scale_.twips(layout::kClientHeight)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    window_ = CreateWindowExW(kExStyle, kWindowClass, kCaption, kStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top,
                              nullptr, nullptr, instance_, this);
    if (window_ == nullptr) {
        return false;
    }
    controls_.create(window_, instance_, pages_);
    sync();
    return true;
}

void SetupWindow::applyOuterSize() {
    // The outer size was chosen for the thin frames of its day; a thicker
    // frame must not eat into the laid-out client area, so the window is never
    // made smaller than the frame needs around it.
    RECT needed{0, 0, scale_.twips(layout::kClientWidth), scale_.twips(layout::kClientHeight)};
    AdjustWindowRectEx(&needed, kStyle, FALSE, kExStyle);
    const int width =
        std::max<int>(scale_.twips(setup_.window.outerWidth()), needed.right - needed.left);
    const int height =
        std::max<int>(scale_.twips(setup_.window.outerHeight()), needed.bottom - needed.top);

    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const int left = work.left + std::max<int>(0, (work.right - work.left - width) / 2);
    const int top = work.top + std::max<int>(0, (work.bottom - work.top - height) / 2);
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetupWindow::show(int showCommand) {
    sync();
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    keepFocus();
}

void SetupWindow::run() {
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

void SetupWindow::destroy() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

template <typename Action> void SetupWindow::forward(Action action) {
    // A handler that waits on another program (the spreadsheet's automation
    // object) may let messages through; the window takes no input until the
    // handler has returned.
    if (syncing_ || busy_) {
        return;
    }
    busy_ = true;
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    try {
        action();
    } catch (const std::exception&) {
        // A failure the wizard leaves uncaught ends the user's action there;
        // the window goes on showing the models as they are.
    }
    SetCursor(previous);
    busy_ = false;
    if (setup_.window.closed()) {
        destroy();
        return;
    }
    sync();
    pages_.invalidate();
}

void SetupWindow::command(int id, int code) {
    using namespace window_ids;
    switch (id) {
    case kNext:
        if (code == BN_CLICKED) {
            forward([this] { setup_.bNext.press(); });
        }
        break;
    case kBack:
        if (code == BN_CLICKED) {
            forward([this] { setup_.back.press(); });
        }
        break;
    case kCancel:
        if (code == BN_CLICKED) {
            forward([this] { setup_.Cancel.press(); });
        }
        break;
    case kDirName:
        if (code == EN_CHANGE) {
            forward([this] { setup_.DirName.setText(controls_.folderText()); });
        }
        break;
    case kDrive:
        if (code == CBN_SELCHANGE) {
            const char letter = controls_.selectedDrive();
            if (letter != 0) {
                forward([this, letter] { setup_.drive.userSelect(letter); });
            }
        }
        break;
    case kDirList:
        // A plain selection changes nothing; a double click opens.
        if (code == LBN_DBLCLK) {
            openSelectedFolder();
        }
        break;
    case kListUsers:
        if (code == LBN_SELCHANGE) {
            const int position = controls_.selectedUser();
            forward([this, position] { setup_.ListUsers.select(position); });
        }
        break;
    default:
        break;
    }
}

void SetupWindow::openSelectedFolder() {
    const std::optional<std::string> folder = controls_.selectedFolder();
    if (!folder) {
        return;
    }
    // Whatever the outcome, the list is read again: after a failure the
    // selection goes back to the folder still open.
    controls_.refreshFolders();
    forward([this, &folder] {
        try {
            setup_.dirList.open(*folder);
        } catch (const platform::SetupError&) {
            // A folder that cannot be opened leaves the list where it was.
        }
    });
}

void SetupWindow::sync() {
    syncing_ = true;
    pages_.sync();
    controls_.sync();
    syncing_ = false;
    keepFocus();
}

LRESULT CALLBACK SetupWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<SetupWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<SetupWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
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

LRESULT SetupWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers everything
    case WM_PAINT: {
        BufferedPaint paint(window_);
        paintWindowFace(paint.dc(), paint.client(), scale_, fonts_);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(window_, &client);
        paintWindowFace(reinterpret_cast<HDC>(wParam), client, scale_, fonts_);
        return 0;
    }
    case WM_CTLCOLORBTN:
        SetBkColor(reinterpret_cast<HDC>(wParam), kBackgroundColour);
        return reinterpret_cast<LRESULT>(background_.get());
    case WM_CTLCOLORSTATIC:
        // The read-only text boxes keep the look of a page of text.
        if (controls_.isReadOnlyText(reinterpret_cast<HWND>(lParam))) {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    case WM_MEASUREITEM:
        controls_.measureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        controls_.drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        // The controls report focus changes here too (BN_SETFOCUS,
        // EN_SETFOCUS, LBN_SETFOCUS, CBN_SETFOCUS).
        if (window_ != nullptr) {
            controls_.markDefaultButton(GetFocus());
        }
        return 0;
    case WM_NEXTDLGCTL: {
        // As a dialog does: the arrow keys on the buttons ask for this.
        HWND next = LOWORD(lParam) != 0
                        ? reinterpret_cast<HWND>(wParam)
                        : GetNextDlgTabItem(window_, GetFocus(), wParam != 0 ? TRUE : FALSE);
        if (canTakeFocus(next)) {
            SetFocus(next);
            controls_.markDefaultButton(next);
        }
        return 0;
    }
    case DM_GETDEFID:
        // Asked by IsDialogMessage: Enter presses Next.
        return MAKELRESULT(window_ids::kNext, DC_HASDEFID);
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (canTakeFocus(focus)) {
                savedFocus_ = focus;
            }
        } else {
            SetFocus(canTakeFocus(savedFocus_) ? savedFocus_ : firstFocus());
        }
        return 0;
    case WM_CLOSE:
        // The system menu's Close or Alt+F4: the window goes without the
        // wizard's Cancel or Exit. Not while a handler is still running.
        if (!busy_) {
            closedByUser_ = true;
            destroy();
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace platform::win32
