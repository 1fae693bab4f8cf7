#include "platform/win32/win32.h"

#include "install/install_record.h"
#include "platform/win32/win32_machine.h"
#include "uninst/self_copy.h"
#include "uninstall/command_line.h"
#include "uninstall/record_paths.h"
#include "uninstall/removal.h"

#include <shellapi.h>

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

namespace {

using namespace uninstall;

// Held by the original for as long as it runs, the copy included: a second
// uninst.exe started meanwhile finds it and ends.
constexpr wchar_t kMutexName[] = L"Quintara4Palm Uninstall";

class Mutex {
public:
    explicit Mutex(const wchar_t* name) : handle_(CreateMutexW(nullptr, FALSE, name)) {
        alreadyHeld_ = handle_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    }
    ~Mutex() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    bool alreadyHeld() const { return alreadyHeld_; }

private:
    HANDLE handle_;
    bool alreadyHeld_ = false;
};

std::string ansi(const std::wstring& text) {
    if (text.empty()) {
        return std::string();
    }
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), converted.data(),
                        size, nullptr, nullptr);
    return converted;
}

// The arguments without the program's own name.
std::vector<std::wstring> arguments() {
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> all;
    for (int i = 1; list != nullptr && i < count; ++i) {
        all.emplace_back(list[i]);
    }
    LocalFree(list);
    return all;
}

// The removal itself, in the temporary copy. The original is moved out of the
// install folder only once a record says there is something to remove.
int removeSilently(const std::wstring& original) {
    platform::win32::ComApartment apartment;
    platform::win32::Win32Machine services;
    platform::Machine& machine = services.machine();
    const auto record = install::ReadInstallRecord(machine.registry);
    if (!record) {
        return kExitNothingInstalled;
    }
    const std::string originalPath = ansi(original);
    const bool recorded =
        std::any_of(record->files.begin(), record->files.end(),
                    [&](const install::PlacedFile& f) { return SamePath(f.path, originalPath); });
    if (recorded) {
        uninst::MoveOriginalAside(original);
    }
    return ExitCodeOf(CarryOut(machine, PlanRemoval(*record)));
}

int run() {
    const std::vector<std::wstring> wide = arguments();
    std::vector<std::string> narrow;
    std::transform(wide.begin(), wide.end(), std::back_inserter(narrow), ansi);
    const CommandLine line = ParseCommandLine(narrow);
    // Until the window exists, a start without /S removes nothing: the
    // removal is never run without the user's confirmation.
    if (line.mode != RunMode::Silent) {
        return kExitBadArgument;
    }
    if (line.isCopy()) {
        return removeSilently(wide.back());
    }
    Mutex running(kMutexName);
    if (running.alreadyHeld()) {
        return kExitCancelled;
    }
    std::vector<std::wstring> copyArguments = wide;
    const std::string marker = kCopyMarker; // plain ASCII
    copyArguments.emplace_back(marker.begin(), marker.end());
    copyArguments.push_back(uninst::OwnPath());
    const int code = uninst::RunTemporaryCopy(copyArguments);
    return code < 0 ? kExitSomethingStays : code;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::win32::hardenLibrarySearch();
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    try {
        return run();
    } catch (const std::exception&) {
        return kExitSomethingStays;
    }
}
