#include "platform/win32/window/controls_view.h"

#include "platform/win32/window/control_ids.h"
#include "platform/win32/window/text.h"

#include <algorithm>
#include <cctype>
#include <exception>

// The directory list: the open folder's parents, indented step by step, the
// open folder, then its subfolders, each with a small folder picture.
namespace platform::win32 {

namespace {

// The directory list keeps each entry's indentation and folder picture in
// its item data.
LPARAM folderEntryData(int level, bool open) {
    return static_cast<LPARAM>(level) | (open ? 0x10000 : 0);
}

// What the directory list shows of a folder: a root as "c:\", any other
// folder by its own name.
std::wstring folderEntry(const std::string& path) {
    if (path.size() <= 3) {
        std::string root = path;
        std::transform(root.begin(), root.end(), root.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return fromUtf8(root);
    }
    const std::size_t slash = path.find_last_of('\\');
    return fromUtf8(slash == std::string::npos ? path : path.substr(slash + 1));
}

} // namespace

void ControlsView::syncFolders() {
    const std::string& path = setup_.dirList.path();
    if (shownFolder_ == path) {
        return;
    }
    shownFolder_ = path;
    folderPaths_.clear();
    SendMessageW(dirList_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(dirList_, LB_RESETCONTENT, 0, 0);
    auto add = [&](const std::string& entry, int level, bool open) {
        const std::wstring name = folderEntry(entry);
        const auto position =
            SendMessageW(dirList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(dirList_, LB_SETITEMDATA, static_cast<WPARAM>(position),
                     folderEntryData(level, open));
        folderPaths_.push_back(entry);
    };
    if (!path.empty()) {
        const std::vector<std::string> parents = setup_.dirList.parents();
        for (std::size_t level = 0; level < parents.size(); ++level) {
            add(parents[level], static_cast<int>(level), true);
        }
        const int openLevel = static_cast<int>(parents.size());
        const int openPosition = static_cast<int>(folderPaths_.size());
        add(path, openLevel, true);
        std::vector<std::string> subfolders;
        try {
            subfolders = setup_.dirList.subfolders();
        } catch (const std::exception&) {
            // A folder that cannot be read is shown without subfolders.
        }
        for (const std::string& subfolder : subfolders) {
            add(subfolder, openLevel + 1, false);
        }
        SendMessageW(dirList_, LB_SETCURSEL, static_cast<WPARAM>(openPosition), 0);
        SendMessageW(dirList_, LB_SETTOPINDEX,
                     static_cast<WPARAM>(openPosition > 3 ? openPosition - 3 : 0), 0);
    }
    SendMessageW(dirList_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(dirList_, nullptr, TRUE);
}

std::optional<std::string> ControlsView::selectedFolder() const {
    const auto position = SendMessageW(dirList_, LB_GETCURSEL, 0, 0);
    if (position < 0 || static_cast<std::size_t>(position) >= folderPaths_.size()) {
        return std::nullopt;
    }
    return folderPaths_[static_cast<std::size_t>(position)];
}

void ControlsView::measureItem(MEASUREITEMSTRUCT& item) const {
    if (item.CtlID != static_cast<UINT>(window_ids::kDirList)) {
        return;
    }
    HDC screen = GetDC(nullptr);
    TEXTMETRICW metrics{};
    {
        Selection font(screen, fonts_.dialog.get());
        GetTextMetricsW(screen, &metrics);
    }
    ReleaseDC(nullptr, screen);
    const int height =
        std::max<int>(metrics.tmHeight, folderGlyphHeight(scale_)) + scale_.design(3);
    item.itemHeight = static_cast<UINT>(height);
}

void ControlsView::drawItem(const DRAWITEMSTRUCT& item) const {
    if (item.CtlID != static_cast<UINT>(window_ids::kDirList)) {
        return;
    }
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
    int x = area.left + scale_.design(3) + level * scale_.design(10);
    const int glyphTop = area.top + (area.bottom - area.top - folderGlyphHeight(scale_)) / 2;
    drawFolderGlyph(dc, x, glyphTop, scale_, open);
    x += folderGlyphWidth(scale_) + scale_.design(4);

    const auto length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
    std::wstring name;
    if (length > 0) {
        // LB_GETTEXT writes the terminating NUL as well.
        name.assign(static_cast<std::size_t>(length) + 1, L'\0');
        const auto copied = SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID,
                                         reinterpret_cast<LPARAM>(name.data()));
        name.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    }
    Selection font(dc, fonts_.dialog.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textArea{x, area.top, area.right - scale_.design(2), area.bottom};
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &textArea,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) {
        DrawFocusRect(dc, &area);
    }
}

} // namespace platform::win32
