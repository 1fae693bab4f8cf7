#include "platform/win32/win32.h"

#include "common/error.h"
#include "install/record/install_record.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_machine.h"
#include "programs/uninst/self_copy.h"
#include "resource_ids.h"
#include "uninstall/command_line.h"
#include "uninstall/record_paths.h"
#include "uninstall/removal.h"
#include "uninstall/uninstall_form.h"
#include "winui/main_window.h"
#include "winui/single_instance.h"

#include <shellapi.h>

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace uninstall;
using platform::win32::utf8Of;

// Held by the original for as long as it runs, the copy included: a second
// uninst.exe started meanwhile raises the copy's window and ends.
constexpr wchar_t kInstanceName[] = L"Quintara4PalmUninstall";

// The arguments without the program's own name, as UTF-8.
std::vector<std::string> arguments() {
    int count = 0;
    const platform::win32::LocalMemory<LPWSTR> list(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> all;
    for (int i = 1; list && i < count; ++i) {
        all.push_back(utf8Of(list.get()[i]));
    }
    return all;
}

// In the copy, the original's path, which the removal sets aside.
std::string runningOriginal;

// The machine's services a removal uses, and no others: the uninstaller
// carries none of the setup's outside libraries.
struct RemovalMachine {
    platform::win32::Win32Registry registry;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32FormLibrary formLibrary;

    // In the copy: the original, still running while it waits, is the one
    // file that cannot be deleted; it is moved out of the install folder as
    // the last file to go, so that until then the entry still runs it.
    RemovalServices services(const std::string& original) {
        runningOriginal = original;
        RemovalServices services{registry, files, formLibrary};
        services.setAside = [](const std::string& path) {
            return !runningOriginal.empty() && samePath(path, runningOriginal) &&
                   uninst::moveOriginalAside(runningOriginal);
        };
        return services;
    }
};

int removeSilently(const std::string& original) {
    RemovalMachine machine;
    const auto record = install::readInstallRecord(machine.registry);
    if (!record) {
        return kExitNothingInstalled;
    }
    return exitCodeOf(
        carryOut(machine.services(original), planRemoval(*record, SystemFolders(machine.files))));
}

int showWindow(HINSTANCE instance, int showCommand, const std::string& original) {
    RemovalMachine machine;
    UninstallForm form(machine.services(original));
    winui::MainWindow window(form, instance, IDI_QUINTARA);
    if (!window.create()) {
        return kExitBadArgument;
    }
    form.window.setHandle(
        static_cast<platform::WindowHandle>(reinterpret_cast<std::uintptr_t>(window.handle())));
    form.start();
    window.applyOuterSize();
    window.show(showCommand);
    window.run();
    return form.exitCode();
}

// In the copy, or in the original when no copy could be run: then its own
// file, still running, is named among what stays.
int runHere(HINSTANCE instance, int showCommand, const CommandLine& line) {
    platform::win32::ComApartment apartment;
    return line.mode == RunMode::Silent ? removeSilently(line.original)
                                        : showWindow(instance, showCommand, line.original);
}

int run(HINSTANCE instance, int showCommand) {
    std::vector<std::string> given;
    try {
        given = arguments();
    } catch (const common::SetupError&) {
        return kExitBadArgument; // not even text: an argument no one meant
    }
    const CommandLine line = parseCommandLine(given);
    if (line.mode == RunMode::Bad) {
        return kExitBadArgument;
    }
    if (line.isCopy()) {
        return runHere(instance, showCommand, line);
    }
    winui::SingleInstance instanceLock(kInstanceName);
    if (!instanceLock.first()) {
        winui::SingleInstance::bringOtherToFront(uninstallWindow().caption);
        return kExitAlreadyRunning;
    }
    // What a run that was stopped left in the temporary folder goes now.
    uninst::removeEarlierCopies();
    std::vector<std::string> copyArguments = given;
    copyArguments.push_back(kCopyMarker);
    copyArguments.push_back(uninst::ownPath());
    const std::optional<int> code = uninst::runTemporaryCopy(copyArguments);
    return code ? *code : runHere(instance, showCommand, line);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    platform::win32::hardenLibrarySearch();
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    try {
        return run(instance, showCommand);
    } catch (const std::exception&) {
        // Nothing may leave WinMain. A failure nothing below stopped (a
        // service's own, memory exhausted, a programming error) ended the
        // removal wherever it was, so something may stay.
        return kExitSomethingStays;
    }
}
