#include "install/copy_one_file.h"

#include "install/copy_temporary.h"

#include "common/error.h"

#include <algorithm>
#include <cctype>

namespace Geral {

namespace {

std::string folded(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Beside the destination, so that the rename stays on the same volume, and
// under a name that nothing holds yet: the temporary is removed again on
// every failure, and only a file this copy made may be removed.
std::string freeTemporary(platform::FileSystem& files, const std::string& destination) {
    if (destination.empty() || destination.back() == '\\') {
        throw common::SetupError("No file name in " + destination);
    }
    for (int attempt = 0; attempt < kCopyTemporaryAttempts; ++attempt) {
        const std::string candidate = copyTemporaryName(destination, attempt);
        if (folded(candidate) != folded(destination) && !files.fileExists(candidate) &&
            !files.directoryExists(candidate)) {
            return candidate;
        }
    }
    throw common::SetupError("No free name for a temporary beside " + destination);
}

} // namespace

void CopyOneFile(platform::FileSystem& files, const std::string& source,
                 const std::string& destination) {
    const std::string temporary = freeTemporary(files, destination);
    // A copy straight onto the destination that fails midway (disk full) would
    // leave a truncated file where the old one was; the rename either replaces
    // the old file with the whole copy or leaves it as it was.
    if (files.copyFile(source, temporary) != platform::FsStatus::Ok) {
        if (files.fileExists(temporary)) {
            files.deleteFile(temporary);
        }
        throw common::SetupError("Cannot copy " + source + " to " + destination);
    }
    if (files.moveReplace(temporary, destination) != platform::FsStatus::Ok) {
        files.deleteFile(temporary);
        throw common::SetupError("Cannot replace " + destination);
    }
}

} // namespace Geral
