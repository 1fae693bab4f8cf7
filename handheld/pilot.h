#pragma once

#include "platform/install_aide.h"

#include <string>
#include <vector>

// The bridge to the handheld desktop software's install aide. None of these
// catches a failure: a library or function that cannot be loaded, or a result
// outside the signed 16-bit range, raises common::SetupError.
namespace Pilot {

// The handheld users, sorted by their lower-case forms; equal forms keep the
// install aide's order.
std::vector<std::string> GetHandheldUsers(platform::InstallAide& aide);

// The user's folder, or the empty text when the install aide reports failure.
std::string GetUserDirectory(platform::InstallAide& aide, const std::string& userName);

// True when the install queue accepted the file for the user's next synchronization.
bool InstallToHandheld(platform::InstallAide& aide, const std::string& userName,
                       const std::string& filePath);

// The handheld desktop software's folder, or the empty text when the install
// aide reports failure. Raises when the library or function cannot be loaded.
std::string GetDesktopPath(platform::InstallAide& aide);

} // namespace Pilot
