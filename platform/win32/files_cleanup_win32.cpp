#include "platform/win32/library_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/win32.h"

#include <algorithm>
#include <cctype>

// The file services the uninstaller needs: reading a file back, its read-only
// attribute, listing and removing folders.
namespace platform::win32 {

namespace {

// GetLastError of the call that just failed, read before anything else runs.
FsStatus lastFailure() {
    switch (GetLastError()) {
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
    default: // ERROR_DIR_NOT_EMPTY among them
        return FsStatus::Failed;
    }
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (*this) {
            CloseHandle(handle_);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

class Search {
public:
    Search(const std::string& pattern, WIN32_FIND_DATAA& found)
        : handle_(FindFirstFileA(pattern.c_str(), &found)) {}
    ~Search() {
        if (*this) {
            FindClose(handle_);
        }
    }
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool next(WIN32_FIND_DATAA& found) { return FindNextFileA(handle_, &found) != 0; }

private:
    HANDLE handle_;
};

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

FsStatus Win32FileSystem::removeDirectory(const std::string& path) {
    QuietErrors quiet;
    return RemoveDirectoryA(path.c_str()) ? FsStatus::Ok : lastFailure();
}

std::vector<std::string> Win32FileSystem::entries(const std::string& path) {
    std::vector<std::string> names;
    if (path.empty()) {
        return names;
    }
    QuietErrors quiet;
    WIN32_FIND_DATAA found;
    Search search(path + (path.back() == '\\' ? "*" : "\\*"), found);
    if (!search) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (search.next(found));
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lowered(a) < lowered(b); });
    return names;
}

// Shared for reading and writing: a file another program holds open for
// writing can still be recognised; one held without sharing cannot.
FsStatus Win32FileSystem::readFile(const std::string& path, std::string& content) {
    QuietErrors quiet;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return lastFailure();
    }
    content.clear();
    char buffer[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
            return lastFailure();
        }
        if (read == 0) {
            return FsStatus::Ok;
        }
        content.append(buffer, read);
    }
}

bool Win32FileSystem::isReadOnly(const std::string& path) {
    QuietErrors quiet;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

FsStatus Win32FileSystem::setReadOnly(const std::string& path, bool readOnly) {
    QuietErrors quiet;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return lastFailure();
    }
    DWORD wanted = readOnly ? attributes | FILE_ATTRIBUTE_READONLY
                            : attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    // SetFileAttributes takes no directory or device bits, and 0 means "normal".
    wanted &= FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (wanted == 0) {
        wanted = FILE_ATTRIBUTE_NORMAL;
    }
    return SetFileAttributesA(path.c_str(), wanted) ? FsStatus::Ok : lastFailure();
}

} // namespace platform::win32
