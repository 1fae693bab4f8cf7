#include "common/error.h"
#include "platform/win32/library_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/win32.h"
#include "platform/win32/win32_machine.h"
#include "tests/wine/backends/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using common::SetupError;
using platform::win32::Library;
using platform::win32::setupFolder;

using RecorderSumFunction = int(WINAPI*)(int, int);

constexpr const char* kOutsideNames[] = {"instaide.dll", "quinTool.dll", "condinst.dll",
                                         "quinfrm.dll"};

std::string recorded() {
    char buffer[1024] = {};
    GetEnvironmentVariableA("Q4P_RECORDED", buffer, sizeof buffer);
    return buffer;
}

void removeOutsideCopies() {
    for (const char* name : kOutsideNames) {
        DeleteFileA((setupFolder() + "\\" + name).c_str());
    }
}

TEST(WinLibrary, LoadsFromTheProgramFolderAndResolvesPlainNames) {
    Library library("q4precorder.dll");
    EXPECT_EQ(library.function<RecorderSumFunction>("RecorderSum")(40, 2), 42);
    EXPECT_THROW(library.function<RecorderSumFunction>("NoSuchEntry"), SetupError);
}

TEST(WinLibrary, MissingOrBrokenLibrariesRaise) {
    removeOutsideCopies();
    platform::win32::Win32Machine owner;
    platform::Machine& machine = owner.machine();
    char buffer[260] = {};
    std::int32_t size = 255;
    std::int16_t flag = 0;
    EXPECT_THROW(machine.installAide.PltGetPath(2, buffer, size), SetupError);
    EXPECT_THROW(machine.installAide.PltGetUserCount(), SetupError);
    EXPECT_THROW(machine.toolLibrary.dllFindFile("C:\\", "excel.exe", buffer), SetupError);
    EXPECT_THROW(machine.toolLibrary.CreateShortcut("a", "b", "", flag), SetupError);
    EXPECT_THROW(machine.formLibrary.DllUnregisterServer(), SetupError);
    EXPECT_THROW(machine.conduit.InstallShieldInstallConduit(0, "a", "b", "c", "0"), SetupError);

    // A file of the right name that is no library at all.
    const std::string broken = setupFolder() + "\\instaide.dll";
    backend_tests::writeFile(broken, "not a library");
    EXPECT_THROW(machine.installAide.PltGetUserCount(), SetupError);
    DeleteFileA(broken.c_str());
}

TEST(WinLibrary, LibraryInTheCurrentFolderOnlyIsNotLoaded) {
    const std::string folder = backend_tests::freshFolder();
    ASSERT_TRUE(CopyFileA((setupFolder() + "\\q4precorder.dll").c_str(),
                          (folder + "\\q4pelsewhere.dll").c_str(), FALSE));
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    EXPECT_THROW(Library("q4pelsewhere.dll"), SetupError);
    SetCurrentDirectoryA(previous);
}

// The recorder, copied under each outside library's name beside the program.
class WinOutsideLibraries : public testing::Test {
protected:
    void SetUp() override {
        const std::string recorder = setupFolder() + "\\q4precorder.dll";
        for (const char* name : kOutsideNames) {
            ASSERT_TRUE(CopyFileA(recorder.c_str(), (setupFolder() + "\\" + name).c_str(), FALSE))
                << name;
        }
        SetEnvironmentVariableA("Q4P_RECORDED", nullptr);
    }
    void TearDown() override {
        // Each call unloads its library again: nothing holds the copies.
        for (const char* name : kOutsideNames) {
            EXPECT_EQ(GetModuleHandleA(name), nullptr) << name;
        }
        removeOutsideCopies();
    }

    platform::win32::Win32Machine owner_;
    platform::Machine& machine_ = owner_.machine();
};

