#pragma once

#include "install/install_record.h"
#include "install/manifest.h"
#include "install/run_install.h"
#include "platform/machine.h"

#include <string>

namespace install {

// What the report calls a record that could not be written.
inline constexpr const char* kRecordStep = "uninstall record";

// The record of what this run placed, read from the report and the machine: a
// copy or shortcut the report does not list as failed and that is there now.
InstallRecord RecordOfRun(platform::FileSystem& files, const Folders& folders,
                          const std::string& userName, const InstallReport& report);

// The last step of a run that placed the uninstaller: merges the record of
// this run into the one already stored and writes it. A record that cannot be
// written makes the installation incomplete.
void RecordInstallation(platform::Machine& machine, const Folders& folders,
                        const std::string& userName, InstallReport& report);

} // namespace install
