#pragma once

#include "wizard/setup_form.h"

namespace platform::win32 {

// The process's exit code, in the numbering installers commonly share (Inno
// Setup's), so that scripts that run setup.exe can tell the endings apart.
enum ExitCode : int {
    kExitInstalled = 0,   // every installation step succeeded
    kExitStartFailed = 1, // start-up could not complete; no page was shown
    kExitCancelled = 2,   // Cancel, or the window closed otherwise, before any installation
    kExitIncomplete = 4,  // the installation ran, but some steps failed
    kExitStopped = 7,     // Exit from a page that does not let setup go on
    // Another setup runs in this session; it was brought to the front. The
    // number is Windows Installer's ERROR_INSTALL_ALREADY_RUNNING.
    kExitAlreadyRunning = 1618,
};

// The window can also be closed from its system menu (or Alt+F4), which skips
// ExitSetup and leaves the outcome Running: the code then says whether an
// installation already ran, never that nothing happened when something did.
inline ExitCode exitCodeFor(wizard::Outcome outcome,
                            const std::optional<install::InstallReport>& report) {
    switch (outcome) {
    case wizard::Outcome::Installed:
        return kExitInstalled;
    case wizard::Outcome::Incomplete:
        return kExitIncomplete;
    case wizard::Outcome::Cancelled:
        return kExitCancelled;
    case wizard::Outcome::Stopped:
        return kExitStopped;
    case wizard::Outcome::StartFailed:
        return kExitStartFailed;
    case wizard::Outcome::Running:
        break;
    }
    if (report) {
        return report->complete() ? kExitInstalled : kExitIncomplete;
    }
    return kExitCancelled;
}

} // namespace platform::win32
