#pragma once

#include "install/record/file_mark.h"
#include "platform/registry.h"

#include <optional>
#include <string>
#include <vector>

// The record of an installation: the entry the system's list of installed
// programs reads, and beside it what the uninstaller needs to remove exactly
// what was placed. It lives under HKEY_CURRENT_USER:
//
//   Software\Microsoft\Windows\CurrentVersion\Uninstall\Quintara4Palm
//     DisplayName, DisplayVersion, Publisher, URLInfoAbout, InstallLocation,
//     UninstallString, QuietUninstallString, DisplayIcon       REG_SZ
//     EstimatedSize (KiB), NoModify (1), NoRepair (1)          REG_DWORD
//     \Folders   one value per folder used: name the path, data its role
//                ("install", "excel", "startup", "menu"), followed by " made"
//                when the setup made the folder
//     \Files     one value per file or shortcut placed: name the full path,
//                data its mark (formatMark: "<size> <hash>"); while the setup
//                is placing it, "placing" (no file of another's had the name)
//                or "replacing" (one had); "removed" once the setup itself
//                removed it again (the conduit's temporary libraries) or
//                failed to place it, which the reader skips
//     \Handheld  one value per handheld user: name the user, data the names
//                of the files handed to that user's install queue, ";"-separated
//     \Conduit   one value per folder the conduit was registered from, data ""
//
// Value names compare without regard to case, as the registry's do; a second
// installation's record merges into the first by those names.
//
// The setup keeps the record as a journal: each value is written before the
// file it names is placed and completed after, and each value write is whole
// or not at all, so a cut at any moment leaves a record that names at least
// everything placed.
namespace install {

inline constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quintara4Palm";
inline constexpr const char* kFoldersSubkey = "Folders";
inline constexpr const char* kFilesSubkey = "Files";
inline constexpr const char* kHandheldSubkey = "Handheld";
inline constexpr const char* kConduitSubkey = "Conduit";
inline constexpr const char* kUninstallerName = "uninst.exe";
// Between the names of one user's handheld files in the record.
inline constexpr char kHandheldNameSeparator = ';';

enum class FolderRole { Install, Excel, Startup, Menu };

struct RecordedFolder {
    std::string path;
    std::optional<FolderRole> role; // none: the record holds a role this program does not know
    bool made = false;              // the setup made it, so it may go once empty
};

// A file's state in the record, where it has no mark (yet).
enum class Pending {
    No,        // marked, or the mark is damaged
    New,       // being placed where no file of another's had the name
    OverOther, // being placed over another's file of that name
    Removed,   // struck out: removed again by the setup, or never placed; never read back
};

struct PlacedFile {
    std::string path;
    std::optional<FileMark> mark; // none: pending, or the stored mark is damaged
    Pending pending = Pending::No;
};

struct HandedOver {
    std::string user;
    std::vector<std::string> names;
};

struct InstallRecord {
    std::string installDir; // of the latest installation: InstallLocation and the uninstaller
    std::vector<RecordedFolder> folders;
    std::vector<PlacedFile> files;
    std::vector<HandedOver> handheld;
    std::vector<std::string> conduitFolders;
};

const char* RoleName(FolderRole role);
std::optional<FolderRole> roleFromName(const std::string& name);

// A file's and a folder's data as the record stores them, and back.
std::string fileData(const PlacedFile& file);
PlacedFile parseFileData(const std::string& path, const std::string& data);
std::string folderData(const RecordedFolder& folder);
RecordedFolder parseFolderData(const std::string& path, const std::string& data);

// `later` over `earlier`: entries of the same path (or user) take the later
// value, the others of both are kept. installDir is the later one.
InstallRecord mergeRecords(const InstallRecord& earlier, const InstallRecord& later);

// The sum of the placed files' sizes in KiB, rounded up.
std::uint32_t EstimatedSizeKiB(const InstallRecord& record);

// Writes every value of the record, the list's values included, over what is
// there. False when any key or value could not be written.
bool writeInstallRecord(platform::RegistryService& registry, const InstallRecord& record);
// The values the system's list of programs reads, for the record's install folder.
bool writeEntryValues(platform::RegistryService& registry, const InstallRecord& record);
// One value of one subkey of the record (kFilesSubkey, ...), in one write.
bool writeRecordValue(platform::RegistryService& registry, const char* subkey,
                      const std::string& name, const std::string& data);

// The record as stored, or nothing when there is no record key. Never creates a key.
std::optional<InstallRecord> readInstallRecord(platform::RegistryService& registry);

} // namespace install
