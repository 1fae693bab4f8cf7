#pragma once

#include <string>
#include <vector>

namespace uninstall {

// How uninst.exe was asked to run.
enum class RunMode {
    Window, // no argument: the confirmation window
    Silent, // "/S": no window, the same removal
    Bad,    // anything else: nothing is touched
};

// The marker the uninstaller passes to its own copy in the temporary folder,
// followed by the full path of the original it was copied from.
inline constexpr const char* kCopyMarker = "/Q4P-COPY";

struct CommandLine {
    RunMode mode = RunMode::Bad;
    // Set in the copy: the original uninst.exe, which waits for the copy.
    std::string original;
    bool isCopy() const { return !original.empty(); }
};

// The arguments without the program's own name. "/S" in either case, as
// other uninstallers accept it; the marker and its path only last.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

} // namespace uninstall
