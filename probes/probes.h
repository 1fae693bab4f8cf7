#pragma once

#include "platform/files.h"
#include "platform/machine.h"
#include "platform/tool_libraries.h"
#include "platform/window_list.h"

#include <string>

// The start-up questions asked of the machine, the disk search, the test for
// an open spreadsheet window and the file copy.
namespace Geral {

// Raises common::SetupError when the program-files folder cannot be read.
std::string GetProgramFilesDir(platform::Machine& machine);
// Each of these answers the empty text when not found; none fails.
std::string GetExcelDir(platform::Machine& machine);
std::string GetExcelCurVer(platform::Machine& machine);
std::string GetPalmDesktopDir(platform::Machine& machine);
std::string GetAcrobatDir(platform::Machine& machine);
std::string GetProgramsFolder(platform::Machine& machine);

// Full path of a file of that name under the start folder, or the empty text. Never fails.
std::string FindFileOnDisk(platform::ToolLibrary& tools, const std::string& startFolder,
                           const std::string& fileName);

// True when a window at the level of `startWindow` has a title containing
// `searchText`, in any case.
bool IsExcelWindowOpen(platform::WindowList& windows, platform::WindowHandle startWindow,
                       const std::string& searchText);

// Copies `source` over `destination`, replacing it in one step: the copy goes
// to a temporary file beside the destination, under a free name no longer than
// the destination's, and is renamed over it. Raises common::SetupError on
// failure, leaving the old file whole and no temporary behind.
void CopyOneFile(platform::FileSystem& files, const std::string& source,
                 const std::string& destination);

} // namespace Geral
