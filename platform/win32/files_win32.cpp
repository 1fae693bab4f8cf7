#include "common/text_rules.h"
#include "platform/win32/grow_buffer.h"
#include "platform/win32/library_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/win32.h"

#include <algorithm>
#include <utility>

namespace platform::win32 {

namespace {

FsStatus statusOf(DWORD error) {
    switch (error) {
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return FsStatus::AlreadyExists;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return FsStatus::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return FsStatus::AccessDenied;
    default:
        return FsStatus::Failed;
    }
}

// The status of a call that returned FALSE; GetLastError is read before anything else runs.
FsStatus lastFailure() {
    return statusOf(GetLastError());
}

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (*this) {
            FindClose(handle_);
        }
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    FindHandle(FindHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    FindHandle& operator=(FindHandle&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }

    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

DWORD attributesOf(const std::string& path) {
    QuietErrors quiet;
    return GetFileAttributesA(path.c_str());
}

// Windows refuses to copy or rename over a read-only file; Wine, run as root,
// replaces it all the same. The check here keeps the old file on both.
bool readOnlyFile(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) ==
               FILE_ATTRIBUTE_READONLY;
}

} // namespace

FsStatus Win32FileSystem::makeDirectory(const std::string& path) {
    QuietErrors quiet;
    return CreateDirectoryA(path.c_str(), nullptr) ? FsStatus::Ok : lastFailure();
}

FsStatus Win32FileSystem::copyFile(const std::string& from, const std::string& to) {
    if (readOnlyFile(to)) {
        return FsStatus::AccessDenied;
    }
    QuietErrors quiet;
    return CopyFileA(from.c_str(), to.c_str(), FALSE) ? FsStatus::Ok : lastFailure();
}

FsStatus Win32FileSystem::moveReplace(const std::string& from, const std::string& to) {
    if (readOnlyFile(to)) {
        return FsStatus::AccessDenied;
    }
    QuietErrors quiet;
    // Write-through: the call returns only once the rename is on the disk.
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? FsStatus::Ok
               : lastFailure();
}

FsStatus Win32FileSystem::deleteFile(const std::string& path) {
    QuietErrors quiet;
    return DeleteFileA(path.c_str()) ? FsStatus::Ok : lastFailure();
}

bool Win32FileSystem::fileExists(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::directoryExists(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> Win32FileSystem::subdirectories(const std::string& path) {
    std::vector<std::string> names;
    if (path.empty()) {
        return names;
    }
    const std::string pattern = path + (path.back() == '\\' ? "*" : "\\*");
    QuietErrors quiet;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(pattern.c_str(), &found));
    if (!search) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != "." &&
            name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search.get(), &found));
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return common::asciiLower(a) < common::asciiLower(b);
    });
    return names;
}

std::vector<char> Win32FileSystem::drives() {
    std::vector<char> letters;
    const DWORD present = GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if ((present & (1u << bit)) != 0) {
            letters.push_back(static_cast<char>('a' + bit));
        }
    }
    return letters;
}

bool Win32FileSystem::driveReady(char letter) {
    if (!common::isAsciiLetter(letter)) {
        return false;
    }
    const char root[] = {common::asciiUpper(letter), ':', '\\', '\0'};
    // An empty floppy or CD drive would otherwise ask the user to insert a disk.
    QuietErrors quiet;
    ULARGE_INTEGER available, total, free;
    return GetDiskFreeSpaceExA(root, &available, &total, &free) != 0;
}

std::string Win32FileSystem::currentDirectoryOfDrive(char letter) {
    // "X:" alone names the folder the process last used on that drive.
    const char drive[] = {common::asciiUpper(letter), ':', '\0'};
    const std::optional<std::string> folder = readGrowing(MAX_PATH, [&](char* buffer, DWORD size) {
        return GetFullPathNameA(drive, size, buffer, nullptr);
    });
    if (!folder) {
        return std::string{common::asciiUpper(letter), ':', '\\'};
    }
    // Wine keeps the trailing backslash of the current folder; Windows does not.
    return common::withoutTrailingSeparators(*folder);
}

std::string Win32FileSystem::getEnvironment(const std::string& name) {
    // Nothing: unset, or set to nothing.
    return readGrowing(256,
                       [&](char* buffer, DWORD size) {
                           return GetEnvironmentVariableA(name.c_str(), buffer, size);
                       })
        .value_or(std::string());
}

std::string Win32FileSystem::programFolder() {
    return setupFolder();
}

} // namespace platform::win32
