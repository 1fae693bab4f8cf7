#include "platform/win32/window/controls_view.h"

#include "platform/win32/window/control_ids.h"
#include "platform/win32/window/layout.h"
#include "platform/win32/window/text.h"

#include <cctype>

namespace platform::win32 {

namespace {

using wizard::FrameId;

HWND makeControl(DWORD exStyle, const wchar_t* className, DWORD style, HWND parent,
                 HINSTANCE instance, int id, const RECT& area, const Font& font) {
    HWND control =
        CreateWindowExW(exStyle, className, L"", WS_CHILD | style, area.left, area.top,
                        area.right - area.left, area.bottom - area.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    return control;
}

// "c: [System]" for a fixed drive with a label, otherwise "c:". Removable
// drives are not asked for their label: an empty floppy drive would be
// spun up, or would answer only after a long wait.
std::wstring driveEntry(char letter) {
    const auto lower = static_cast<wchar_t>(std::tolower(static_cast<unsigned char>(letter)));
    const auto upper = static_cast<wchar_t>(std::toupper(static_cast<unsigned char>(letter)));
    std::wstring entry{lower, L':'};
    const wchar_t root[] = {upper, L':', L'\\', L'\0'};
    const UINT type = GetDriveTypeW(root);
    if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) {
        wchar_t label[MAX_PATH + 1] = {};
        if (GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                                  0) &&
            label[0] != L'\0') {
            entry += L" [";
            entry += label;
            entry += L"]";
        }
    }
    return entry;
}

bool shown(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void setShown(HWND window, bool visible) {
    if (shown(window) != visible) {
        ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
    }
}

void setText(HWND window, const std::wstring& text) {
    SetWindowTextW(window, text.c_str());
}

} // namespace

ControlsView::ControlsView(const wizard::Setup& setup, const Scale& scale, const Fonts& fonts)
    : setup_(setup), scale_(scale), fonts_(fonts) {}

void ControlsView::create(HWND main, HINSTANCE instance, PageViews& pages) {
    using namespace window_ids;
    // BS_NOTIFY: a button that takes the focus says so, and becomes the default.
    const DWORD button = WS_VISIBLE | WS_TABSTOP | BS_NOTIFY;
    const Font& font = fonts_.dialog;
    auto at = [&](const layout::TwipsRect& area) { return layout::toPixels(scale_, area); };

    // Windows are created in keyboard order: Cancel, bNext, the folder page's
    // DirName, drive and dirList, back, listaFicheiros, ListUsers. Tab walks
    // the main window's children in creation order and steps into each
    // visible page.
    cancel_ = makeControl(0, L"Button", button | BS_PUSHBUTTON, main, instance, kCancel,
                          at(layout::kCancel), font);
    next_ = makeControl(0, L"Button", button | BS_DEFPUSHBUTTON, main, instance, kNext,
                        at(layout::kNext), font);
    for (FrameId id : {FrameId::FrameWelcome, FrameId::FrameNFDesktop, FrameId::FrameNFExcel,
                       FrameId::FrameCloseExcel, FrameId::FrameNFExcelVr, FrameId::FrameNFAcrobat,
                       FrameId::FrameChooseDir}) {
        pages.create(main, instance, id);
    }
    back_ = makeControl(0, L"Button", button | BS_PUSHBUTTON, main, instance, kBack,
                        at(layout::kBack), font);
    for (FrameId id : {FrameId::FrameListFiles, FrameId::FrameChooseUser, FrameId::FrameFinal}) {
        pages.create(main, instance, id);
    }

    const DWORD box = WS_VISIBLE | WS_TABSTOP;
    HWND folderPage = pages.window(FrameId::FrameChooseDir);
    dirName_ = makeControl(WS_EX_CLIENTEDGE, L"Edit", box | ES_AUTOHSCROLL, folderPage, instance,
                           kDirName, at(layout::kDirName), font);
    // A drop-down list's height includes its open list.
    RECT driveArea = at(layout::kDrive);
    driveArea.bottom += scale_.design(200);
    drive_ = makeControl(0, L"ComboBox", box | WS_VSCROLL | CBS_DROPDOWNLIST, folderPage, instance,
                         kDrive, driveArea, font);
    dirList_ = makeControl(WS_EX_CLIENTEDGE, L"ListBox",
                           box | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                               LBS_NOINTEGRALHEIGHT,
                           folderPage, instance, kDirList, at(layout::kDirList), font);
    listUsers_ = makeControl(
        WS_EX_CLIENTEDGE, L"ListBox", box | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        pages.window(FrameId::FrameChooseUser), instance, kListUsers, at(layout::kListUsers), font);
    const DWORD readOnlyText =
        WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
    listaFicheiros_ = makeControl(WS_EX_CLIENTEDGE, L"Edit", WS_VISIBLE | readOnlyText,
                                  pages.window(FrameId::FrameListFiles), instance, kListaFicheiros,
                                  at(layout::kListaFicheiros), font);
    // Shown, below the page text, only when there is something to list.
    incompleteList_ =
        makeControl(WS_EX_CLIENTEDGE, L"Edit", readOnlyText, pages.window(FrameId::FrameFinal),
                    instance, kIncompleteList, at(layout::kListaFicheiros), font);
}

void ControlsView::sync() {
    syncButton(cancel_, setup_.Cancel);
    syncButton(next_, setup_.bNext);
    syncButton(back_, setup_.back);

    // Unchanged while the user types. A character the system code page
    // cannot hold comes back as the model holds it, and the caret goes to
    // the end rather than the start.
    const std::wstring folder = fromUtf8(setup_.DirName.text());
    if (windowText(dirName_) != folder) {
        setText(dirName_, folder);
        const auto end = static_cast<WPARAM>(folder.size());
        SendMessageW(dirName_, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
    syncDrives();
    syncFolders();
    syncUsers();
    if (shownSummary_ != setup_.listaFicheiros.text()) {
        shownSummary_ = setup_.listaFicheiros.text();
        setText(listaFicheiros_, fromUtf8(*shownSummary_));
    }
    syncIncompleteList();
}

void ControlsView::syncButton(HWND button, const platform::Button& model) const {
    const std::wstring caption = fromUtf8(model.caption());
    if (windowText(button) != caption) {
        setText(button, caption);
    }
    setShown(button, model.visible());
    if ((IsWindowEnabled(button) != FALSE) != model.enabled()) {
        EnableWindow(button, model.enabled() ? TRUE : FALSE);
    }
}

void ControlsView::syncDrives() {
    // Drives come and go (a memory stick, a network drive); the list is read
    // again whenever the folder page is up.
    if (shownDrives_.empty() || setup_.frame(FrameId::FrameChooseDir).visible) {
        const std::vector<char> drives = setup_.drive.drives();
        if (drives != shownDrives_) {
            shownDrives_ = drives;
            SendMessageW(drive_, CB_RESETCONTENT, 0, 0);
            for (char letter : drives) {
                const std::wstring entry = driveEntry(letter);
                const auto position =
                    SendMessageW(drive_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
                SendMessageW(drive_, CB_SETITEMDATA, static_cast<WPARAM>(position),
                             static_cast<LPARAM>(static_cast<unsigned char>(letter)));
            }
        }
    }
    const std::string& selected = setup_.drive.drive();
    int position = -1;
    for (std::size_t i = 0; i < shownDrives_.size(); ++i) {
        if (!selected.empty() && std::tolower(static_cast<unsigned char>(shownDrives_[i])) ==
                                     static_cast<unsigned char>(selected[0])) {
            position = static_cast<int>(i);
        }
    }
    if (SendMessageW(drive_, CB_GETCURSEL, 0, 0) != position) {
        SendMessageW(drive_, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    }
}

void ControlsView::syncUsers() {
    const platform::ListBox& users = setup_.ListUsers;
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(users.count()));
    for (int i = 0; i < users.count(); ++i) {
        names.push_back(users.item(i));
    }
    if (names != shownUsers_) {
        shownUsers_ = std::move(names);
        SendMessageW(listUsers_, WM_SETREDRAW, FALSE, 0);
        SendMessageW(listUsers_, LB_RESETCONTENT, 0, 0);
        for (const std::string& name : shownUsers_) {
            const std::wstring entry = fromUtf8(name);
            SendMessageW(listUsers_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
        SendMessageW(listUsers_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(listUsers_, nullptr, TRUE);
    }
    const int selected = users.listIndex();
    if (SendMessageW(listUsers_, LB_GETCURSEL, 0, 0) != selected) {
        SendMessageW(listUsers_, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    }
}

void ControlsView::syncIncompleteList() {
    const std::string& text = setup_.incompleteList.text();
    if (shownIncomplete_ != text) {
        shownIncomplete_ = text;
        setText(incompleteList_, fromUtf8(text));
    }
    if (!text.empty()) {
        const std::size_t lines = setup_.pageLines(FrameId::FrameFinal).size();
        RECT area = layout::toPixels(scale_, layout::kListaFicheiros);
        area.top = pageTextBottom(scale_, fonts_, lines) + scale_.design(6);
        area.bottom = scale_.twips(layout::kIncompleteListBottom);
        SetWindowPos(incompleteList_, nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    setShown(incompleteList_, !text.empty());
}

char ControlsView::selectedDrive() const {
    const auto position = SendMessageW(drive_, CB_GETCURSEL, 0, 0);
    if (position < 0) {
        return 0;
    }
    return static_cast<char>(
        SendMessageW(drive_, CB_GETITEMDATA, static_cast<WPARAM>(position), 0));
}

int ControlsView::selectedUser() const {
    return static_cast<int>(SendMessageW(listUsers_, LB_GETCURSEL, 0, 0));
}

std::string ControlsView::folderText() const {
    return toUtf8(windowText(dirName_));
}

void ControlsView::markDefaultButton(HWND focus) const {
    const HWND buttons[] = {cancel_, next_, back_};
    HWND chosen = next_;
    for (HWND button : buttons) {
        if (button == focus) {
            chosen = focus;
        }
    }
    for (HWND button : buttons) {
        const auto style = static_cast<DWORD>(GetWindowLongW(button, GWL_STYLE));
        const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        if (isDefault != (button == chosen)) {
            const DWORD type = button == chosen ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            SendMessageW(button, BM_SETSTYLE, (style & ~BS_TYPEMASK & 0xFFFF) | type, TRUE);
        }
    }
}

HWND ControlsView::firstPageControl(const PageViews& pages) const {
    for (const wizard::PageSpec& entry : wizard::Pages()) {
        HWND page = pages.window(entry.id);
        if (!setup_.frame(entry.id).visible || !IsWindowVisible(page)) {
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

bool ControlsView::isReadOnlyText(HWND control) const {
    return control != nullptr && (control == listaFicheiros_ || control == incompleteList_);
}

} // namespace platform::win32
