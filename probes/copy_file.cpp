#include "probes/probes.h"

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

// A name exactly as long as the destination's: "~q4p0" over its first
// characters, so that a path the system takes for the destination it takes
// for the temporary too.
std::string temporaryName(const std::string& name, int attempt) {
    const std::string mark = "~q4p" + std::to_string(attempt);
    if (mark.size() >= name.size()) {
        return mark.substr(mark.size() - name.size());
    }
    return mark + name.substr(mark.size());
}

// Beside the destination, so that the rename stays on the same volume, and
// under a name that nothing holds yet: the temporary is removed again on
// every failure, and only a file this copy made may be removed.
std::string freeTemporary(platform::FileSystem& files, const std::string& destination) {
    if (destination.empty() || destination.back() == '\\') {
        throw common::SetupError("No file name in " + destination);
    }
    for (int attempt = 0; attempt < kCopyTemporaryAttempts; ++attempt) {
        const std::string candidate = CopyTemporaryName(destination, attempt);
        if (folded(candidate) != folded(destination) && !files.fileExists(candidate) &&
            !files.directoryExists(candidate)) {
            return candidate;
        }
    }
    throw common::SetupError("No free name for a temporary beside " + destination);
}

} // namespace

std::string CopyTemporaryName(const std::string& destination, int attempt) {
    const std::size_t slash = destination.find_last_of('\\');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    return destination.substr(0, start) + temporaryName(destination.substr(start), attempt);
}

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
