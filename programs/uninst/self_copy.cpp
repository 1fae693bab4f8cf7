#include "programs/uninst/self_copy.h"

#include "common/error.h"
#include "platform/win32/grow_buffer.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"

namespace uninst {

namespace {

using platform::win32::FindHandle;
using platform::win32::KernelHandle;
using platform::win32::wideOf;
using platform::win32::widePathOf;
using platform::win32::WideText;

// Ends with a backslash; empty when the system cannot say.
std::string temporaryFolder() {
    return platform::win32::readGrowing(
               MAX_PATH + 1, [](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); })
        .value_or(std::string());
}

// A name of its own in the temporary folder, made by the system so that two
// uninstallers, or a file already there, never collide. GetTempFileName
// takes no "\\?\" path: a temporary folder longer than MAX_PATH gets none.
std::string uniqueTemporaryFile(const std::string& folder) {
    wchar_t name[MAX_PATH];
    if (folder.empty() || GetTempFileNameW(wideOf(folder).c_str(), L"q4u", 0, name) == 0) {
        return std::string();
    }
    return platform::win32::utf8Of(name);
}

// One argument as CommandLineToArgvW reads it back: quoted, with the
// backslashes before a quote (and before the closing quote) doubled.
std::string quoted(const std::string& argument) {
    std::string text = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        text.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        text.push_back(c);
    }
    text.append(backslashes * 2, '\\');
    return text + "\"";
}

void deleteNowOrAtRestart(const std::string& path) {
    const WideText wide = widePathOf(path);
    if (!DeleteFileW(wide.c_str())) {
        // Needs administrator rights; without them the file stays in the
        // temporary folder, which the system's own clean-up empties.
        MoveFileExW(wide.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
}

// The copy starts shown as the original was asked to show itself.
STARTUPINFOW startupLikeOwn() {
    STARTUPINFOW own{};
    own.cb = sizeof own;
    GetStartupInfoW(&own);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if ((own.dwFlags & STARTF_USESHOWWINDOW) != 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = own.wShowWindow;
    }
    return startup;
}

// Runs the copy and waits for it; nothing when it could not be started.
std::optional<int> runAndWait(const std::string& copy, const std::vector<std::string>& arguments,
                              const std::string& folder) {
    std::string line = quoted(copy);
    for (const std::string& argument : arguments) {
        line += " " + quoted(argument);
    }
    WideText wideLine = wideOf(line);
    STARTUPINFOW startup = startupLikeOwn();
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(widePathOf(copy).c_str(), wideLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, wideOf(folder).c_str(), &startup, &started)) {
        return std::nullopt;
    }
    const KernelHandle thread(started.hThread);
    const KernelHandle process(started.hProcess);
    WaitForSingleObject(process.get(), INFINITE);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.get(), &code);
    return static_cast<int>(code);
}

} // namespace

std::string ownPath() {
    return platform::win32::readGrowing(MAX_PATH,
                                        [](wchar_t* buffer, DWORD size) {
                                            return GetModuleFileNameW(nullptr, buffer, size);
                                        })
        .value_or(std::string());
}

std::optional<int> runTemporaryCopy(const std::vector<std::string>& arguments) {
    try {
        const std::string folder = temporaryFolder();
        const std::string copy = uniqueTemporaryFile(folder);
        const std::string own = ownPath();
        if (copy.empty() || own.empty()) {
            return std::nullopt;
        }
        if (!CopyFileW(widePathOf(own).c_str(), widePathOf(copy).c_str(), FALSE)) {
            DeleteFileW(widePathOf(copy).c_str());
            return std::nullopt;
        }
        // Neither process may hold the install folder as its current folder, or
        // the folder could not be removed.
        SetCurrentDirectoryW(wideOf(folder).c_str());
        const std::optional<int> code = runAndWait(copy, arguments, folder);
        // The copy's file is free once its process is gone.
        deleteNowOrAtRestart(copy);
        return code;
    } catch (const common::SetupError&) {
        return std::nullopt; // a text that is not UTF-8
    }
}

bool moveOriginalAside(const std::string& original) {
    const std::string aside = uniqueTemporaryFile(temporaryFolder());
    if (aside.empty()) {
        return false;
    }
    const WideText wideAside = widePathOf(aside);
    // Renaming, not copying: a running program's file may be renamed on its
    // own volume. Another volume would need a copy and a delete, which fails.
    if (!MoveFileExW(widePathOf(original).c_str(), wideAside.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(wideAside.c_str());
        return false;
    }
    MoveFileExW(wideAside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return true;
}

void removeEarlierCopies() {
    wchar_t path[MAX_PATH + 16];
    const DWORD folder = GetTempPathW(MAX_PATH + 1, path);
    if (folder == 0 || folder > MAX_PATH) {
        return;
    }
    lstrcpyW(path + folder, L"q4u*.tmp");
    WIN32_FIND_DATAW found;
    const FindHandle search(FindFirstFileW(path, &found));
    if (!search) {
        return;
    }
    do {
        // Names made by GetTempFileName: "q4u" and at most four hex digits.
        if (lstrlenW(found.cFileName) < 12) {
            lstrcpyW(path + folder, found.cFileName);
            DeleteFileW(path);
        }
    } while (FindNextFileW(search.get(), &found));
}

} // namespace uninst
