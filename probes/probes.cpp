#include "probes/probes.h"

#include "common/error.h"
#include "common/text_rules.h"
#include "handheld/pilot.h"
#include "probes/registry.h"

#include <algorithm>
#include <array>

namespace Geral {

namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

constexpr const char* kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

// dllFindFile's result buffer, in characters.
constexpr std::size_t kFindBufferChars = 260;

std::string readLocalMachine(platform::Machine& machine, const std::string& keyPath,
                             const std::string& valueName) {
    return HandleRegistry::ReadRegString(machine.registry, keyPath, valueName, kHkeyLocalMachine);
}

std::string appPath(platform::Machine& machine, const std::string& program) {
    return readLocalMachine(machine, kAppPaths + program, "Path");
}

// The folder of a path found by the disk search: the search answers the full
// path ending in the file's name, so cutting the name's length off leaves the
// folder. The name is matched by length only, whatever the case of the
// characters cut.
std::string cutFileName(const std::string& foundPath, const std::string& fileName) {
    if (foundPath.size() < fileName.size()) {
        throw common::SetupError("Invalid procedure call or argument");
    }
    return foundPath.substr(0, foundPath.size() - fileName.size());
}

// The folder the program's registration names; empty when it names none or
// cannot be read.
std::string registeredFolder(platform::Machine& machine, const std::string& program) {
    try {
        return appPath(machine, program);
    } catch (const common::SetupError&) {
        return std::string();
    }
}

// The folder of the file the disk search finds from the program-files folder
// down; empty when it finds none or cannot search.
std::string searchedFolder(platform::Machine& machine, const std::string& fileName) {
    try {
        const std::string found =
            FindFileOnDisk(machine.toolLibrary, GetProgramFilesDir(machine), fileName);
        return found.empty() ? std::string() : cutFileName(found, fileName);
    } catch (const common::SetupError&) {
        return std::string();
    }
}

// The handheld desktop software's own answer; empty when it has none or its
// install aide cannot be asked.
std::string desktopPath(platform::InstallAide& aide) {
    try {
        return Pilot::GetDesktopPath(aide);
    } catch (const common::SetupError&) {
        return std::string();
    }
}

} // namespace

std::string GetProgramFilesDir(platform::Machine& machine) {
    return readLocalMachine(machine, kCurrentVersion, "ProgramFilesDir");
}

std::string GetExcelDir(platform::Machine& machine) {
    const std::string dir = registeredFolder(machine, "EXCEL.EXE");
    if (!dir.empty()) {
        return common::withTrailingSeparator(dir);
    }
    // A bare "excel.exe" names no folder (empty stays empty); "\" would be
    // the current drive's root.
    return common::withTrailingSeparator(searchedFolder(machine, "excel.exe"));
}

std::string GetExcelCurVer(platform::Machine& machine) {
    try {
        return readLocalMachine(machine, "SOFTWARE\\Classes\\Excel.Application\\CurVer", "");
    } catch (const common::SetupError&) {
        return std::string();
    }
}

std::string GetPalmDesktopDir(platform::Machine& machine) {
    const std::string dir = desktopPath(machine.installAide);
    if (!dir.empty()) {
        return dir;
    }
    // A "Path" value that exists but is empty is the answer: the disk search
    // is only for a program not registered.
    try {
        return appPath(machine, "palm.exe");
    } catch (const common::SetupError&) {
        return searchedFolder(machine, "palm.exe");
    }
}

std::string GetAcrobatDir(platform::Machine& machine) {
    const std::string dir = registeredFolder(machine, "Acrobat.exe");
    if (!dir.empty()) {
        return dir;
    }
    return registeredFolder(machine, "AcroRd32.exe");
}

std::string GetProgramsFolder(platform::Machine& machine) {
    try {
        return HandleRegistry::ReadRegString(
            machine.registry, std::string(kCurrentVersion) + "\\Explorer\\Shell Folders",
            "Programs", kHkeyCurrentUser);
    } catch (const common::SetupError&) {
        return std::string();
    }
}

std::string FindFileOnDisk(platform::ToolLibrary& tools, const std::string& startFolder,
                           const std::string& fileName) {
    try {
        // Filled with spaces, not NULs: a search that reports success but leaves
        // the buffer untouched then has no terminator and answers nothing.
        std::array<char, kFindBufferChars> buffer;
        buffer.fill(' ');
        if (tools.dllFindFile(startFolder, fileName, buffer.data()) == 0) {
            return std::string();
        }
        const auto end = std::find(buffer.begin(), buffer.end(), '\0');
        if (end == buffer.end()) {
            return std::string();
        }
        return std::string(buffer.begin(), end);
    } catch (const common::SetupError&) {
        return std::string();
    }
}

} // namespace Geral
