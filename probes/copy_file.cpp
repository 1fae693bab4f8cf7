#include "probes/probes.h"

#include "common/error.h"

namespace Geral {

namespace {

// Beside the destination, so that the rename stays on the same volume.
constexpr const char* kTemporarySuffix = ".q4ptmp";

} // namespace

void CopyOneFile(platform::FileSystem& files, const std::string& source,
                 const std::string& destination) {
    const std::string temporary = destination + kTemporarySuffix;
    // A copy straight onto the destination that fails midway (disk full) would
    // leave a truncated file where the old one was; the rename either replaces
    // the old file with the whole copy or leaves it as it was.
    if (files.copyFile(source, temporary) != platform::FsStatus::Ok) {
        files.deleteFile(temporary);
        throw common::SetupError("Cannot copy " + source + " to " + destination);
    }
    if (files.moveReplace(temporary, destination) != platform::FsStatus::Ok) {
        files.deleteFile(temporary);
        throw common::SetupError("Cannot replace " + destination);
    }
}

} // namespace Geral
