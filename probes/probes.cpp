#include "probes/probes.h"

#include "common/error.h"
#include "common/text_rules.h"
#include "handheld/pilot.h"
#include "probes/registry.h"

#include <algorithm>
#include <array>
#include <exception>

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

} // namespace

std::string GetProgramFilesDir(platform::Machine& machine) {
    return readLocalMachine(machine, kCurrentVersion, "ProgramFilesDir");
}

std::string GetExcelDir(platform::Machine& machine) {
    try {
        const std::string dir = appPath(machine, "EXCEL.EXE");
        if (!dir.empty()) {
            return common::withTrailingSeparator(dir);
        }
    } catch (const std::exception&) {
    }

    try {
        const std::string fileName = "excel.exe";
        const std::string found =
            FindFileOnDisk(machine.toolLibrary, GetProgramFilesDir(machine), fileName);
        if (found.empty()) {
            return std::string();
        }
        // A bare "excel.exe" names no folder (empty stays empty); "\" would
        // be the current drive's root.
        return common::withTrailingSeparator(cutFileName(found, fileName));
    } catch (const std::exception&) {
        return std::string();
    }
}

std::string GetExcelCurVer(platform::Machine& machine) {
    try {
        return readLocalMachine(machine, "SOFTWARE\\Classes\\Excel.Application\\CurVer", "");
    } catch (const std::exception&) {
        return std::string();
    }
}

std::string GetPalmDesktopDir(platform::Machine& machine) {
    try {
        std::string dir = Pilot::GetDesktopPath(machine.installAide);
        if (!dir.empty()) {
            return dir;
        }
    } catch (const std::exception&) {
    }

    // A "Path" value that exists but is empty is the answer: no disk search follows.
    try {
        return appPath(machine, "palm.exe");
    } catch (const std::exception&) {
    }

    try {
        const std::string fileName = "palm.exe";
        const std::string found =
            FindFileOnDisk(machine.toolLibrary, GetProgramFilesDir(machine), fileName);
        if (found.empty()) {
            return std::string();
        }
        return cutFileName(found, fileName);
    } catch (const std::exception&) {
        return std::string();
    }
}

std::string GetAcrobatDir(platform::Machine& machine) {
    try {
        std::string dir = appPath(machine, "Acrobat.exe");
        if (!dir.empty()) {
            return dir;
        }
    } catch (const std::exception&) {
    }

    try {
        return appPath(machine, "AcroRd32.exe");
    } catch (const std::exception&) {
        return std::string();
    }
}

std::string GetProgramsFolder(platform::Machine& machine) {
    try {
        return HandleRegistry::ReadRegString(
            machine.registry, std::string(kCurrentVersion) + "\\Explorer\\Shell Folders",
            "Programs", kHkeyCurrentUser);
    } catch (const std::exception&) {
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
    } catch (const std::exception&) {
        return std::string();
    }
}

} // namespace Geral
