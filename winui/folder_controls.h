#pragma once

#include "platform/win32/win32.h"
#include "winui/painting.h"

#include <optional>
#include <string>

namespace winui {

struct PlacedControl;

// The drive list and the directory list, which only the setup's folder page
// has. A program whose pages hold them hands these to its window; one whose
// pages do not (the uninstaller) passes none, and its build leaves their code
// out.
struct FolderControls {
    // Brings a drive list in line with its model; the drives are read again
    // only while its page is up, since each fixed drive is asked its label.
    void (*syncDrives)(PlacedControl& drives, bool pageShown);
    void (*syncFolders)(PlacedControl& folders);
    // The drive letter picked in a drive list, 0 for none.
    char (*selectedDrive)(const PlacedControl& drives);
    // The full path of the entry selected in a directory list, if any.
    std::optional<std::string> (*selectedFolder)(const PlacedControl& folders);
    // What the user's choice does to the models: a drive picked, a folder
    // opened (one that cannot be opened leaves the list where it was).
    void (*pickDrive)(PlacedControl& drives, char letter);
    void (*openFolder)(PlacedControl& folders, const std::string& path);
    // The directory lists are the controls the window draws itself.
    void (*measureItem)(MEASUREITEMSTRUCT& item, const Scale& scale, const Fonts& fonts);
    void (*drawItem)(const DRAWITEMSTRUCT& item, const Scale& scale, const Fonts& fonts,
                     const Palette& palette);
};

extern const FolderControls kFolderControls;

} // namespace winui
