// The handheld desktop software's install aide, as far as the setup program
// uses it: the desktop folder, the users with their folders, and an install
// queue per user. Everything is kept under
// HKEY_CURRENT_USER\Software\Q4P Stand-ins\Handheld Desktop.
#include "platform/win32/win32.h"
#include "standins/common/standin_registry.h"

#include <cstring>
#include <string>

namespace {

const std::string kDesktopKey = std::string(standins::kStandInsKey) + "\\Handheld Desktop";
constexpr int kDesktopFolderKind = 2;
constexpr int kFailure = -1;

std::string userKeyPath(int index) {
    return kDesktopKey + "\\Users\\" + std::to_string(index);
}

// Users are the sub-keys "Users\0", "Users\1", ... up to the first gap.
int userCount() {
    int count = 0;
    while (standins::openKey(HKEY_CURRENT_USER, userKeyPath(count))) {
        ++count;
    }
    return count;
}

// The value as stored, in UTF-16: the registry's own form, whatever the code page.
bool readWideValue(int index, const wchar_t* name, std::wstring& value) {
    standins::RegKey key = standins::openKey(HKEY_CURRENT_USER, userKeyPath(index));
    DWORD type = 0;
    DWORD bytes = 0;
    if (!key ||
        RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]),
                         &bytes) != ERROR_SUCCESS) {
        return false;
    }
    value.assign(data.c_str());
    return true;
}

// The interface is single-byte, in the system code page. A character the code
// page has no exact form for cannot be answered: as '?' two users would read
// the same and the second could never be told from the first.
bool toCodePage(const std::wstring& text, std::string& narrow) {
    narrow.clear();
    if (text.empty()) {
        return true;
    }
    BOOL usedDefault = FALSE;
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr,
                                           0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) {
        return false;
    }
    narrow.assign(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, &narrow[0], length,
                        nullptr, nullptr);
    return true;
}

bool readUserValue(int index, const char* name, std::string& value) {
    const std::wstring wideName(name, name + std::strlen(name));
    std::wstring wide;
    return readWideValue(index, wideName.c_str(), wide) && toCodePage(wide, value);
}

// The index of the user of exactly that name, or -1. Names are compared as
// the code page gives them, so a stored name the code page cannot hold
// matches no caller.
int findUser(const char* user) {
    if (user == nullptr) {
        return -1;
    }
    const int count = userCount();
    for (int index = 0; index < count; ++index) {
        std::string name;
        if (readUserValue(index, "Name", name) && name == user) {
            return index;
        }
    }
    return -1;
}

// Hands `text` back through the caller's buffer. *size is the buffer's
// capacity on entry and the answer's length on return; an answer that does
// not fit is refused rather than cut, so the caller never takes a truncated
// path for a whole one.
int answer(const std::string& text, char* buffer, int* size) {
    if (buffer == nullptr || size == nullptr || *size < 0) {
        return kFailure;
    }
    const int capacity = *size;
    const int length = static_cast<int>(text.size());
    *size = length;
    if (length > capacity) {
        return kFailure;
    }
    std::memcpy(buffer, text.data(), text.size());
    if (length < capacity) {
        buffer[length] = '\0';
    }
    return 0;
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isExistingFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

int installFile(const char* user, const char* path) {
    const int index = findUser(user);
    if (index < 0 || path == nullptr || !isExistingFile(path)) {
        return kFailure;
    }
    std::string refuse;
    if (readUserValue(index, "Refuse", refuse) && refuse == "1") {
        return kFailure;
    }
    std::string directory;
    if (!readUserValue(index, "Directory", directory)) {
        return kFailure;
    }
    const std::string name = fileNameOf(path);
    const std::string queueDir = directory + "\\Queue";
    if (!CreateDirectoryA(queueDir.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return kFailure;
    }
    if (!CopyFileA(path, (queueDir + "\\" + name).c_str(), FALSE)) {
        return kFailure;
    }
    standins::RegKey queue = standins::createKey(HKEY_CURRENT_USER, userKeyPath(index) + "\\Queue");
    if (!queue || !standins::writeString(queue.get(), name.c_str(), path)) {
        return kFailure;
    }
    return 0;
}

} // namespace

extern "C" {

__declspec(dllexport) int WINAPI PltGetPath(int kind, char* buffer, int* size) {
    try {
        std::string path;
        standins::RegKey key = standins::openKey(HKEY_CURRENT_USER, kDesktopKey);
        if (kind != kDesktopFolderKind || !key || !standins::readString(key.get(), "Path", path)) {
            return kFailure;
        }
        return answer(path, buffer, size);
    } catch (...) {
        // An exported function: no exception may unwind into its C caller.
        return kFailure;
    }
}

__declspec(dllexport) int WINAPI PltGetUserCount() {
    try {
        return userCount();
    } catch (...) {
        // An exported function: no exception may unwind into its C caller.
        return kFailure;
    }
}

__declspec(dllexport) int WINAPI PltGetUser(int index, char* buffer, int* size) {
    try {
        std::string name;
        if (index < 0 || !readUserValue(index, "Name", name)) {
            return kFailure;
        }
        return answer(name, buffer, size);
    } catch (...) {
        // An exported function: no exception may unwind into its C caller.
        return kFailure;
    }
}

__declspec(dllexport) int WINAPI PltGetUserDirectory(char* user, char* buffer, int* size) {
    try {
        std::string directory;
        const int index = findUser(user);
        if (index < 0 || !readUserValue(index, "Directory", directory)) {
            return kFailure;
        }
        return answer(directory, buffer, size);
    } catch (...) {
        // An exported function: no exception may unwind into its C caller.
        return kFailure;
    }
}

__declspec(dllexport) int WINAPI PltInstallFile(char* user, char* path) {
    try {
        return installFile(user, path);
    } catch (...) {
        // An exported function: no exception may unwind into its C caller.
        return kFailure;
    }
}

} // extern "C"