TEST_F(WinOutsideLibraries, InstallAideGetsAndFillsTheCallersBuffers) {
    char buffer[255] = {};
    std::int32_t size = 255;
    EXPECT_EQ(machine_.installAide.PltGetPath(2, buffer, size), 2);
    EXPECT_EQ(recorded(), "PltGetPath|2|255");
    EXPECT_STREQ(buffer, "C:\\Palm");
    EXPECT_EQ(size, 7);

    EXPECT_EQ(machine_.installAide.PltGetUserCount(), 3);
    size = 255;
    EXPECT_EQ(machine_.installAide.PltGetUser(1, buffer, size), 0);
    EXPECT_EQ(recorded(), "PltGetUser|1|255");
    EXPECT_STREQ(buffer, "User1");
    EXPECT_EQ(size, 5);

    size = 255;
    EXPECT_EQ(machine_.installAide.PltGetUserDirectory("Ana", buffer, size), 0);
    EXPECT_EQ(recorded(), "PltGetUserDirectory|Ana|255");
    EXPECT_STREQ(buffer, "C:\\Palm\\Ana");

    EXPECT_EQ(machine_.installAide.PltInstallFile("Ana", "C:\\Q4P\\Quintara.prc"), -5);
    EXPECT_EQ(recorded(), "PltInstallFile|Ana|C:\\Q4P\\Quintara.prc");
}

TEST_F(WinOutsideLibraries, ToolsConduitAndFormLibraryGetTheirArgumentsInOrder) {
    char found[260] = {};
    EXPECT_EQ(machine_.toolLibrary.dllFindFile("C:\\Program Files", "excel.exe", found), 1);
    EXPECT_EQ(recorded(), "dllFindFile|C:\\Program Files|excel.exe");
    EXPECT_STREQ(found, "C:\\Program Files\\Office\\excel.exe");

    std::int16_t flag = -1;
    EXPECT_EQ(machine_.toolLibrary.CreateShortcut("C:\\Menu\\Sheets", "C:\\Q4P", "", flag), 1);
    EXPECT_EQ(recorded(), "CreateShortcut|C:\\Menu\\Sheets|C:\\Q4P||-1");
    EXPECT_EQ(flag, 42); // passed by reference

    EXPECT_EQ(machine_.conduit.InstallShieldInstallConduit(0, "C:\\A", "C:\\B", "C:\\C", "0"), 7);
    EXPECT_EQ(recorded(), "InstallShieldInstallConduit|0|C:\\A|C:\\B|C:\\C|0");

    EXPECT_EQ(machine_.formLibrary.DllUnregisterServer(), S_FALSE);
    EXPECT_EQ(recorded(), "DllUnregisterServer");
}

// The libraries take single-byte texts in the system code page: a character
// it holds goes over as its own byte, one it cannot hold stops the call
// before it is made (it would otherwise name "C:\????" and another folder).
TEST_F(WinOutsideLibraries, TextsCrossInTheSystemCodePageOrNotAtAll) {
    EXPECT_EQ(machine_.conduit.InstallShieldInstallConduit(0, "C:\\Jos\xC3\xA9", "b", "c", "0"), 7);
    EXPECT_EQ(recorded(), "InstallShieldInstallConduit|0|C:\\Jos\xE9|b|c|0");

    SetEnvironmentVariableA("Q4P_RECORDED", nullptr);
    const std::string outside = "C:\\\xD0\x9A\xD0\xB2 \xE6\x95\xB0";
    std::int16_t flag = 0;
    EXPECT_THROW(machine_.conduit.InstallShieldInstallConduit(0, outside, outside, outside, "0"),
                 SetupError);
    EXPECT_THROW(machine_.toolLibrary.CreateShortcut("C:\\Menu\\uninstall", outside, "", flag),
                 SetupError);
    EXPECT_THROW(machine_.installAide.PltInstallFile("Ana", outside + "\\Quintara.prc"),
                 SetupError);
    EXPECT_EQ(recorded(), "");
}

TEST(WinLibrarySearch, HardeningTakesTheCurrentFolderOutOfTheSearch) {
    const std::string folder = backend_tests::freshFolder();
    ASSERT_TRUE(CopyFileA((setupFolder() + "\\q4precorder.dll").c_str(),
                          (folder + "\\q4pelsewhere.dll").c_str(), FALSE));
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));

    HMODULE before = LoadLibraryA("q4pelsewhere.dll");
    ASSERT_NE(before, nullptr) << "the unhardened search should look in the current folder";
    FreeLibrary(before);

    platform::win32::hardenLibrarySearch();
    EXPECT_EQ(LoadLibraryA("q4pelsewhere.dll"), nullptr);
    // The program's own loads by full path still work.
    Library library("q4precorder.dll");
    EXPECT_EQ(library.function<RecorderSumFunction>("RecorderSum")(1, 2), 3);
}

} // namespace
