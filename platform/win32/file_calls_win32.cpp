#include "platform/win32/file_calls_win32.h"

#include "common/text_rules.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/wide_text.h"

#include <algorithm>

namespace platform::win32 {

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
    default: // ERROR_DIR_NOT_EMPTY among them
        return FsStatus::Failed;
    }
}

DWORD attributesOf(const std::string& path) {
    try {
        QuietErrors quiet;
        return GetFileAttributesW(widePathOf(path).c_str());
    } catch (const common::SetupError&) {
        return INVALID_FILE_ATTRIBUTES;
    }
}

std::vector<std::string> folderEntries(const std::string& path, bool foldersOnly) {
    std::vector<std::string> names;
    if (path.empty()) {
        return names;
    }
    const std::string pattern = path + (path.back() == '\\' ? "*" : "\\*");
    QuietErrors quiet;
    WIN32_FIND_DATAW found;
    FindHandle search;
    try {
        search = FindHandle(FindFirstFileW(widePathOf(pattern).c_str(), &found));
    } catch (const common::SetupError&) {
        return names;
    }
    if (!search) {
        return names;
    }
    do {
        const std::string name = utf8Of(found.cFileName);
        const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if ((folder || !foldersOnly) && name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return common::asciiLower(a) < common::asciiLower(b);
    });
    return names;
}

} // namespace platform::win32
