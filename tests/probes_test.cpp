#include "common/error.h"
#include "probes/probes.h"
#include "tests/doubles/fake_machine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using platform::kHkeyLocalMachine;

const std::string kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const std::string kAppPaths = kCurrentVersion + "\\App Paths\\";

class Probes : public ::testing::Test {
protected:
    Probes() {
        fake.registry.putString(kHkeyLocalMachine, kCurrentVersion, "ProgramFilesDir",
                                "C:\\Program Files");
    }
    void appPath(const std::string& program, const std::string& folder) {
        fake.registry.putString(kHkeyLocalMachine, kAppPaths + program, "Path", folder);
    }

    doubles::FakeMachine fake;
    platform::Machine& machine = fake.machine;
};

TEST_F(Probes, ProgramFilesDirFailureReachesTheCaller) {
    EXPECT_EQ(Geral::GetProgramFilesDir(machine), "C:\\Program Files");
    doubles::FakeMachine bare;
    EXPECT_THROW(Geral::GetProgramFilesDir(bare.machine), common::SetupError);
}

TEST_F(Probes, ExcelDirFromTheRegistryEndsWithOneBackslash) {
    appPath("EXCEL.EXE", "C:\\Office");
    EXPECT_EQ(Geral::GetExcelDir(machine), "C:\\Office\\");
    appPath("EXCEL.EXE", "C:\\Office\\");
    EXPECT_EQ(Geral::GetExcelDir(machine), "C:\\Office\\");
    EXPECT_TRUE(fake.toolLibrary.searches.empty());
}

TEST_F(Probes, ExcelDirFallsBackOnTheDiskSearch) {
    appPath("EXCEL.EXE", ""); // empty counts as not found
    fake.toolLibrary.found["excel.exe"] = "C:\\Program Files\\Office\\EXCEL.EXE";
    EXPECT_EQ(Geral::GetExcelDir(machine), "C:\\Program Files\\Office\\");
    EXPECT_EQ(fake.toolLibrary.searches, (std::vector<std::string>{"C:\\Program Files|excel.exe"}));

    fake.toolLibrary.found["excel.exe"] = "C:\\Office\\xExcel.Exe"; // nine cut, whatever the case
    EXPECT_EQ(Geral::GetExcelDir(machine), "C:\\Office\\x\\");

    fake.toolLibrary.found.clear();
    EXPECT_EQ(Geral::GetExcelDir(machine), "");
    fake.toolLibrary.found["excel.exe"] = "C:\\Office\\EXCEL.EXE";
    fake.toolLibrary.loadable = false;
    EXPECT_EQ(Geral::GetExcelDir(machine), "");
}

TEST_F(Probes, ExcelCurVerAndProgramsFolder) {
    EXPECT_EQ(Geral::GetExcelCurVer(machine), "");
    EXPECT_EQ(Geral::GetProgramsFolder(machine), "");
    fake.registry.putString(kHkeyLocalMachine, "SOFTWARE\\Classes\\Excel.Application\\CurVer", "",
                            "Excel.Application.9");
    fake.registry.putString(platform::kHkeyCurrentUser,
                            kCurrentVersion + "\\Explorer\\Shell Folders", "Programs",
                            "C:\\Start Menu\\Programs");
    EXPECT_EQ(Geral::GetExcelCurVer(machine), "Excel.Application.9");
    EXPECT_EQ(Geral::GetProgramsFolder(machine), "C:\\Start Menu\\Programs");
}

TEST_F(Probes, PalmDesktopDirFromTheInstallAideThenTheRegistry) {
    appPath("palm.exe", "C:\\Palm\\");
    fake.installAide.desktopPath = "C:\\Pilot"; // as it answers, no backslash added
    EXPECT_EQ(Geral::GetPalmDesktopDir(machine), "C:\\Pilot");
    EXPECT_EQ(fake.installAide.calls, (std::vector<std::string>{"PltGetPath 2"}));
    fake.installAide.desktopPath = ""; // succeeds with an empty answer
    EXPECT_EQ(Geral::GetPalmDesktopDir(machine), "C:\\Palm\\");
    fake.installAide.desktopPath.reset(); // PltGetPath fails
    EXPECT_EQ(Geral::GetPalmDesktopDir(machine), "C:\\Palm\\");
    fake.installAide.loadable = false; // instaide.dll missing
    EXPECT_EQ(Geral::GetPalmDesktopDir(machine), "C:\\Palm\\");

    // An existing but empty value is the answer: no disk search.
    appPath("palm.exe", "");
    fake.toolLibrary.found["palm.exe"] = "C:\\Palm\\Palm.exe";
    EXPECT_EQ(Geral::GetPalmDesktopDir(machine), "");
    EXPECT_TRUE(fake.toolLibrary.searches.empty());
}

