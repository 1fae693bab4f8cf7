#include "uninst/self_copy.h"

#include "platform/win32/win32.h"

#include <utility>

namespace uninst {

namespace {

class ProcessHandles {
public:
    ProcessHandles() = default;
    ~ProcessHandles() {
        if (info.hThread != nullptr) {
            CloseHandle(info.hThread);
        }
        if (info.hProcess != nullptr) {
            CloseHandle(info.hProcess);
        }
    }
    ProcessHandles(const ProcessHandles&) = delete;
    ProcessHandles& operator=(const ProcessHandles&) = delete;

    PROCESS_INFORMATION info{};
};

std::wstring temporaryFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) {
        return std::wstring();
    }
    return std::wstring(buffer, length); // ends with a backslash
}

// A name of its own in the temporary folder, made by the system so that two
// uninstallers, or a file already there, never collide.
std::wstring uniqueTemporaryFile(const std::wstring& folder) {
    wchar_t name[MAX_PATH];
    if (folder.empty() || GetTempFileNameW(folder.c_str(), L"q4u", 0, name) == 0) {
        return std::wstring();
    }
    return name;
}

// One argument as CommandLineToArgvW reads it back: quoted, with the
// backslashes before a quote (and before the closing quote) doubled.
std::wstring quoted(const std::wstring& argument) {
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        text.push_back(c);
    }
    text.append(backslashes * 2, L'\\');
    return text + L"\"";
}

void deleteNowOrAtRestart(const std::wstring& path) {
    if (!DeleteFileW(path.c_str())) {
        // Needs administrator rights; without them the file stays in the
        // temporary folder, which the system's own clean-up empties.
        MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
}

} // namespace

std::wstring OwnPath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return std::wstring();
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

int RunTemporaryCopy(const std::vector<std::wstring>& arguments) {
    const std::wstring folder = temporaryFolder();
    const std::wstring copy = uniqueTemporaryFile(folder);
    if (copy.empty()) {
        return -1;
    }
    if (!CopyFileW(OwnPath().c_str(), copy.c_str(), FALSE)) {
        DeleteFileW(copy.c_str());
        return -1;
    }
    std::wstring line = quoted(copy);
    for (const std::wstring& argument : arguments) {
        line += L" " + quoted(argument);
    }
    // Neither process may hold the install folder as its current folder, or
    // the folder could not be removed.
    SetCurrentDirectoryW(folder.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ProcessHandles process;
    if (!CreateProcessW(copy.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process.info)) {
        DeleteFileW(copy.c_str());
        return -1;
    }
    WaitForSingleObject(process.info.hProcess, INFINITE);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.info.hProcess, &code);
    // The copy's file is free once its process is gone.
    CloseHandle(std::exchange(process.info.hThread, nullptr));
    CloseHandle(std::exchange(process.info.hProcess, nullptr));
    deleteNowOrAtRestart(copy);
    return static_cast<int>(code);
}

bool MoveOriginalAside(const std::wstring& original) {
    const std::wstring aside = uniqueTemporaryFile(temporaryFolder());
    if (aside.empty()) {
        return false;
    }
    // Renaming, not copying: a running program's file may be renamed on its
    // own volume. Another volume would need a copy and a delete, which fails.
    if (!MoveFileExW(original.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(aside.c_str());
        return false;
    }
    MoveFileExW(aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return true;
}

} // namespace uninst
