#pragma once

#include "install/file_mark.h"
#include "install/install_record.h"

#include <optional>
#include <string>
#include <vector>

namespace uninstall {

enum class ActionKind {
    // DllUnregisterServer of the library at `path`, called from there by full
    // path, when the file is still the one recorded.
    Unregister,
    // One of the product's own files or shortcuts: removed, read-only or not.
    RemoveFile,
    // A file in a place other programs use: removed only while it still
    // carries `mark`, else kept and named.
    RemoveSharedFile,
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
// action, and only inside the folders it records: a file must lie directly in
// one of them. Files in the spreadsheet's folders are shared; files in the
// install and Start-menu folders are the product's own. The libraries are
// unregistered first, then the shortcuts, the own files, the shared files,
// the own folders (deepest first) and the registry keys go.
RemovalPlan PlanRemoval(const install::InstallRecord& record);

} // namespace uninstall
