#pragma once

#include <optional>
#include <string>

// The checks a path read from the record passes before anything is done to
// it: the record is data in the user's registry, and anything may have been
// written there.
namespace uninstall {

// Why the path must not be touched, or nothing when it may be: it is empty,
// not a full path ("C:\..." or "\\server\share\..."), a drive or share root,
// a device path ("\\?\", "\\.\"), has a component of dots only (".."), or
// names a stream ("file:stream").
std::optional<std::string> whyRefused(const std::string& path);

// The path without trailing separators, "/" read as "\".
std::string normalised(const std::string& path);
// Equal paths, compared as the file system does: without regard to case.
bool samePath(const std::string& a, const std::string& b);
// The folder that holds the path ("" when there is none), and its last component.
std::string parentOf(const std::string& path);
std::string nameOf(const std::string& path);

} // namespace uninstall
