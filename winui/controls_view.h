#pragma once

#include "forms/form.h"
#include "platform/win32/win32.h"
#include "winui/page_view.h"
#include "winui/painting.h"

#include <optional>
#include <string>
#include <vector>

namespace winui {

struct FolderControls;

// One page control as the window made it from the page table, with what it
// shows now, so that it is left alone (caret, scroll position, selection)
// while its model has not changed.
struct PlacedControl {
    forms::ControlSpec placement{0, forms::ControlKind::TextBox, {0, 0, 0, 0}};
    std::size_t page = 0;
    forms::ControlModel model;
    HWND window = nullptr;

    std::optional<std::string> shownText;   // the read-only texts
    std::vector<char> shownDrives;          // the drive list
    std::optional<std::string> shownFolder; // the directory list
    std::vector<std::string> folderPaths;   // one per entry of the directory list
    std::vector<std::string> shownItems;    // the list box
};

// The buttons and the pages' controls, drawn from the form's models. The
// window reads back what the user did through the accessors below and hands
// it to the models.
class ControlsView {
public:
    // `folders` draws the drive and directory lists; null for a program whose
    // pages have none.
    ControlsView(forms::Form& form, const Scale& scale, const Fonts& fonts, const Palette& palette,
                 const FolderControls* folders);
    ControlsView(const ControlsView&) = delete;
    ControlsView& operator=(const ControlsView&) = delete;

    // Creates the buttons in the keyboard order the page table gives. A page
    // (through `pages`) and its controls are made when it first shows, or by
    // fillAllPages, whichever comes first, in their place in that order.
    void create(HWND main, HINSTANCE instance, PageViews& pages);
    // Makes every page that is not made yet: called once the window is on
    // screen, so that start-up waits only for the first page.
    void fillAllPages();
    // Makes the pages the models show, and their controls, where they are not
    // made yet: before the pages and the controls are brought in line.
    void fillShownPages();

    // Brings every control made so far in line with its model. Setting a
    // control from here raises notifications of its own; the caller ignores
    // them meanwhile.
    void sync();

    PlacedControl* find(int id);
    PlacedControl* find(HWND window);

    // Reads the open folder's subfolders again at the next sync, and puts the
    // selection back on the open folder.
    static void refreshFolders(PlacedControl& folders) { folders.shownFolder.reset(); }
    const FolderControls* folders() const { return folders_; }
    // The position selected in a list box, -1 for none.
    static int selectedItem(const PlacedControl& list);

    // Gives the default-button frame (and Enter) to the push button that has
    // the keyboard focus, or to Next when the focus is elsewhere.
    void markDefaultButton(HWND focus) const;
    // The first control of the page on show that can take the focus.
    HWND firstPageControl(const PageViews& pages) const;

    bool isReadOnlyText(HWND control) const;
    void measureItem(MEASUREITEMSTRUCT& item) const;
    void drawItem(const DRAWITEMSTRUCT& item) const;

private:
    void createButton(HWND main, HINSTANCE instance, forms::ButtonRole role);
    void createLabel(HWND page, const forms::ControlSpec& placement, const RECT& area);
    void makePage(std::size_t page);
    void fillPage(std::size_t page);
    void syncButton(forms::ButtonRole role);
    void syncControl(PlacedControl& control);
    void syncTextBox(PlacedControl& control);
    void syncReadOnlyText(PlacedControl& control);
    void syncNote(PlacedControl& control);
    void syncList(PlacedControl& control);

    forms::Form& form_;
    const Scale& scale_;
    const Fonts& fonts_;
    const Palette& palette_;
    const FolderControls* folders_;

    HWND main_ = nullptr;
    HINSTANCE instance_ = nullptr;
    PageViews* pages_ = nullptr;
    HWND buttons_[3] = {}; // by ButtonRole
    std::vector<PlacedControl> controls_;
    std::vector<bool> pageFilled_;
};

} // namespace winui
