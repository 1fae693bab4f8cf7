#include "forms/controls.h"

#include "common/error.h"
#include "common/text_rules.h"

// The models of the drive list and the directory list, apart from the other
// controls': a program whose pages have neither does not link them.
namespace forms {

DriveList::DriveList(platform::FileSystem& files) : files_(files) {}

std::vector<char> DriveList::drives() const {
    return files_.drives();
}

void DriveList::selectFromPath(const std::string& path) {
    const char letter = common::driveLetterOf(path);
    if (letter == 0 || !files_.driveReady(letter)) {
        throw common::SetupError("Device unavailable");
    }
    change(letter);
}

void DriveList::userSelect(char letter) {
    change(common::asciiLower(letter));
}

void DriveList::change(char letter) {
    std::string drive{letter, ':'};
    if (drive == drive_) {
        return;
    }
    drive_ = std::move(drive);
    if (onChange) {
        onChange();
    }
}

DirList::DirList(platform::FileSystem& files) : files_(files) {}

void DirList::open(const std::string& path) {
    const char letter = common::driveLetterOf(path);
    if (letter == 0 || !files_.driveReady(letter)) {
        throw common::SetupError("Path not found");
    }
    std::string full = path.size() == 2 ? files_.currentDirectoryOfDrive(letter) : path;
    full = common::withoutTrailingSeparators(full);
    if (full.size() == 2) {
        full += '\\';
    }
    if (!files_.directoryExists(full)) {
        throw common::SetupError("Path not found");
    }
    if (full == path_) {
        return;
    }
    path_ = std::move(full);
    if (onChange) {
        onChange();
    }
}

std::vector<std::string> DirList::parents() const {
    std::vector<std::string> result;
    if (path_.empty() || common::isDriveRoot(path_)) {
        return result;
    }
    result.push_back(path_.substr(0, 3));
    for (std::size_t at = path_.find('\\', 3); at != std::string::npos;
         at = path_.find('\\', at + 1)) {
        result.push_back(path_.substr(0, at));
    }
    return result;
}

std::vector<std::string> DirList::subfolders() const {
    std::vector<std::string> result;
    if (path_.empty()) {
        return result;
    }
    const std::string prefix = common::isDriveRoot(path_) ? path_ : path_ + "\\";
    for (const std::string& name : files_.subdirectories(path_)) {
        result.push_back(prefix + name);
    }
    return result;
}

} // namespace forms
