#pragma once

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

} // namespace Geral
