#pragma once

#include "platform/machine.h"
#include "tests/doubles/fake_files.h"
#include "tests/doubles/fake_outside.h"
#include "tests/doubles/fake_registry.h"

namespace doubles {

// A whole in-memory machine, every service a double the test can set up and inspect.
struct FakeMachine {
    FakeRegistry registry;
    FakeWindowList windows;
    FakeFileSystem files;
    FakeInstallAide installAide;
    FakeToolLibrary toolLibrary;
    FakeFormLibrary formLibrary;
    FakeConduit conduit;
    FakeSpreadsheet spreadsheet;
    platform::Machine machine{registry,    windows,     files,   installAide,
                              toolLibrary, formLibrary, conduit, spreadsheet};
};

} // namespace doubles
