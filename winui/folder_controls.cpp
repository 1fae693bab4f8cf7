#include "winui/folder_controls.h"

#include "common/error.h"
#include "common/text_rules.h"
#include "winui/controls_view.h"
#include "winui/text.h"

#include <algorithm>
#include <exception>

// The drive list, and the directory list: the open folder's parents,
// indented step by step, the open folder, then its subfolders, each with a
// small folder picture.
namespace winui {

namespace {

// "c: [System]" for a fixed drive with a label, otherwise "c:". Removable
// drives are not asked for their label: an empty floppy drive would be
// spun up, or would answer only after a long wait.
WideText driveEntry(char letter) {
    const auto lower = static_cast<wchar_t>(common::asciiLower(letter));
    const auto upper = static_cast<wchar_t>(common::asciiUpper(letter));
    WideText entry(std::vector<wchar_t>{lower, L':'});
    const wchar_t root[] = {upper, L':', L'\\', L'\0'};
    const UINT type = GetDriveTypeW(root);
    if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) {
        wchar_t label[MAX_PATH + 1] = {};
        if (GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                                  0) &&
            label[0] != L'\0') {
            entry += WideText(L" [");
            entry += WideText(label);
            entry += WideText(L"]");
        }
    }
    return entry;
}

// The directory list keeps each entry's indentation and folder picture in
// its item data.
LPARAM folderEntryData(int level, bool open) {
    return static_cast<LPARAM>(level) | (open ? 0x10000 : 0);
}

// What the directory list shows of a folder: a root as "c:\", any other
// folder by its own name.
WideText folderEntry(const std::string& path) {
    if (path.size() <= 3) {
        return fromUtf8(common::asciiLower(path));
    }
    const std::size_t slash = path.find_last_of('\\');
    return fromUtf8(slash == std::string::npos ? path : path.substr(slash + 1));
}

