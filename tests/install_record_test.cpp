#include "install/manifest.h"
#include "install/record/file_mark.h"
#include "install/record/install_record.h"
#include "install/run_install.h"
#include "tests/doubles/fake_installation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using doubles::FakeInstallation;
using install::FileMark;
using install::FolderRole;
using testing::ElementsAre;
using testing::UnorderedElementsAre;

const platform::RegRoot kUser = platform::kHkeyCurrentUser;

std::string text(const doubles::FakeRegistry::Value* value) {
    if (value == nullptr || value->type != platform::kRegSz) {
        return "(missing)";
    }
    return std::string(value->bytes.begin(), value->bytes.end() - 1); // stored with its NUL
}

std::uint32_t dword(const doubles::FakeRegistry::Value* value) {
    EXPECT_TRUE(value != nullptr && value->type == platform::kRegDword && value->bytes.size() == 4);
    if (value == nullptr || value->bytes.size() != 4) {
        return 0xFFFFFFFF;
    }
    return value->bytes[0] | value->bytes[1] << 8 | value->bytes[2] << 16 |
           static_cast<std::uint32_t>(value->bytes[3]) << 24;
}

std::vector<std::string> paths(const install::InstallRecord& record) {
    std::vector<std::string> all;
    for (const auto& file : record.files) {
        all.push_back(file.path);
    }
    return all;
}

class InstallRecordTest : public testing::Test {
protected:
    std::string appsValue(const std::string& name) {
        return text(m.registry.value(kUser, install::kUninstallKey, name));
    }
    FakeInstallation m;
    const std::string kInstall = FakeInstallation::kInstall;
    const std::string kMenu = FakeInstallation::kMenu;
};

