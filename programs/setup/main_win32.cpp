#include "platform/win32/win32.h"

#include "common/error.h"
#include "common/exit_codes.h"
#include "platform/win32/win32_machine.h"
#include "resource_ids.h"
#include "winui/folder_controls.h"
#include "winui/main_window.h"
#include "winui/single_instance.h"
#include "wizard/setup_form.h"

#include <cstdint>
#include <exception>

namespace {

using common::kExitStartFailed;

int runWizard(HINSTANCE instance, int showCommand) {
    platform::win32::Win32Machine machine;
    wizard::Setup setup(machine.machine());
    winui::MainWindow window(setup, instance, IDI_QUINTARA, &winui::kFolderControls);
    if (!window.create()) {
        return kExitStartFailed;
    }
    // The wizard hands its window to the open-spreadsheet test as a 32-bit
    // value; window handles fit in 32 bits on 64-bit Windows too.
    setup.window.setHandle(
        static_cast<platform::WindowHandle>(reinterpret_cast<std::uintptr_t>(window.handle())));
    try {
        setup.showStartPage();
    } catch (const common::SetupError&) {
        // Start-up could not complete: no page to show.
        return kExitStartFailed;
    }
    window.applyOuterSize();
    window.show(showCommand);
    // The machine is asked with the welcome page on screen. The message loop
    // has not started: a click or key press waits in the queue until every
    // answer is in, so no handler ever runs without them.
    try {
        setup.probeMachine();
    } catch (const common::SetupError&) {
        window.destroy();
        return kExitStartFailed;
    }
    window.run();
    const auto& report = setup.installReport();
    return common::exitCodeFor(setup.outcome(),
                               report ? std::optional<bool>(report->complete()) : std::nullopt);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    platform::win32::hardenLibrarySearch();
    winui::SingleInstance instanceLock(L"Quintara4PalmSetup");
    if (!instanceLock.first()) {
        winui::SingleInstance::bringOtherToFront(wizard::setupWindow().caption);
        return common::kExitAlreadyRunning;
    }
    // A drive without a medium answers "not ready" instead of asking the user
    // to insert a disk.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    platform::win32::DelayedComApartment apartment;
    try {
        return runWizard(instance, showCommand);
    } catch (const std::exception&) {
        // Nothing may leave WinMain. The services' set-up fails here, and so
        // does an error the start-up did not expect (memory exhausted, a
        // programming error): either way the wizard did not start.
        return kExitStartFailed;
    }
}
