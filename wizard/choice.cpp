#include "wizard/setup_form.h"

#include "common/error.h"
#include "handheld/pilot.h"
#include "install/manifest.h"

namespace wizard {

void Setup::drive_Change() {
    // A drive without a medium leaves the lists, the text and installDir as
    // they were; the drive list keeps showing the user's choice.
    common::ignoreFailure("a drive that is not ready changes nothing",
                          [this] { dirList.open(drive.drive()); });
}

void Setup::dirList_Change() {
    DirName.setText(dirList.path());
    // The folder just opened, so its drive is normally ready; if it went away
    // in between, the drive list simply keeps the drive it shows.
    common::ignoreFailure("the drive list keeps the drive it shows",
                          [this] { drive.selectFromPath(dirList.path()); });
}

void Setup::DirName_Change() {
    state_.installDir = DirName.text();
    updateFolderNext();
}

// A drive or share root is refused: Next stays disabled until the text names
// a folder in it. Fourteen files spread in a root could not be told from the
// rest of the drive, and no removal may clear a root.
void Setup::updateFolderNext() {
    const std::string& folder = state_.installDir;
    if (currentIs(FrameId::FrameChooseDir)) {
        bNext.setEnabled(!install::isUsableFolder(folder) || install::isInstallableFolder(folder));
    }
}

void Setup::ListUsers_Click() {
    if (ListUsers.listIndex() == -1) {
        bNext.setEnabled(false);
        return;
    }
    bNext.setEnabled(true);
    state_.userName = ListUsers.item(ListUsers.listIndex());
    // An install aide that cannot be reached any more counts like a user
    // whose folder is not known: the pick stands, with no folder.
    try {
        state_.userDir = Pilot::GetUserDirectory(machine_.installAide, state_.userName);
    } catch (const common::SetupError&) {
        state_.userDir.clear();
    }
}

} // namespace wizard
