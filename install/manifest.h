#pragma once

#include "install/record/product.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What an installation places on the machine, as data: the copies, the
// handheld files, the folders and the shortcuts. The run performs them in its
// own step order (run_install.cpp).
namespace install {

// The folder value a manifest path starts from; None for a path that is its
// literal alone (the web site).
enum class Base { None, Setup, Install, Excel, Startup, Programs, User };

// The folder values of one run. All but startupPath come from the wizard (and
// the setup program's own folder); startupPath is read during the run.
struct Folders {
    std::string setupDir;
    std::string installDir;
    std::string excelDir; // ends with a backslash when not empty
    std::string startupPath;
    std::string programsDir;
    std::string userDir;

    const std::string& of(Base base) const;
};

// True for a folder value a path may be formed on: a drive-letter path
// ("C:\...") or a network path ("\\server\share"). An empty or relative value
// would put files in the root, or the current folder, of whatever drive is
// current.
bool isUsableFolder(const std::string& folder);
// A usable folder that is no drive or share root: the files of an
// installation in a root could never be told apart from everything else
// there, and no removal may clear a root.
bool isInstallableFolder(const std::string& folder);

// A path as the manifest gives it: a folder value followed directly by a literal.
struct ManifestPath {
    Base base = Base::None;
    std::string literal;

    // Plain concatenation, whatever the folder value holds: what the path
    // would be, for reports.
    std::string formed(const Folders& folders) const;
    // The path, or nothing when its folder value is not usable.
    std::optional<std::string> resolve(const Folders& folders) const;
};

struct CopyEntry {
    std::string label;   // "C1" ... "C20"
    ManifestPath source; // always the setup folder
    ManifestPath destination;
    // Made only when the destination's folder value is not empty (the
    // spreadsheet folder, its start-up folder); an empty one is no failure.
    bool conditional = false;
    // Needed only while the conduit is registered; removed at the end of the run.
    bool temporary = false;
};

// A file handed to the handheld install queue; where the queue does not take
// it, the fallback copy puts it into the user's "Install" folder.
struct HandheldEntry {
    std::string label; // "H1" ... "H5"
    ManifestPath queued;
    ManifestPath fallbackSource;
    ManifestPath fallbackDestination;
};

// One folder made, one level only.
struct FolderEntry {
    std::string label; // "F1", "F2"
    ManifestPath folder;
};

struct ShortcutEntry {
    std::string label; // "S1" ... "S4"
    ManifestPath link; // without a link-file extension: the tool library adds it
    ManifestPath target;
    std::int16_t flag = 0; // -1 when the target is a folder
};

// Every list is in run order.
struct Manifest {
    std::vector<FolderEntry> folders;
    std::vector<CopyEntry> copies;
    std::vector<HandheldEntry> handheldFiles;
    std::vector<ShortcutEntry> shortcuts;

    // Raise common::SetupError for a label the manifest does not hold.
    const FolderEntry& folder(const std::string& label) const;
    const CopyEntry& copy(const std::string& label) const;
    const HandheldEntry& handheldFile(const std::string& label) const;
    const ShortcutEntry& shortcut(const std::string& label) const;
};

// The one manifest; the same in every run.
const Manifest& manifest();

} // namespace install
