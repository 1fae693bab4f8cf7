#pragma once

#include "platform/files.h"

#include <string>

namespace Geral {

// Copies `source` over `destination`, replacing it in one step: the copy goes
// to a temporary file beside the destination, under a free name no longer than
// the destination's, and is renamed over it. Raises common::SetupError on
// failure, leaving the old file whole and no temporary behind.
void CopyOneFile(platform::FileSystem& files, const std::string& source,
                 const std::string& destination);

} // namespace Geral