TEST(FileMark, HashSizeAndTheirTextForm) {
    // The published FNV-1a 64 test values.
    EXPECT_EQ(install::Fnv1a64(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(install::Fnv1a64("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(install::Fnv1a64("foobar"), 0x85944171f73967e8ull);

    const FileMark big{18446744073709551615ull, 0x0123456789abcdefull};
    EXPECT_EQ(install::formatMark(big), "18446744073709551615 0123456789abcdef");
    EXPECT_EQ(install::parseMark(install::formatMark(big)), big);
    EXPECT_EQ(install::parseMark("0 0000000000000000"), (FileMark{0, 0}));
    // Damaged values are noticed, never read as some other mark.
    for (const char* damaged :
         {"", "12", "12 ", " 0123456789abcdef", "12 0123456789ABCDEF", "12 0123456789abcde",
          "12 0123456789abcdef0", "-1 0123456789abcdef", "18446744073709551616 0123456789abcdef",
          "1x 0123456789abcdef", "12  123456789abcdef"}) {
        EXPECT_FALSE(install::parseMark(damaged)) << damaged;
    }
}

TEST_F(InstallRecordTest, RunWritesTheEntryAndWhatItPlaced) {
    ASSERT_TRUE(m.install().complete());

    EXPECT_EQ(appsValue("DisplayName"), "Quintara4Palm");
    EXPECT_EQ(appsValue("Publisher"), "Quintara");
    EXPECT_EQ(appsValue("URLInfoAbout"), install::kProductSite);
    EXPECT_EQ(appsValue("InstallLocation"), kInstall);
    EXPECT_EQ(appsValue("UninstallString"), "\"" + kInstall + "\\uninst.exe\"");
    EXPECT_EQ(appsValue("QuietUninstallString"), "\"" + kInstall + "\\uninst.exe\" /S");
    EXPECT_NE(appsValue("DisplayVersion"), "(missing)");
    EXPECT_EQ(dword(m.registry.value(kUser, install::kUninstallKey, "NoModify")), 1u);
    EXPECT_EQ(dword(m.registry.value(kUser, install::kUninstallKey, "NoRepair")), 1u);

    const auto record = install::readInstallRecord(m.registry);
    ASSERT_TRUE(record);
    std::vector<std::string> placed;
    std::uint64_t bytes = 0;
    for (const auto& file : record->files) {
        // Each mark is that of the file now there.
        EXPECT_EQ(install::markOf(m.files, file.path), file.mark) << file.path;
        placed.push_back(file.path);
        bytes += file.mark->size;
    }
    std::vector<std::string> expected;
    for (const std::string& name : m.files.filesIn(kInstall)) {
        expected.push_back(kInstall + "\\" + name);
    }
    for (const char* name : {"QuinConv.dll", "instaide.dll"}) {
        expected.push_back(FakeInstallation::kExcel + name);
    }
    expected.push_back(FakeInstallation::kStartup + "\\Quin4P.xla");
    for (const char* link : {"\\quintara4palm.example.url", "\\Documentation.lnk", "\\Sheets.lnk",
                             "\\uninstall.lnk"}) {
        expected.push_back(kMenu + link);
    }
    EXPECT_THAT(placed, testing::UnorderedElementsAreArray(expected));
    EXPECT_EQ(dword(m.registry.value(kUser, install::kUninstallKey, "EstimatedSize")),
              (bytes + 1023) / 1024);

    std::vector<std::string> folders;
    for (const auto& folder : record->folders) {
        folders.push_back(folder.path + "=" + install::RoleName(*folder.role));
    }
    EXPECT_THAT(folders,
                UnorderedElementsAre(kInstall + "=install", "C:\\Program Files\\Office=excel",
                                     FakeInstallation::kStartup + "=startup", kMenu + "=menu"));
    ASSERT_EQ(record->handheld.size(), 1u);
    EXPECT_EQ(record->handheld[0].user, "Ann S");
    EXPECT_THAT(record->handheld[0].names, ElementsAre("Quintara.prc", "MathLib.prc", "CarLoan.pdb",
                                                       "Conversion.pdb", "Planets.pdb"));
    EXPECT_THAT(record->conduitFolders, ElementsAre(kInstall));

    // The setup's own state is as before: fourteen files, six product values.
    EXPECT_EQ(m.files.filesIn(kInstall).size(), 14u);
    EXPECT_EQ(m.registry.valueCount(kUser, install::kProductKey), 6u);
}

TEST_F(InstallRecordTest, OnlyARunThatPlacedTheUninstallerWritesAndAFailedWriteIsReported) {
    m.files.addFile(kInstall + "\\uninst.exe", "held open");
    m.files.lock(kInstall + "\\uninst.exe");
    auto report = m.install();
    EXPECT_THAT(report.failed, ElementsAre(kInstall + "\\uninst.exe"));
    EXPECT_FALSE(m.registry.hasKey(kUser, install::kUninstallKey));

    FakeInstallation denied;
    denied.registry.denyFullAccess(kUser, install::kUninstallKey + std::string("\\Files"));
    report = denied.install();
    EXPECT_THAT(report.failed, ElementsAre(install::kRecordStep));
    EXPECT_EQ(denied.registry.valueCount(kUser, install::kProductKey), 6u);
}

TEST_F(InstallRecordTest, ShortcutsAndCopiesThatFailedAreNotRecorded) {
    m.toolLibrary.loadable = false;
    m.spreadsheet.startupPath.reset();
    m.files.lock(FakeInstallation::kExcel + "instaide.dll");
    const auto report = m.install();
    const auto record = install::readInstallRecord(m.registry);
    ASSERT_TRUE(record);
    for (const auto& path : paths(*record)) {
        EXPECT_THAT(path, testing::Not(testing::StartsWith(kMenu))) << path;
        EXPECT_NE(path, FakeInstallation::kExcel + "instaide.dll");
        EXPECT_THAT(path, testing::Not(testing::HasSubstr("XLSTART")));
    }
    EXPECT_THAT(paths(*record), testing::Contains(FakeInstallation::kExcel + "QuinConv.dll"));
}

TEST_F(InstallRecordTest, SecondInstallationMergesIntoTheFirst) {
    ASSERT_TRUE(m.install().complete());
    const auto first = install::readInstallRecord(m.registry);

    // Another folder, no spreadsheet, another handheld user; the uninstaller
    // the second run places replaces the first's record of the same path.
    const std::string second = "C:\\Apps\\Q4P";
    m.files.addDirectory("C:\\Apps");
    m.files.addFile(FakeInstallation::kSetup + "\\uninst.exe", "v2 uninst.exe");
    m.inputs.installDir = second;
    m.inputs.excelDir.clear();
    m.installAide.users.push_back({"Bob", "C:\\Palm\\Bob"});
    m.inputs.userName = "Bob";
    ASSERT_TRUE(m.install().complete());

    const auto merged = install::readInstallRecord(m.registry);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->installDir, second);
    EXPECT_EQ(appsValue("UninstallString"), "\"" + second + "\\uninst.exe\"");
    for (const auto& file : first->files) {
        EXPECT_THAT(paths(*merged), testing::Contains(file.path)); // nothing of the first lost
    }
    EXPECT_THAT(paths(*merged), testing::Contains(second + "\\uninst.exe"));
    std::size_t menuLinks = 0;
    for (const auto& file : merged->files) {
        menuLinks += file.path.rfind(kMenu, 0) == 0 ? 1 : 0;
        if (file.path == second + "\\uninst.exe") {
            EXPECT_EQ(file.mark->size, std::string("v2 uninst.exe").size());
        }
    }
    EXPECT_EQ(menuLinks, 4u); // the same four links, recorded once
    EXPECT_EQ(merged->folders.size(), 5u);
    EXPECT_EQ(merged->handheld.size(), 2u);
    EXPECT_THAT(merged->conduitFolders, UnorderedElementsAre(kInstall, second));
}

TEST(RecordMerge, LaterEntriesReplaceByPathInAnyCaseAndHandheldNamesJoin) {
    install::InstallRecord earlier;
    earlier.installDir = "C:\\A";
    earlier.files = {{"C:\\A\\x.dll", FileMark{1, 1}}, {"C:\\A\\y.dll", FileMark{2, 2}}};
    earlier.folders = {{"C:\\A", FolderRole::Install}};
    earlier.handheld = {{"Ann", {"Quintara.prc", "CarLoan.pdb"}}};
    install::InstallRecord later;
    later.files = {{"c:\\a\\X.DLL", FileMark{3, 3}}};
    later.folders = {{"c:\\a", FolderRole::Install}};
    later.handheld = {{"Ann", {"carloan.pdb", "Planets.pdb"}}};

    const auto merged = install::mergeRecords(earlier, later);
    EXPECT_EQ(merged.installDir, "C:\\A"); // the later run gave none
    ASSERT_EQ(merged.files.size(), 2u);
    EXPECT_EQ(merged.files[0].mark, (FileMark{3, 3}));
    EXPECT_EQ(merged.folders.size(), 1u);
    EXPECT_THAT(merged.handheld[0].names,
                ElementsAre("Quintara.prc", "CarLoan.pdb", "Planets.pdb"));
    EXPECT_EQ(install::EstimatedSizeKiB(merged), 1u); // 5 bytes round up to 1 KiB
}

} // namespace
