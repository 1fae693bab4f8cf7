#include "common/error.h"
#include "common/text_rules.h"
#include "platform/win32/file_calls_win32.h"
#include "platform/win32/grow_buffer.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"

#include <shlobj.h>

#include <algorithm>

namespace platform::win32 {

using common::SetupError;

namespace {

// CopyFile keeps the source's attributes; a read-only copy is made writable.
bool clearReadOnly(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) == 0) {
        return true;
    }
    return SetFileAttributesW(widePathOf(path).c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) != 0;
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
    return pathCall([&] { return CreateDirectoryW(widePathOf(path).c_str(), nullptr); });
}

FsStatus Win32FileSystem::copyFile(const std::string& from, const std::string& to) {
    if (readOnlyFile(to)) {
        return FsStatus::AccessDenied;
    }
    const FsStatus copied = pathCall(
        [&] { return CopyFileW(widePathOf(from).c_str(), widePathOf(to).c_str(), FALSE); });
    if (copied != FsStatus::Ok) {
        return copied;
    }
    if (!clearReadOnly(to)) {
        const FsStatus failure = lastFailure();
        return failure == FsStatus::Ok ? FsStatus::Failed : failure;
    }
    return FsStatus::Ok;
}

FsStatus Win32FileSystem::moveReplace(const std::string& from, const std::string& to) {
    if (readOnlyFile(to)) {
        return FsStatus::AccessDenied;
    }
    // Write-through: the call returns only once the rename is on the disk.
    return pathCall([&] {
        return MoveFileExW(widePathOf(from).c_str(), widePathOf(to).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    });
}

FsStatus Win32FileSystem::deleteFile(const std::string& path) {
    return pathCall([&] { return DeleteFileW(widePathOf(path).c_str()); });
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
    return folderEntries(path, true);
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
    const wchar_t root[] = {static_cast<wchar_t>(common::asciiUpper(letter)), L':', L'\\', L'\0'};
    // An empty floppy or CD drive would otherwise ask the user to insert a disk.
    QuietErrors quiet;
    ULARGE_INTEGER available, total, free;
    return GetDiskFreeSpaceExW(root, &available, &total, &free) != 0;
}

std::string Win32FileSystem::currentDirectoryOfDrive(char letter) {
    // "X:" alone names the folder the process last used on that drive.
    const wchar_t drive[] = {static_cast<wchar_t>(common::asciiUpper(letter)), L':', L'\0'};
    const std::optional<std::string> folder =
        readGrowing(MAX_PATH, [&](wchar_t* buffer, DWORD size) {
            return GetFullPathNameW(drive, size, buffer, nullptr);
        });
    if (!folder) {
        return std::string{common::asciiUpper(letter), ':', '\\'};
    }
    // Wine keeps the trailing backslash of the current folder; Windows does not.
    return common::withoutTrailingSeparators(*folder);
}

std::string Win32FileSystem::getEnvironment(const std::string& name) {
    // Nothing: unset, or set to nothing.
    const WideText wideName = wideOf(name);
    return readGrowing(256,
                       [&](wchar_t* buffer, DWORD size) {
                           return GetEnvironmentVariableW(wideName.c_str(), buffer, size);
                       })
        .value_or(std::string());
}

std::string Win32FileSystem::programFolder() {
    return setupFolder();
}

// SHGetFolderPathW is in every shell32 from Windows 2000 on and answers the
// known folder on later systems too.
std::string Win32FileSystem::knownProgramFilesFolder() {
    using Function = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, wchar_t*);
    const auto getFolderPath = systemFunction<Function>(L"shell32.dll", "SHGetFolderPathW");
    wchar_t folder[MAX_PATH] = {};
    if (getFolderPath == nullptr ||
        FAILED(getFolderPath(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return std::string();
    }
    return utf8Of(folder);
}

bool Win32FileSystem::fitsSystemCodePage(const std::string& text) {
    return platform::win32::fitsSystemCodePage(text);
}

} // namespace platform::win32