TEST_F(Probes, PalmDesktopDirDiskSearchCutsEightCharacters) {
    fake.toolLibrary.found["palm.exe"] = "D:\\Pilot\\Palm.exe";
    EXPECT_EQ(Geral::GetPalmDesktopDir(machine), "D:\\Pilot\\");
    EXPECT_EQ(fake.toolLibrary.searches, (std::vector<std::string>{"C:\\Program Files|palm.exe"}));
    fake.toolLibrary.found["palm.exe"] = "palm";
    EXPECT_EQ(Geral::GetPalmDesktopDir(machine), "");
    fake.toolLibrary.loadable = false;
    EXPECT_EQ(Geral::GetPalmDesktopDir(machine), "");
}

TEST_F(Probes, AcrobatDirTriesTheReaderWhenAcrobatGivesNothing) {
    EXPECT_EQ(Geral::GetAcrobatDir(machine), "");
    appPath("AcroRd32.exe", "C:\\Reader");
    EXPECT_EQ(Geral::GetAcrobatDir(machine), "C:\\Reader");
    appPath("Acrobat.exe", "");
    EXPECT_EQ(Geral::GetAcrobatDir(machine), "C:\\Reader");
    appPath("Acrobat.exe", "C:\\Acrobat");
    EXPECT_EQ(Geral::GetAcrobatDir(machine), "C:\\Acrobat");
}

// A tool library whose search reports success with a buffer of its own making.
class RawSearch : public doubles::FakeToolLibrary {
public:
    std::string written;
    std::int32_t dllFindFile(const std::string&, const std::string&, char* buffer) override {
        std::memcpy(buffer, written.data(), written.size());
        return 1;
    }
};

TEST(FindFileOnDisk, AnswerEndsAtTheFirstNulAndNeedsOne) {
    RawSearch tools;
    tools.written = std::string("C:\\A\\palm.exe\0junk", 18);
    EXPECT_EQ(Geral::FindFileOnDisk(tools, "C:\\", "palm.exe"), "C:\\A\\palm.exe");
    tools.written = std::string(260, 'x');
    EXPECT_EQ(Geral::FindFileOnDisk(tools, "C:\\", "palm.exe"), "");
    tools.written.clear(); // success, buffer untouched: spaces only
    EXPECT_EQ(Geral::FindFileOnDisk(tools, "C:\\", "palm.exe"), "");
}

// A search that fails answers "not found"; an error of another kind (a
// programming error, memory exhausted) is no answer and reaches the caller.
TEST(FindFileOnDisk, OnlyTheCoresOwnFailureReadsAsNotFound) {
    struct ThrowingSearch : RawSearch {
        bool own = true;
        std::int32_t dllFindFile(const std::string&, const std::string&, char*) override {
            if (own) {
                throw common::SetupError("search failed");
            }
            throw std::out_of_range("basic_string::substr");
        }
    } tools;
    EXPECT_EQ(Geral::FindFileOnDisk(tools, "C:\\", "palm.exe"), "");
    tools.own = false;
    EXPECT_THROW(Geral::FindFileOnDisk(tools, "C:\\", "palm.exe"), std::out_of_range);
    EXPECT_THROW(common::ignoreFailure("", [] { throw std::out_of_range("x"); }),
                 std::out_of_range);
    EXPECT_FALSE(common::ignoreFailure("", [] { throw common::SetupError("x"); }));
    EXPECT_TRUE(common::ignoreFailure("", [] {}));
}

} // namespace
