#pragma once

#include "platform/machine.h"
#include "tests/doubles/fake_files.h"
#include "tests/doubles/fake_outside.h"
#include "tests/doubles/fake_registry.h"
#include "tests/doubles/journal.h"

#include <initializer_list>

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

// A FakeMachine whose services note what they are asked to change into one
// journal, and whose install queue refuses files that are not there.
struct RecordingMachine : FakeMachine {
    RecordingMachine() {
        for (Journaled* service : std::initializer_list<Journaled*>{&registry, &files, &installAide,
                                                                    &toolLibrary, &conduit}) {
            service->journal = &events;
        }
        installAide.files = &files;
    }
    RecordingMachine(const RecordingMachine&) = delete;
    RecordingMachine& operator=(const RecordingMachine&) = delete;

    Events events;
};

} // namespace doubles
