#include "platform/win32/win32.h"

#include "platform/win32/win32_machine.h"
#include "platform/win32/window/exit_codes.h"
#include "platform/win32/window/setup_window.h"
#include "platform/win32/window/single_instance.h"
#include "wizard/setup_form.h"

#include <commctrl.h>

#include <cstdint>
#include <exception>

namespace {

using namespace platform::win32;

int runWizard(HINSTANCE instance, int showCommand) {
    Win32Machine machine;
    wizard::Setup setup(machine.machine());
    SetupWindow window(setup, instance);
    if (!window.create()) {
        return kExitStartFailed;
    }
    // The wizard hands its window to the open-spreadsheet test as a 32-bit
    // value; window handles fit in 32 bits on 64-bit Windows too.
    setup.window.setHandle(
        static_cast<platform::WindowHandle>(reinterpret_cast<std::uintptr_t>(window.handle())));
    try {
        setup.Form_Load();
    } catch (const std::exception&) {
        // Start-up could not complete: no page to show.
        return kExitStartFailed;
    }
    window.applyOuterSize();
    window.show(showCommand);
    window.run();
    return exitCodeFor(setup.outcome(), setup.installReport());
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    HardenLibrarySearch();
    SingleInstance instanceLock;
    if (!instanceLock.first()) {
        SingleInstance::bringOtherToFront();
        return kExitAlreadyRunning;
    }
    // A drive without a medium answers "not ready" instead of asking the user
    // to insert a disk.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    ComApartment apartment;
    try {
        return runWizard(instance, showCommand);
    } catch (const std::exception&) {
        // Only the services' own set-up can get here, before any page was shown.
        return kExitStartFailed;
    }
}
