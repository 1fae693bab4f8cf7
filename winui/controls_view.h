#pragma once

#include "platform/win32/win32.h"
#include "platform/win32/window/dpi.h"
#include "platform/win32/window/page_view.h"
#include "platform/win32/window/painting.h"
#include "wizard/setup_form.h"

#include <optional>
#include <string>
#include <vector>

namespace platform::win32 {

// The standard controls of the window and of its pages, drawn from the
// control models. The window reads back what the user did through the
// accessors below and hands it to the models.
class ControlsView {
public:
    ControlsView(const wizard::Setup& setup, const Scale& scale, const Fonts& fonts);
    ControlsView(const ControlsView&) = delete;
    ControlsView& operator=(const ControlsView&) = delete;

    // Creates the buttons, the pages (through `pages`) and the pages' controls.
    void create(HWND main, HINSTANCE instance, PageViews& pages);

    // Brings every control in line with its model. Setting a control from
    // here raises notifications of its own; the caller ignores them meanwhile.
    void sync();

    // Reads the open folder's subfolders again at the next sync, and puts the
    // selection back on the open folder.
    void refreshFolders() { shownFolder_.reset(); }

    HWND dirList() const { return dirList_; }
    // The full path of the entry selected in the directory list, if any.
    std::optional<std::string> selectedFolder() const;
    // The drive letter picked in the drive list, 0 for none.
    char selectedDrive() const;
    // The position selected in the user list, -1 for none.
    int selectedUser() const;
    // The folder text box as the user left it.
    std::string folderText() const;

    // Gives the default-button frame (and Enter) to the push button that has
    // the keyboard focus, or to Next when the focus is elsewhere.
    void markDefaultButton(HWND focus) const;
    // The first control of the page on show that can take the focus.
    HWND firstPageControl(const PageViews& pages) const;

    bool isReadOnlyText(HWND control) const;
    void measureItem(MEASUREITEMSTRUCT& item) const;
    void drawItem(const DRAWITEMSTRUCT& item) const;

private:
    void syncButton(HWND button, const platform::Button& model) const;
    void syncDrives();
    void syncFolders();
    void syncUsers();
    void syncIncompleteList();

    const wizard::Setup& setup_;
    const Scale& scale_;
    const Fonts& fonts_;

    HWND next_ = nullptr;
    HWND back_ = nullptr;
    HWND cancel_ = nullptr;
    HWND dirName_ = nullptr;
    HWND drive_ = nullptr;
    HWND dirList_ = nullptr;
    HWND listUsers_ = nullptr;
    HWND listaFicheiros_ = nullptr;
    HWND incompleteList_ = nullptr;

    // What the controls show now, to leave them alone (caret, scroll
    // position, selection) when the models have not changed.
    std::vector<char> shownDrives_;
    std::optional<std::string> shownFolder_;
    std::vector<std::string> folderPaths_; // one per entry of the directory list
    std::vector<std::string> shownUsers_;
    std::optional<std::string> shownSummary_;
    std::optional<std::string> shownIncomplete_;
};

} // namespace platform::win32
