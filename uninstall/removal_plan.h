#pragma once

#include "install/record/file_mark.h"
#include "install/record/install_record.h"

#include <optional>
#include <string>
#include <vector>

namespace uninstall {

enum class ActionKind {
    // DllUnregisterServer of the library at `path`, called from there by full
    // path, when the file is still the one recorded.
    Unregister,
    // One of the product's own files or shortcuts, and a file in a place
    // other programs use: removed, read-only or not, only while it still
    // carries `mark` (or, where the setup was cut while placing it, when no
    // file of another's had the name), else kept and named.
    RemoveFile,
    RemoveSharedFile,
    // The uninstaller's own program, the last file to go: the running
    // program's file is set aside rather than deleted.
    RemoveOwnProgram,
    // One of the product's own folders: removed only when empty.
    RemoveFolder,
    // A key under HKEY_CURRENT_USER, with its values.
    RemoveKey,
    // The same, only when it holds neither values nor subkeys.
    RemoveKeyWhenEmpty,
};

struct Action {
    ActionKind kind;
    std::string path; // a file or folder, or a registry key
    std::optional<install::FileMark> mark = std::nullopt;
    install::Pending pending = install::Pending::No;
};

// A record entry that is never acted on, and why.
struct Refusal {
    std::string entry;
    std::string reason;
};

// What the uninstaller cannot undo, and how a person removes it by hand.
struct ManualStep {
    std::string what;
    std::string how;
};

struct RemovalPlan {
    std::vector<Action> actions; // in the order they are carried out
    std::vector<Refusal> refused;
    std::vector<ManualStep> manual;
};

// From a record to the actions. Only what the record lists is ever named in an
// action, and only inside the places the product writes: a file must lie
// directly in a recorded folder, and in the spreadsheet's folders be one of
// the names the setup places there; the Start-menu folder must be the
// product's own; nothing in `systemFolders` (the Windows folder) or below is
// touched. Files in the spreadsheet's folders are shared; files in the
// install and Start-menu folders are the product's own. Only folders the
// setup made go, once empty. The libraries are unregistered first, then the
// shortcuts, the own files, the shared files and the product's keys; last
// the uninstaller's own program, the folders (deepest first) and the record,
// so that a cut at any moment before leaves an entry that runs.
RemovalPlan planRemoval(const install::InstallRecord& record,
                        const std::vector<std::string>& systemFolders = {});

} // namespace uninstall
