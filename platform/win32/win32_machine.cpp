#include "platform/win32/win32_machine.h"

#include "platform/win32/services_win32.h"

namespace platform::win32 {

struct Win32Machine::Services {
    Win32Registry registry;
    Win32WindowList windows;
    Win32FileSystem files;
    Win32InstallAide installAide;
    Win32ToolLibrary toolLibrary;
    Win32FormLibrary formLibrary;
    Win32ConduitInstaller conduit;
    Win32Spreadsheet spreadsheet;
};

Win32Machine::Win32Machine()
    : services_(std::make_unique<Services>()),
      machine_(std::make_unique<platform::Machine>(
          platform::Machine{services_->registry, services_->windows, services_->files,
                            services_->installAide, services_->toolLibrary, services_->formLibrary,
                            services_->conduit, services_->spreadsheet})) {}

Win32Machine::~Win32Machine() = default;

platform::Machine& Win32Machine::machine() {
    return *machine_;
}

} // namespace platform::win32
