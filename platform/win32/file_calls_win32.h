#pragma once

#include "common/error.h"
#include "platform/files.h"
#include "platform/win32/library_win32.h"
#include "platform/win32/win32.h"

#include <string>
#include <vector>

// What the file services' bodies share: the one mapping of Win32 errors to
// FsStatus, and the calls on a UTF-8 path.
namespace platform::win32 {

FsStatus statusOf(DWORD error);

// The status of a call that returned FALSE; GetLastError is read before anything else runs.
inline FsStatus lastFailure() {
    return statusOf(GetLastError());
}

// A path that is not UTF-8 names no file: the call fails as for a bad name.
template <typename Call> FsStatus pathCall(Call call) {
    try {
        QuietErrors quiet;
        return call() ? FsStatus::Ok : lastFailure();
    } catch (const common::SetupError&) {
        return FsStatus::Failed;
    }
}

// INVALID_FILE_ATTRIBUTES when the file cannot be asked, or its path is not UTF-8.
DWORD attributesOf(const std::string& path);

// The names directly inside a folder, "." and ".." left out, sorted without
// regard to ASCII case; only its folders with `foldersOnly`. Empty when the
// folder cannot be read.
std::vector<std::string> folderEntries(const std::string& path, bool foldersOnly);

} // namespace platform::win32
