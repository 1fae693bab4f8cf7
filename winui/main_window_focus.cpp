#include "winui/main_window.h"

#include "winui/window_ids.h"

// The keyboard: what the dialog manager (IsDialogMessage) does not do for a
// window that is not a dialog, and where the focus goes when its control
// disappears.
namespace winui {

bool MainWindow::preTranslate(const MSG& message) {
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    // Enter in a directory list opens the selected folder, as a double click
    // does; everywhere else it presses the default button.
    PlacedControl* control = controls_.find(message.hwnd);
    if (message.wParam == VK_RETURN && control != nullptr &&
        control->placement.kind == forms::ControlKind::DirList) {
        openSelectedFolder(*control);
        return true;
    }
    // Multi-line edits ask for every key, and in a dialog hand Tab, Enter and
    // Esc to their parent window, which here is a page. The read-only text
    // boxes take part in the window's keyboard like every other control.
    return controls_.isReadOnlyText(message.hwnd) && readOnlyTextKey(message);
}

bool MainWindow::readOnlyTextKey(const MSG& message) {
    switch (message.wParam) {
    case VK_TAB: {
        const BOOL previous = GetKeyState(VK_SHIFT) < 0 ? TRUE : FALSE;
        HWND next = GetNextDlgTabItem(window_, message.hwnd, previous);
        if (next != nullptr) {
            SetFocus(next);
            controls_.markDefaultButton(next);
        }
        return true;
    }
    case VK_RETURN:
        command(q4p::window_ids::kNext, BN_CLICKED);
        return true;
    case VK_ESCAPE:
        command(q4p::window_ids::kCancel, BN_CLICKED);
        return true;
    default:
        return false;
    }
}

bool MainWindow::canTakeFocus(HWND control) const {
    return control != nullptr && IsChild(window_, control) && IsWindowVisible(control) &&
           IsWindowEnabled(control);
}

// Next when it can be pressed; otherwise what the page asks of the user
// (the user list while Next waits for a pick); otherwise the first control.
HWND MainWindow::firstFocus() const {
    HWND next = GetDlgItem(window_, q4p::window_ids::kNext);
    if (canTakeFocus(next)) {
        return next;
    }
    HWND onPage = controls_.firstPageControl(pages_);
    if (canTakeFocus(onPage)) {
        return onPage;
    }
    return GetNextDlgTabItem(window_, nullptr, FALSE);
}

// A control that was hidden or disabled (a page left, Next disabled) must not
// keep the keyboard: it goes to the default button, or the first that can
// take it.
void MainWindow::keepFocus() {
    if (window_ == nullptr || !IsWindowVisible(window_)) {
        return;
    }
    if (GetActiveWindow() != window_) {
        if (!canTakeFocus(savedFocus_)) {
            savedFocus_ = firstFocus();
        }
        return;
    }
    if (!canTakeFocus(GetFocus())) {
        SetFocus(firstFocus());
    }
    controls_.markDefaultButton(GetFocus());
}

} // namespace winui
