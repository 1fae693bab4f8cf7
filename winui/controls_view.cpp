#include "winui/controls_view.h"

#include "winui/folder_controls.h"
#include "winui/layout.h"
#include "winui/text.h"
#include "winui/visibility.h"
#include "winui/window_ids.h"

namespace winui {

namespace {

using forms::ButtonRole;
using forms::ControlKind;

HWND makeControl(DWORD exStyle, const wchar_t* className, DWORD style, HWND parent,
                 HINSTANCE instance, int id, const RECT& area, const Font& font) {
    HWND control =
        CreateWindowExW(exStyle, className, L"", WS_CHILD | style, area.left, area.top,
                        area.right - area.left, area.bottom - area.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    return control;
}

void setText(HWND window, const WideText& text) {
    SetWindowTextW(window, text.c_str());
}

// How each kind of page control is made.
struct ControlClass {
    ControlKind kind;
    DWORD exStyle;
    const wchar_t* className;
    DWORD style;
};

constexpr DWORD kBox = WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kReadOnlyText =
    WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
constexpr ControlClass kControlClasses[] = {
    {ControlKind::TextBox, WS_EX_CLIENTEDGE, L"Edit", kBox | ES_AUTOHSCROLL},
    {ControlKind::DriveList, 0, L"ComboBox", kBox | WS_VSCROLL | CBS_DROPDOWNLIST},
    {ControlKind::DirList, WS_EX_CLIENTEDGE, L"ListBox",
     kBox | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT},
    {ControlKind::ListBox, WS_EX_CLIENTEDGE, L"ListBox",
     kBox | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT},
    {ControlKind::ReadOnlyText, WS_EX_CLIENTEDGE, L"Edit", WS_VISIBLE | kReadOnlyText},
    // Shown, below the page text, only when there is something to list.
    {ControlKind::Note, WS_EX_CLIENTEDGE, L"Edit", kReadOnlyText},
};

const ControlClass& classOf(ControlKind kind) {
    for (const ControlClass& entry : kControlClasses) {
        if (entry.kind == kind) {
            return entry;
        }
    }
    return kControlClasses[0];
}

std::size_t roleIndex(ButtonRole role) {
    return static_cast<std::size_t>(role);
}

} // namespace

ControlsView::ControlsView(forms::Form& form, const Scale& scale, const Fonts& fonts,
                           const Palette& palette, const FolderControls* folders)
    : form_(form), scale_(scale), fonts_(fonts), palette_(palette), folders_(folders),
      pageFilled_(form.windowTable().pages.size(), false) {}

// Windows are created in keyboard order: Tab walks the main window's children
// in their order and steps into each visible page. The buttons are made here;
// a page window only when it first shows, or by fillAllPages once the window
// is on screen (each child window costs start-up time), and it is put in its
// place among the windows made before it. Pages that hold nothing the
// keyboard reaches come first. A page's own controls are made together, in
// the table's order, so they keep their order whenever they are made (see
// fillShownPages and fillAllPages).
void ControlsView::create(HWND main, HINSTANCE instance, PageViews& pages) {
    main_ = main;
    instance_ = instance;
    pages_ = &pages;
    std::size_t total = 0;
    for (const forms::PageSpec& page : form_.windowTable().pages) {
        total += page.controls.size();
    }
    // Handlers hold on to their control while the model changes: the list
    // never moves once made.
    controls_.reserve(total);
    for (const forms::FocusStop& stop : form_.windowTable().focusOrder) {
        if (stop.button) {
            createButton(main, instance, *stop.button);
        }
    }
}

// Made after the nearest window so far that comes before it in keyboard
// order, so that the windows keep that order whichever page comes first.
void ControlsView::makePage(std::size_t page) {
    if (pages_->window(page) != nullptr) {
        return;
    }
    HWND made = pages_->create(main_, instance_, page);
    HWND before = HWND_TOP;
    for (const forms::FocusStop& stop : form_.windowTable().focusOrder) {
        if (!stop.button && stop.page == page) {
            SetWindowPos(made, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return;
        }
        if (HWND earlier =
                stop.button ? buttons_[roleIndex(*stop.button)] : pages_->window(stop.page)) {
            before = earlier;
        }
    }
    // A page the keyboard never enters goes first: a reader walking the
    // window meets the page's text before the buttons.
    SetWindowPos(made, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ControlsView::fillAllPages() {
    for (std::size_t page = 0; page < pageFilled_.size(); ++page) {
        fillPage(page);
    }
}

void ControlsView::fillShownPages() {
    for (std::size_t page = 0; page < pageFilled_.size(); ++page) {
        if (form_.pageFrame(page).visible) {
            fillPage(page);
        }
    }
}

void ControlsView::createButton(HWND main, HINSTANCE instance, ButtonRole role) {
    for (const forms::ButtonSpec& button : form_.windowTable().buttons) {
        if (button.role != role) {
            continue;
        }
        // BS_NOTIFY: a button that takes the focus says so, and becomes the default.
        const DWORD type = role == ButtonRole::Next ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        const int id = role == ButtonRole::Next     ? q4p::window_ids::kNext
                       : role == ButtonRole::Cancel ? q4p::window_ids::kCancel
                                                    : q4p::window_ids::kBack;
        buttons_[roleIndex(role)] =
            makeControl(0, L"Button", WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | type, main, instance,
                        id, layout::toPixels(scale_, button.area), fonts_.dialog);
    }
}

void ControlsView::fillPage(std::size_t page) {
    if (pages_ == nullptr || pageFilled_[page]) {
        return;
    }
    pageFilled_[page] = true;
    makePage(page);
    HWND parent = pages_->window(page);
    for (const forms::ControlSpec& placement : form_.windowTable().pages[page].controls) {
        const ControlClass& made = classOf(placement.kind);
        RECT area = layout::toPixels(scale_, placement.area);
        if (placement.kind == ControlKind::DriveList) {
            // A drop-down list's height includes its open list.
            area.bottom += scale_.design(200);
        }
        if (placement.label != nullptr) {
            createLabel(parent, placement, area);
        }
        PlacedControl control;
        control.placement = placement;
        control.page = page;
        control.model = form_.control(placement.id);
        control.window = makeControl(made.exStyle, made.className, made.style, parent, instance_,
                                     placement.id, area, fonts_.dialog);
        controls_.push_back(std::move(control));
    }
}

// Beside the control, and just before it among the page's windows: readers
// name a control by the label before it, and its access key moves the focus
// to it.
void ControlsView::createLabel(HWND page, const forms::ControlSpec& placement, const RECT& area) {
    const int left = area.right + scale_.design(8);
    RECT client{};
    GetClientRect(page, &client);
    const int top = area.top + scale_.design(3);
    const RECT at{left, top, client.right - scale_.design(8), top + fonts_.bodyLine};
    HWND label = makeControl(0, L"Static", WS_VISIBLE | SS_LEFTNOWORDWRAP, page, instance_,
                             q4p::window_ids::kLabel, at, fonts_.dialog);
    setText(label, fromUtf8(placement.label));
}

void ControlsView::sync() {
    for (ButtonRole role : {ButtonRole::Cancel, ButtonRole::Next, ButtonRole::Back}) {
        syncButton(role);
    }
    for (PlacedControl& control : controls_) {
        syncControl(control);
    }
}

void ControlsView::syncButton(ButtonRole role) {
    HWND button = buttons_[roleIndex(role)];
    const forms::Button& model = form_.button(role);
    // Its first letter is its access key.
    const WideText caption = fromUtf8("&" + model.caption());
    if (windowText(button) != caption) {
        setText(button, caption);
    }
    setShown(button, model.visible());
    if ((IsWindowEnabled(button) != FALSE) != model.enabled()) {
        EnableWindow(button, model.enabled() ? TRUE : FALSE);
    }
}

void ControlsView::syncControl(PlacedControl& control) {
    switch (control.placement.kind) {
    case ControlKind::TextBox:
        return syncTextBox(control);
    case ControlKind::DriveList:
        if (folders_ != nullptr) {
            folders_->syncDrives(control, form_.pageFrame(control.page).visible);
        }
        return;
    case ControlKind::DirList:
        if (folders_ != nullptr) {
            folders_->syncFolders(control);
        }
        return;
    case ControlKind::ListBox:
        return syncList(control);
    case ControlKind::ReadOnlyText:
        return syncReadOnlyText(control);
    case ControlKind::Note:
        return syncNote(control);
    }
}

// Unchanged while the user types. A character the system code page cannot
// hold comes back as the model holds it, and the caret goes to the end rather
// than the start.
void ControlsView::syncTextBox(PlacedControl& control) {
    const WideText text = fromUtf8(control.model.text->text());
    if (windowText(control.window) != text) {
        setText(control.window, text);
        const auto end = static_cast<WPARAM>(text.size());
        SendMessageW(control.window, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
}

void ControlsView::syncReadOnlyText(PlacedControl& control) {
    const std::string& text = control.model.text->text();
    if (control.shownText != text) {
        control.shownText = text;
        setText(control.window, fromUtf8(text));
    }
}

// Below the page text, down to the bottom of the area the table gives.
void ControlsView::syncNote(PlacedControl& control) {
    syncReadOnlyText(control);
    const bool empty = control.model.text->text().empty();
    if (!empty) {
        const std::size_t lines = form_.pageText(control.page).size();
        RECT area = layout::toPixels(scale_, control.placement.area);
        area.top = pageTextBottom(scale_, fonts_, lines) + scale_.design(6);
        SetWindowPos(control.window, nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    setShown(control.window, !empty);
}

void ControlsView::syncList(PlacedControl& control) {
    const forms::ListBox& list = *control.model.list;
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i) {
        items.push_back(list.item(i));
    }
    if (items != control.shownItems) {
        control.shownItems = std::move(items);
        SendMessageW(control.window, WM_SETREDRAW, FALSE, 0);
        SendMessageW(control.window, LB_RESETCONTENT, 0, 0);
        for (const std::string& item : control.shownItems) {
            const WideText entry = fromUtf8(item);
            SendMessageW(control.window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
        SendMessageW(control.window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(control.window, nullptr, TRUE);
    }
    const int selected = list.listIndex();
    if (SendMessageW(control.window, LB_GETCURSEL, 0, 0) != selected) {
        SendMessageW(control.window, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    }
}

PlacedControl* ControlsView::find(int id) {
    for (PlacedControl& control : controls_) {
        if (control.placement.id == id) {
            return &control;
        }
    }
    return nullptr;
}

PlacedControl* ControlsView::find(HWND window) {
    for (PlacedControl& control : controls_) {
        if (window != nullptr && control.window == window) {
            return &control;
        }
    }
    return nullptr;
}

int ControlsView::selectedItem(const PlacedControl& list) {
    return static_cast<int>(SendMessageW(list.window, LB_GETCURSEL, 0, 0));
}

void ControlsView::markDefaultButton(HWND focus) const {
    HWND next = buttons_[roleIndex(ButtonRole::Next)];
    HWND chosen = next;
    for (HWND button : buttons_) {
        if (button == focus) {
            chosen = focus;
        }
    }
    for (HWND button : buttons_) {
        const auto style = static_cast<DWORD>(GetWindowLongW(button, GWL_STYLE));
        const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        if (isDefault != (button == chosen)) {
            const DWORD type = button == chosen ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            SendMessageW(button, BM_SETSTYLE, (style & ~BS_TYPEMASK & 0xFFFF) | type, TRUE);
        }
    }
}

HWND ControlsView::firstPageControl(const PageViews& pages) const {
    for (std::size_t index = 0; index < pages.count(); ++index) {
        HWND page = pages.window(index);
        if (!form_.pageFrame(index).visible || !IsWindowVisible(page)) {
            continue;
        }
        for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const auto style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
            if ((style & WS_TABSTOP) != 0 && IsWindowVisible(child) && IsWindowEnabled(child)) {
                return child;
            }
        }
    }
    return nullptr;
}

void ControlsView::measureItem(MEASUREITEMSTRUCT& item) const {
    if (folders_ != nullptr) {
        folders_->measureItem(item, scale_, fonts_);
    }
}

void ControlsView::drawItem(const DRAWITEMSTRUCT& item) const {
    if (folders_ != nullptr) {
        folders_->drawItem(item, scale_, fonts_, palette_);
    }
}

bool ControlsView::isReadOnlyText(HWND window) const {
    for (const PlacedControl& control : controls_) {
        if (window != nullptr && control.window == window) {
            return control.placement.kind == ControlKind::ReadOnlyText ||
                   control.placement.kind == ControlKind::Note;
        }
    }
    return false;
}

} // namespace winui
