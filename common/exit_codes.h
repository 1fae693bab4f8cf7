#pragma once

#include <optional>

namespace common {

// How a program's window ended, for the process's exit code.
enum class Outcome {
    Running,     // the window is still open
    Installed,   // Exit after a run in which every step succeeded
    Incomplete,  // Exit after a run in which some step failed
    Cancelled,   // Cancel, before any run
    Stopped,     // Exit from a stopping page (a prerequisite is missing)
    StartFailed, // start-up could not complete
};

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
// installation already ran (`runComplete` holds whether it placed
// everything), never that nothing happened when something did.
inline ExitCode exitCodeFor(Outcome outcome, std::optional<bool> runComplete) {
    switch (outcome) {
    case Outcome::Installed:
        return kExitInstalled;
    case Outcome::Incomplete:
        return kExitIncomplete;
    case Outcome::Cancelled:
        return kExitCancelled;
    case Outcome::Stopped:
        return kExitStopped;
    case Outcome::StartFailed:
        return kExitStartFailed;
    case Outcome::Running:
        break;
    }
    if (runComplete) {
        return *runComplete ? kExitInstalled : kExitIncomplete;
    }
    return kExitCancelled;
}

} // namespace common