void addFolderEntry(PlacedControl& control, const std::string& entry, int level, bool open) {
    const WideText name = folderEntry(entry);
    const auto position =
        SendMessageW(control.window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(control.window, LB_SETITEMDATA, static_cast<WPARAM>(position),
                 folderEntryData(level, open));
    control.folderPaths.push_back(entry);
}

// The parents, the open folder and its subfolders; the open folder selected
// and a few of its parents in view above it.
void addFolderEntries(PlacedControl& control, const forms::DirList& model) {
    const std::vector<std::string> parents = model.parents();
    for (std::size_t level = 0; level < parents.size(); ++level) {
        addFolderEntry(control, parents[level], static_cast<int>(level), true);
    }
    const int openLevel = static_cast<int>(parents.size());
    const int openPosition = static_cast<int>(control.folderPaths.size());
    addFolderEntry(control, model.path(), openLevel, true);
    std::vector<std::string> subfolders;
    try {
        subfolders = model.subfolders();
    } catch (const std::exception&) {
        // A folder that cannot be read, or not listed whole, is shown without
        // subfolders. This runs while the window draws its controls, outside
        // any user action's handler: nothing may unwind into the system.
        subfolders.clear();
    }
    for (const std::string& subfolder : subfolders) {
        addFolderEntry(control, subfolder, openLevel + 1, false);
    }
    SendMessageW(control.window, LB_SETCURSEL, static_cast<WPARAM>(openPosition), 0);
    SendMessageW(control.window, LB_SETTOPINDEX,
                 static_cast<WPARAM>(openPosition > 3 ? openPosition - 3 : 0), 0);
}

void syncDrives(PlacedControl& control, bool pageShown) {
    const forms::DriveList& model = *control.model.drive;
    // Drives come and go (a memory stick, a network drive); the list is read
    // again whenever its page is up, and not before: each fixed drive is asked
    // for its label, which start-up need not wait for.
    if (pageShown) {
        const std::vector<char> drives = model.drives();
        if (drives != control.shownDrives) {
            control.shownDrives = drives;
            SendMessageW(control.window, CB_RESETCONTENT, 0, 0);
            for (char letter : drives) {
                const WideText entry = driveEntry(letter);
                const auto position = SendMessageW(control.window, CB_ADDSTRING, 0,
                                                   reinterpret_cast<LPARAM>(entry.c_str()));
                SendMessageW(control.window, CB_SETITEMDATA, static_cast<WPARAM>(position),
                             static_cast<LPARAM>(static_cast<unsigned char>(letter)));
            }
        }
    }
    const char selected = common::driveLetterOf(model.drive());
    int position = -1;
    for (std::size_t i = 0; i < control.shownDrives.size(); ++i) {
        if (selected != 0 && common::asciiLower(control.shownDrives[i]) == selected) {
            position = static_cast<int>(i);
        }
    }
    if (SendMessageW(control.window, CB_GETCURSEL, 0, 0) != position) {
        SendMessageW(control.window, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    }
}

char selectedDrive(const PlacedControl& drives) {
    const auto position = SendMessageW(drives.window, CB_GETCURSEL, 0, 0);
    if (position < 0) {
        return 0;
    }
    return static_cast<char>(
        SendMessageW(drives.window, CB_GETITEMDATA, static_cast<WPARAM>(position), 0));
}

void syncFolders(PlacedControl& control) {
    const forms::DirList& model = *control.model.folders;
    if (control.shownFolder == model.path()) {
        return;
    }
    control.shownFolder = model.path();
    control.folderPaths.clear();
    SendMessageW(control.window, WM_SETREDRAW, FALSE, 0);
    SendMessageW(control.window, LB_RESETCONTENT, 0, 0);
    if (!model.path().empty()) {
        addFolderEntries(control, model);
    }
    SendMessageW(control.window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control.window, nullptr, TRUE);
}

std::optional<std::string> selectedFolder(const PlacedControl& folders) {
    const auto position = SendMessageW(folders.window, LB_GETCURSEL, 0, 0);
    if (position < 0 || static_cast<std::size_t>(position) >= folders.folderPaths.size()) {
        return std::nullopt;
    }
    return folders.folderPaths[static_cast<std::size_t>(position)];
}

void pickDrive(PlacedControl& drives, char letter) {
    drives.model.drive->userSelect(letter);
}

void openFolder(PlacedControl& folders, const std::string& path) {
    common::ignoreFailure("the list stays on the folder still open",
                          [&] { folders.model.folders->open(path); });
}

void measureItem(MEASUREITEMSTRUCT& item, const Scale& scale, const Fonts& fonts) {
    HDC screen = GetDC(nullptr);
    TEXTMETRICW metrics{};
    {
        Selection font(screen, fonts.dialog.get());
        GetTextMetricsW(screen, &metrics);
    }
    ReleaseDC(nullptr, screen);
    const int height = std::max<int>(metrics.tmHeight, folderGlyphHeight(scale)) + scale.design(3);
    item.itemHeight = static_cast<UINT>(height);
}

void drawItem(const DRAWITEMSTRUCT& item, const Scale& scale, const Fonts& fonts,
              const Palette& palette) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) {
            DrawFocusRect(dc, &area);
        }
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int level = static_cast<int>(item.itemData & 0xFFFF);
    const bool open = (item.itemData & 0x10000) != 0;
    int x = area.left + scale.design(3) + level * scale.design(10);
    const int glyphTop = area.top + (area.bottom - area.top - folderGlyphHeight(scale)) / 2;
    drawFolderGlyph(dc, x, glyphTop, scale, palette, open);
    x += folderGlyphWidth(scale) + scale.design(4);

    const auto length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
    WideText name;
    if (length > 0) {
        // LB_GETTEXT writes the terminating NUL as well.
        std::vector<wchar_t> units(static_cast<std::size_t>(length) + 1, L'\0');
        const auto copied = SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID,
                                         reinterpret_cast<LPARAM>(units.data()));
        units.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        name = WideText(std::move(units));
    }
    Selection font(dc, fonts.dialog.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textArea{x, area.top, area.right - scale.design(2), area.bottom};
    DrawTextW(dc, name.c_str(), name.length(), &textArea,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) {
        DrawFocusRect(dc, &area);
    }
}

} // namespace

const FolderControls kFolderControls{&syncDrives, &syncFolders, &selectedDrive, &selectedFolder,
                                     &pickDrive,  &openFolder,  &measureItem,   &drawItem};

} // namespace winui
