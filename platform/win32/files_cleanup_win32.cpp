#include "platform/win32/file_calls_win32.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"

// The file services the uninstaller needs: reading a file back, its read-only
// attribute, listing and removing folders.
namespace platform::win32 {

FsStatus Win32FileSystem::removeDirectory(const std::string& path) {
    return pathCall([&] { return RemoveDirectoryW(widePathOf(path).c_str()); });
}

std::vector<std::string> Win32FileSystem::entries(const std::string& path) {
    return folderEntries(path, false);
}

// Shared for reading and writing: a file another program holds open for
// writing can still be recognised; one held without sharing cannot.
FsStatus Win32FileSystem::readFile(const std::string& path, std::string& content) {
    HANDLE opened = INVALID_HANDLE_VALUE;
    const FsStatus status = pathCall([&] {
        opened =
            CreateFileW(widePathOf(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        return opened != INVALID_HANDLE_VALUE;
    });
    FileHandle file(opened);
    if (status != FsStatus::Ok) {
        return status;
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
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

FsStatus Win32FileSystem::setReadOnly(const std::string& path, bool readOnly) {
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    const FsStatus read = pathCall([&] {
        attributes = GetFileAttributesW(widePathOf(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES;
    });
    if (read != FsStatus::Ok) {
        return read;
    }
    DWORD wanted = readOnly ? attributes | FILE_ATTRIBUTE_READONLY
                            : attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    // SetFileAttributes takes no directory or device bits, and 0 means "normal".
    wanted &= FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (wanted == 0) {
        wanted = FILE_ATTRIBUTE_NORMAL;
    }
    return pathCall([&] { return SetFileAttributesW(widePathOf(path).c_str(), wanted); });
}

} // namespace platform::win32
