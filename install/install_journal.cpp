#include "install/install_journal.h"

#include "common/error.h"
#include "common/text_rules.h"

namespace install {

InstallJournal::InstallJournal(platform::RegistryService& registry,
                               std::optional<InstallRecord> earlier)
    : registry_(registry), earlier_(std::move(earlier)) {}

const PlacedFile* InstallJournal::earlierFile(const std::string& path) const {
    if (!earlier_) {
        return nullptr;
    }
    for (const PlacedFile& file : earlier_->files) {
        if (common::equalsIgnoringAsciiCase(file.path, path)) {
            return &file;
        }
    }
    return nullptr;
}

void InstallJournal::write(const char* subkey, const std::string& name, const std::string& data) {
    try {
        whole_ = !active_ || (writeRecordValue(registry_, subkey, name, data) && whole_);
    } catch (const common::SetupError&) {
        whole_ = false;
    }
}

void InstallJournal::start(const std::vector<RecordedFolder>& folders) {
    active_ = true;
    for (const RecordedFolder& each : folders) {
        folder(each);
    }
}

void InstallJournal::abandon() {
    if (active_ && !earlier_) {
        const std::string entry = kUninstallKey;
        for (const char* subkey : {kFoldersSubkey, kFilesSubkey}) {
            registry_.deleteKey(platform::kHkeyCurrentUser, entry + "\\" + subkey);
        }
        registry_.deleteKey(platform::kHkeyCurrentUser, entry);
    }
    active_ = false;
}

void InstallJournal::folder(const RecordedFolder& folder) {
    RecordedFolder stored = folder;
    for (const RecordedFolder& before :
         earlier_ ? earlier_->folders : std::vector<RecordedFolder>{}) {
        stored.made = stored.made ||
                      (common::equalsIgnoringAsciiCase(before.path, folder.path) && before.made);
    }
    write(kFoldersSubkey, stored.path, folderData(stored));
}

void InstallJournal::entry(const std::string& installDir) {
    InstallRecord shown;
    shown.installDir = installDir;
    try {
        whole_ = !active_ || (writeEntryValues(registry_, shown) && whole_);
    } catch (const common::SetupError&) {
        whole_ = false;
    }
}

void InstallJournal::placing(const std::string& path, bool overOther) {
    write(kFilesSubkey, path,
          fileData({path, std::nullopt, overOther ? Pending::OverOther : Pending::New}));
}

void InstallJournal::placed(const std::string& path, const FileMark& mark) {
    write(kFilesSubkey, path, formatMark(mark));
}

void InstallJournal::notPlaced(const std::string& path) {
    const PlacedFile* before = earlierFile(path);
    const std::string data = before ? fileData(*before) : std::string();
    if (!before) {
        removed(path);
    } else if (!data.empty()) {
        write(kFilesSubkey, path, data);
    }
}

void InstallJournal::removed(const std::string& path) {
    write(kFilesSubkey, path, fileData({path, std::nullopt, Pending::Removed}));
}

// One value per user: this run's names joined to those an earlier run gave.
void InstallJournal::handedOver(const HandedOver& given) {
    InstallRecord only;
    only.handheld = {given};
    const InstallRecord merged = earlier_ ? mergeRecords(*earlier_, only) : only;
    for (const HandedOver& user : merged.handheld) {
        if (user.user != given.user) {
            continue;
        }
        std::string names;
        for (const std::string& name : user.names) {
            names += (names.empty() ? "" : std::string(1, kHandheldNameSeparator)) + name;
        }
        write(kHandheldSubkey, user.user, names);
    }
}

void InstallJournal::conduit(const std::string& folder) {
    write(kConduitSubkey, folder, "");
}

} // namespace install
