#pragma once

#include "platform/machine.h"

#include <string>
#include <vector>

namespace install {

// What the run reads: the form state of that moment and the setup program's folder.
struct InstallInputs {
    std::string setupDir;
    std::string installDir;
    std::string excelDir;
    std::string programsDir;
    std::string userName;
    std::string userDir;
};

// What could not be placed: destination paths, or the name of a step
// ("conduit registration", "shortcut ..."), in run order.
struct InstallReport {
    std::vector<std::string> failed;
    bool complete() const { return failed.empty(); }
};

// Performs the installation in one pass. Every step is attempted once; a step
// that fails is recorded and skipped. Never fails towards its caller.
InstallReport RunInstall(platform::Machine& machine, const InstallInputs& inputs);

} // namespace install
