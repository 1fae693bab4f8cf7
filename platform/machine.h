#pragma once

#include "platform/conduit.h"
#include "platform/files.h"
#include "platform/install_aide.h"
#include "platform/registry.h"
#include "platform/spreadsheet.h"
#include "platform/tool_libraries.h"
#include "platform/window_list.h"

namespace platform {

// Every service of the machine the core reaches, handed to it in one piece.
struct Machine {
    RegistryService& registry;
    WindowList& windows;
    FileSystem& files;
    InstallAide& installAide;
    ToolLibrary& toolLibrary;
    FormLibrary& formLibrary;
    ConduitInstaller& conduit;
    SpreadsheetAutomation& spreadsheet;
};

} // namespace platform
