#pragma once

#include "install/file_mark.h"
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
//                ("install", "excel", "startup", "menu")
//     \Files     one value per file or shortcut placed: name the full path,
//                data its mark (FormatMark: "<size> <hash>")
//     \Handheld  one value per handheld user: name the user, data the names
//                of the files handed to that user's install queue, ";"-separated
//     \Conduit   one value per folder the conduit was registered from, data ""
//
// Value names compare without regard to case, as the registry's do; a second
// installation's record merges into the first by those names.
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
};

struct PlacedFile {
    std::string path;
    std::optional<FileMark> mark; // none: the stored mark is damaged
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
std::optional<FolderRole> RoleFromName(const std::string& name);

// `later` over `earlier`: entries of the same path (or user) take the later
// value, the others of both are kept. installDir is the later one.
InstallRecord MergeRecords(const InstallRecord& earlier, const InstallRecord& later);

// The sum of the placed files' sizes in KiB, rounded up.
std::uint32_t EstimatedSizeKiB(const InstallRecord& record);

// Writes every value of the record, the list's values included, over what is
// there. False when any key or value could not be written.
bool WriteInstallRecord(platform::RegistryService& registry, const InstallRecord& record);

// The record as stored, or nothing when there is no record key. Never creates a key.
std::optional<InstallRecord> ReadInstallRecord(platform::RegistryService& registry);

} // namespace install
