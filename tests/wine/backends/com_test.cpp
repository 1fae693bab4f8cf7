#include "common/error.h"
#include "platform/win32/library_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/win32.h"
#include "platform/win32/win32_machine.h"
#include "tests/wine/backends/test_support.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::win32::ComApartment;
using platform::win32::DelayedComApartment;

TEST(WinCom, NestedApartmentGivesBackOnlyItsOwnReference) {
    {
        ComApartment outer;
        {
            ComApartment inner; // S_FALSE: initialised already, but counted
        }
        // Still initialised: the inner one took and gave back one reference.
        EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
        CoUninitialize();
    }
    // The outer one gave back the first reference: COM is off again.
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
}

TEST(WinCom, ApartmentOfAnotherModeIsLeftToItsOwner) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    {
        ComApartment refused; // RPC_E_CHANGED_MODE
    }
    // An uninitialise by the refused apartment would have ended the owner's.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
}

// COM is off on this thread: a first initialisation is S_OK.
bool comIsOff() {
    const HRESULT result = CoInitialize(nullptr);
    CoUninitialize();
    return result == S_OK;
}

TEST(WinCom, DelayedApartmentStartsAtTheFirstCallThatNeedsIt) {
    {
        DelayedComApartment program;
        EXPECT_FALSE(program.started());
        EXPECT_TRUE(comIsOff());

        // An outside library may use COM: loading one starts it, even when
        // the load itself fails.
        EXPECT_THROW(platform::win32::Library("missing.dll"), common::SetupError);
        EXPECT_TRUE(program.started());
        EXPECT_FALSE(comIsOff());

        DelayedComApartment::start(); // once only: no second reference
    }
    // The owner's end gave back its one reference.
    EXPECT_TRUE(comIsOff());
    // Without an owner nothing starts: the caller keeps COM itself.
    DelayedComApartment::start();
    EXPECT_TRUE(comIsOff());
}

TEST(WinCom, DelayedApartmentIsStartedByTheSpreadsheet) {
    DelayedComApartment program;
    platform::win32::Win32Spreadsheet spreadsheet;
    EXPECT_THROW(spreadsheet.readStartupPath(), common::SetupError);
    EXPECT_TRUE(program.started());
}

TEST(WinCom, SpreadsheetThatIsNotInstalledRaises) {
    ComApartment apartment;
    platform::win32::Win32Spreadsheet spreadsheet;
    EXPECT_THROW(spreadsheet.readStartupPath(), common::SetupError);
}

#ifdef Q4P_EXCELSTUB
// The automation stand-in serves "Excel.Application" and answers the
// StartupPath kept under its registry key.
TEST(WinCom, SpreadsheetStartupPathIsReadAsText) {
    using RegisterFunction = HRESULT(WINAPI*)();
    ComApartment apartment;
    const std::string path = backend_tests::dosPathOf(Q4P_EXCELSTUB);
    HMODULE stub = LoadLibraryA(path.c_str());
    ASSERT_NE(stub, nullptr) << path;
    const auto registerServer = reinterpret_cast<RegisterFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(stub, "DllRegisterServer")));
    ASSERT_NE(registerServer, nullptr);
    ASSERT_EQ(registerServer(), S_OK);

    platform::win32::Win32Spreadsheet spreadsheet;
    // No folder stored: the server raises an exception from the property read.
    EXPECT_THROW(spreadsheet.readStartupPath(), common::SetupError);

    const char folder[] = "C:\\Office\\XLSTART";
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Q4P Stand-ins\\Spreadsheet",
                              "StartupPath", REG_SZ, folder, sizeof folder),
              ERROR_SUCCESS);
    EXPECT_EQ(spreadsheet.readStartupPath(), folder);
    FreeLibrary(stub);
}
#endif

} // namespace
