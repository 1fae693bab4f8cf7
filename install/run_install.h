#pragma once

#include "install/record/product.h"
#include "platform/machine.h"

#include <string>
#include <vector>

namespace install {

// The product's "installdir" value (in kProductKey) records that an
// installation was made.
inline constexpr const char* kInstallDirValue = "installdir";

// What the run reads: the form state of that moment and the setup program's folder.
struct InstallInputs {
    std::string setupDir;
    std::string installDir;
    std::string excelDir;
    std::string programsDir;
    std::string userName;
    std::string userDir;
};

// What could not be placed, in run order: the destination path of a copy, a
// fallback copy or a folder, or a named step ("conduit registration",
// "shortcut <path>", "registry value <name>", "uninstall record"). Steps skipped for want of the
// spreadsheet program are not listed, nor a handheld file the queue took, nor
// a folder that was already there.
struct InstallReport {
    std::vector<std::string> failed;
    bool complete() const { return failed.empty(); }
};

// What the report calls a record that could not be written.
inline constexpr const char* kRecordStep = "uninstall record";

struct StepResult;
// The failures of the steps, in run order.
InstallReport reportOf(const std::vector<StepResult>& results);

// Performs the installation in one pass: plans it, carries the plan out and
// keeps the record as it goes. Every step is attempted once; a step
// that fails is recorded and skipped, nothing is retried or undone. Never fails
// towards its caller.
InstallReport RunInstall(platform::Machine& machine, const InstallInputs& inputs);

} // namespace install
