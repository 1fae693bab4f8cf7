#pragma once

#include "common/exit_codes.h"
#include "platform/machine.h"
#include "uninstall/removal_plan.h"

#include <optional>
#include <string>
#include <vector>

namespace uninstall {

// Something the uninstaller was to remove and left, and why.
struct Stay {
    std::string what;
    std::string why;
};

struct RemovalResult {
    std::vector<std::string> removed; // files, folders and keys, in the order they went
    std::vector<Stay> stays;
    std::vector<Refusal> refused;
    std::vector<ManualStep> manual; // never undoable: said, not counted as staying

    // Everything recorded is gone; what can never be undone does not count.
    bool complete() const { return stays.empty() && refused.empty(); }
};

// The uninstaller's exit codes, in the numbering the setup's share.
enum UninstallExit : int {
    kExitRemoved = 0,
    kExitBadArgument = 1,
    kExitCancelled = 2,
    kExitSomethingStays = 4,
    kExitNothingInstalled = 5,
    // Another uninst.exe runs in this session; it was brought to the front.
    // The setup's number for the same ending.
    kExitAlreadyRunning = common::kExitAlreadyRunning,
};

// The services a removal uses; the uninstaller has no others.
struct RemovalServices {
    RemovalServices(platform::RegistryService& registry, platform::FileSystem& files,
                    platform::FormLibrary& formLibrary)
        : registry(registry), files(files), formLibrary(formLibrary) {}
    // The same services of a whole machine.
    RemovalServices(platform::Machine& machine) // NOLINT(google-explicit-constructor)
        : RemovalServices(machine.registry, machine.files, machine.formLibrary) {}

    platform::RegistryService& registry;
    platform::FileSystem& files;
    platform::FormLibrary& formLibrary;
    // Takes the running uninstaller's own file out of its folder, which a
    // delete cannot; false when the path is not the running program's, or it
    // stays. Without it the file is deleted like any other.
    bool (*setAside)(const std::string& path) = nullptr;
};

// The Windows folder (and the system folder in it), never touched.
std::vector<std::string> SystemFolders(platform::FileSystem& files);

// Carries out every action of the plan. An action that fails leaves its file,
// folder or key and is listed; the rest goes on. Never raises.
RemovalResult carryOut(RemovalServices services, const RemovalPlan& plan);

// Reads the record, plans and carries out the removal. Nothing when no record
// is stored: then nothing is touched.
std::optional<RemovalResult> Uninstall(RemovalServices services);

int exitCodeOf(const std::optional<RemovalResult>& result);

} // namespace uninstall
