#include "install/record/install_record.h"
#include "probes/registry_key.h"

#include <algorithm>

// The reader of the record stands apart from the writer: the uninstaller
// links only this half.

namespace install {

using HandleRegistry::RegistryKey;

namespace {

std::vector<std::string> splitNames(const std::string& joined) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= joined.size()) {
        const std::size_t end = std::min(joined.find(kHandheldNameSeparator, start), joined.size());
        if (end > start) {
            names.push_back(joined.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

// Every string value of one subkey of the record, as (name, data) pairs.
std::vector<std::pair<std::string, std::string>> readList(platform::RegistryService& registry,
                                                          const char* subkey) {
    std::vector<std::pair<std::string, std::string>> pairs;
    RegistryKey key = RegistryKey::openExisting(registry, platform::kHkeyCurrentUser,
                                                std::string(kUninstallKey) + "\\" + subkey);
    for (const std::string& name : key.valueNames()) {
        std::string data;
        if (!key.readString(name, data)) {
            data = "\x01"; // not text: neither a role nor a mark
        }
        pairs.emplace_back(name, data);
    }
    return pairs;
}

} // namespace

const char* RoleName(FolderRole role) {
    switch (role) {
    case FolderRole::Install:
        return "install";
    case FolderRole::Excel:
        return "excel";
    case FolderRole::Startup:
        return "startup";
    case FolderRole::Menu:
        return "menu";
    }
    return "";
}

std::optional<FolderRole> roleFromName(const std::string& name) {
    for (FolderRole role :
         {FolderRole::Install, FolderRole::Excel, FolderRole::Startup, FolderRole::Menu}) {
        if (name == RoleName(role)) {
            return role;
        }
    }
    return std::nullopt;
}

namespace {

constexpr const char* kPendingData[] = {"", "placing", "replacing", "removed"};
constexpr const char* kMadeSuffix = " made";

} // namespace

std::string fileData(const PlacedFile& file) {
    if (file.pending != Pending::No) {
        return kPendingData[static_cast<int>(file.pending)];
    }
    return file.mark ? formatMark(*file.mark) : std::string(); // a damaged mark stays as stored
}

PlacedFile parseFileData(const std::string& path, const std::string& data) {
    for (Pending state : {Pending::New, Pending::OverOther, Pending::Removed}) {
        if (data == kPendingData[static_cast<int>(state)]) {
            return {path, std::nullopt, state};
        }
    }
    return {path, parseMark(data), Pending::No};
}

std::string folderData(const RecordedFolder& folder) {
    return std::string(folder.role ? RoleName(*folder.role) : "") +
           (folder.made ? kMadeSuffix : "");
}

RecordedFolder parseFolderData(const std::string& path, const std::string& data) {
    const std::size_t suffix = std::string(kMadeSuffix).size();
    const bool made =
        data.size() > suffix && data.compare(data.size() - suffix, suffix, kMadeSuffix) == 0;
    return {path, roleFromName(made ? data.substr(0, data.size() - suffix) : data), made};
}

std::optional<InstallRecord> readInstallRecord(platform::RegistryService& registry) {
    RegistryKey key =
        RegistryKey::openExisting(registry, platform::kHkeyCurrentUser, kUninstallKey);
    if (!key) {
        return std::nullopt;
    }
    InstallRecord record;
    key.readString("InstallLocation", record.installDir);
    for (auto& [path, role] : readList(registry, kFoldersSubkey)) {
        record.folders.push_back(parseFolderData(path, role));
    }
    for (auto& [path, mark] : readList(registry, kFilesSubkey)) {
        PlacedFile file = parseFileData(path, mark);
        // Struck out: as good as not there (the registry's values are only
        // ever written, one whole value at a time).
        if (file.pending != Pending::Removed) {
            record.files.push_back(std::move(file));
        }
    }
    for (auto& [user, names] : readList(registry, kHandheldSubkey)) {
        record.handheld.push_back({user, splitNames(names)});
    }
    for (auto& [folder, unused] : readList(registry, kConduitSubkey)) {
        record.conduitFolders.push_back(folder);
    }
    return record;
}

} // namespace install
