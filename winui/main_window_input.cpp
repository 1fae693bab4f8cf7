#include "winui/main_window.h"

#include "winui/folder_controls.h"
#include "winui/text.h"
#include "winui/window_ids.h"

#include <exception>

// A user's action: the buttons and the page controls' notifications, each
// handed to the form while the window takes no other input.
namespace winui {

namespace {

// What a page control's notification does: the kind of control, the
// notification code, and the window's reaction.
struct Reaction {
    forms::ControlKind kind;
    int code;
    void (MainWindow::*react)(PlacedControl&);
};

} // namespace

template <typename Action> void MainWindow::forward(Action action) {
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
        // The handlers run inside the window procedure, and no exception may
        // unwind into the system's code that called it: a failure the form
        // leaves uncaught, of whatever kind, ends the user's action there, and
        // the window goes on showing the models as they are.
    }
    SetCursor(previous);
    busy_ = false;
    if (form_.formWindow().closed()) {
        destroy();
        return;
    }
    sync();
    pages_.invalidate();
}

void MainWindow::command(int id, int code) {
    using forms::ButtonRole;
    namespace ids = q4p::window_ids;
    if (code == BN_CLICKED && (id == ids::kNext || id == ids::kBack || id == ids::kCancel)) {
        const ButtonRole role = id == ids::kNext   ? ButtonRole::Next
                                : id == ids::kBack ? ButtonRole::Back
                                                   : ButtonRole::Cancel;
        forward([this, role] { form_.button(role).press(); });
        return;
    }
    // A plain selection in a directory list changes nothing; a double click opens.
    static constexpr Reaction kReactions[] = {
        {forms::ControlKind::TextBox, EN_CHANGE, &MainWindow::textEdited},
        {forms::ControlKind::DriveList, CBN_SELCHANGE, &MainWindow::drivePicked},
        {forms::ControlKind::DirList, LBN_DBLCLK, &MainWindow::openSelectedFolder},
        {forms::ControlKind::ListBox, LBN_SELCHANGE, &MainWindow::itemPicked},
    };
    PlacedControl* control = controls_.find(id);
    if (control == nullptr) {
        return;
    }
    for (const Reaction& reaction : kReactions) {
        if (reaction.kind == control->placement.kind && reaction.code == code) {
            (this->*reaction.react)(*control);
        }
    }
}

void MainWindow::textEdited(PlacedControl& control) {
    const std::string text = toUtf8(windowText(control.window));
    forward([&control, text] { control.model.text->setText(text); });
}

void MainWindow::drivePicked(PlacedControl& control) {
    const FolderControls* folders = controls_.folders();
    const char letter = folders != nullptr ? folders->selectedDrive(control) : 0;
    if (letter != 0) {
        forward([folders, &control, letter] { folders->pickDrive(control, letter); });
    }
}

void MainWindow::itemPicked(PlacedControl& control) {
    const int position = ControlsView::selectedItem(control);
    forward([&control, position] { control.model.list->select(position); });
}

void MainWindow::openSelectedFolder(PlacedControl& control) {
    const FolderControls* folders = controls_.folders();
    const std::optional<std::string> folder =
        folders != nullptr ? folders->selectedFolder(control) : std::nullopt;
    if (!folder) {
        return;
    }
    // Whatever the outcome, the list is read again: after a failure the
    // selection goes back to the folder still open.
    ControlsView::refreshFolders(control);
    forward([folders, &control, &folder] { folders->openFolder(control, *folder); });
}

} // namespace winui
