#include "install/record/install_record.h"
#include "install/run_install.h"
#include "tests/doubles/fake_installation.h"
#include "uninstall/command_line.h"
#include "uninstall/record_paths.h"
#include "uninstall/removal.h"
#include "uninstall/removal_plan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using doubles::FakeInstallation;
using install::FileMark;
using install::FolderRole;
using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using uninstall::ActionKind;

const platform::RegRoot kUser = platform::kHkeyCurrentUser;
const std::string kInstall = "C:\\Q4P";
const std::string kExcel = "C:\\Office";
const std::string kStartup = "C:\\Office\\XLSTART";
const std::string kMenu = "C:\\Menu\\Quintara4Palm";

FileMark markOfText(const std::string& content) {
    return {content.size(), install::Fnv1a64(content)};
}

std::vector<std::string> whatStays(const uninstall::RemovalResult& result) {
    std::vector<std::string> what;
    for (const auto& stay : result.stays) {
        what.push_back(stay.what);
    }
    return what;
}

std::vector<std::string> refusedEntries(const uninstall::RemovalPlan& plan) {
    std::vector<std::string> entries;
    for (const auto& refusal : plan.refused) {
        entries.push_back(refusal.entry);
    }
    return entries;
}

// A machine holding a small installation and its record, written the way the
// setup writes it.
class UninstallTest : public testing::Test {
protected:
    UninstallTest() {
        record.installDir = kInstall;
        record.folders = {{kInstall, FolderRole::Install, true},
                          {kExcel, FolderRole::Excel},
                          {kStartup, FolderRole::Startup},
                          {kMenu, FolderRole::Menu, true}};
        place(kInstall + "\\QuinFrm.dll", "form library");
        place(kInstall + "\\uninst.exe", "uninstaller");
        place(kInstall + "\\license.txt", "licence");
        place(kExcel + "\\QuinConv.dll", "converter");
        place(kExcel + "\\instaide.dll", "install aide");
        place(kStartup + "\\Quin4P.xla", "add-in");
        place(kMenu + "\\uninstall.lnk", "link");
        record.handheld = {{"Ann S", {"Quintara.prc"}}};
        record.conduitFolders = {kInstall};
        m.registry.putString(kUser, install::kProductKey, "installdir", kInstall);
    }

    void place(const std::string& path, const std::string& content) {
        m.files.addFile(path, content);
        record.files.push_back({path, markOfText(content)});
    }

    std::optional<uninstall::RemovalResult> uninstallNow() {
        EXPECT_TRUE(install::writeInstallRecord(m.registry, record));
        return uninstall::Uninstall(m.machine);
    }

    doubles::FakeMachine m;
    install::InstallRecord record;
};

TEST_F(UninstallTest, EverythingRecordedGoesAndOnlyThat) {
    m.files.addFile("C:\\Office\\EXCEL.EXE", "the spreadsheet");
    m.registry.putString(kUser, "Software\\Quintara\\Other", "x", "another product");

    const auto result = uninstallNow();

    ASSERT_TRUE(result);
    EXPECT_TRUE(result->complete()) << testing::PrintToString(whatStays(*result));
    EXPECT_EQ(uninstall::exitCodeOf(result), uninstall::kExitRemoved);
    EXPECT_FALSE(m.files.hasDirectory(kInstall));
    EXPECT_FALSE(m.files.hasDirectory(kMenu));
    // The spreadsheet's folders are not ours, even when left empty.
    EXPECT_THAT(m.files.filesIn(kExcel), ElementsAre("EXCEL.EXE"));
    EXPECT_TRUE(m.files.hasDirectory(kStartup));
    EXPECT_THAT(m.formLibrary.unregisteredFrom, ElementsAre(kInstall + "\\QuinFrm.dll"));
    EXPECT_FALSE(m.registry.hasKey(kUser, install::kProductKey));
    EXPECT_TRUE(m.registry.hasKey(kUser, "Software\\Quintara")); // holds another product
    EXPECT_FALSE(m.registry.hasKey(kUser, install::kUninstallKey));
    // Never undoable, said and not counted.
    ASSERT_EQ(result->manual.size(), 2u);
    EXPECT_THAT(result->manual[0].what, HasSubstr("Quintara.prc"));
    EXPECT_THAT(result->manual[1].what, HasSubstr("conduit"));

    // A second run finds nothing installed and touches nothing.
    m.files.addFile(kInstall + "\\late.txt");
    EXPECT_EQ(uninstall::exitCodeOf(uninstall::Uninstall(m.machine)),
              uninstall::kExitNothingInstalled);
    EXPECT_TRUE(m.files.fileExists(kInstall + "\\late.txt"));
}

TEST_F(UninstallTest, SharedFilesGoOnlyWhileStillTheSetupsCopy) {
    m.files.addFile(kExcel + "\\instaide.dll", "another program's newer copy");
    m.files.lock(kStartup + "\\Quin4P.xla"); // held open without sharing: cannot be checked
    m.files.deleteFile(kExcel + "\\QuinConv.dll");
    place(kExcel + "\\QuinConv.dll", "converter");
    m.files.markReadOnly(kExcel + "\\QuinConv.dll");

    const auto result = uninstallNow();

    EXPECT_FALSE(m.files.fileExists(kExcel + "\\QuinConv.dll")); // read-only, still ours
    ASSERT_TRUE(m.files.file(kExcel + "\\instaide.dll"));
    EXPECT_EQ(m.files.file(kExcel + "\\instaide.dll")->content, "another program's newer copy");
    EXPECT_TRUE(m.files.fileExists(kStartup + "\\Quin4P.xla"));
    EXPECT_THAT(whatStays(*result),
                ElementsAre(kExcel + "\\instaide.dll", kStartup + "\\Quin4P.xla"));
    EXPECT_EQ(uninstall::exitCodeOf(result), uninstall::kExitSomethingStays);

    // A shared file the user deleted meanwhile is no failure.
    doubles::FakeMachine fresh;
    uninstall::RemovalPlan plan;
    plan.actions = {{ActionKind::RemoveSharedFile, kExcel + "\\QuinConv.dll", markOfText("x")}};
    EXPECT_TRUE(uninstall::carryOut(fresh.machine, plan).complete());
}

TEST_F(UninstallTest, FoldersGoOnlyWhenEmptyAndWhatCannotGoIsListedWhileTheRestGoesOn) {
    m.files.addFile(kInstall + "\\my notes.txt", "the user's");
    m.files.addFile(kMenu + "\\My link.lnk", "the user's");
    m.files.lock(kInstall + "\\license.txt"); // held open by a reader
    m.files.markReadOnly(kInstall + "\\license.txt");
    m.files.markReadOnly(kInstall + "\\uninst.exe");

    const auto result = uninstallNow();

    EXPECT_THAT(m.files.filesIn(kInstall), ElementsAre("license.txt", "my notes.txt"));
    EXPECT_THAT(m.files.filesIn(kMenu), ElementsAre("My link.lnk"));
    EXPECT_THAT(whatStays(*result), ElementsAre(kInstall + "\\license.txt", kMenu, kInstall));
    EXPECT_THAT(result->stays[2].why, HasSubstr("license.txt, my notes.txt"));
    // The held file keeps its read-only state; the rest went on, read-only or not.
    EXPECT_TRUE(m.files.isReadOnly(kInstall + "\\license.txt"));
    EXPECT_FALSE(m.files.fileExists(kInstall + "\\uninst.exe"));
    EXPECT_FALSE(m.files.fileExists(kExcel + "\\QuinConv.dll"));
    EXPECT_FALSE(m.registry.hasKey(kUser, install::kProductKey));
    EXPECT_EQ(uninstall::exitCodeOf(result), uninstall::kExitSomethingStays);
}

TEST_F(UninstallTest, LibraryWhoseRegistrationCannotBeRemovedIsKept) {
    m.formLibrary.unregisterResult = -2147467259; // E_FAIL
    auto result = uninstallNow();
    EXPECT_TRUE(m.files.fileExists(kInstall + "\\QuinFrm.dll"));
    EXPECT_THAT(whatStays(*result), ElementsAre(kInstall + "\\QuinFrm.dll", kInstall));

    // A library changed since the installation is not run at all.
    doubles::FakeMachine other;
    uninstall::RemovalPlan plan;
    other.files.addFile(kInstall + "\\QuinFrm.dll", "someone else's");
    plan.actions = {
        {ActionKind::Unregister, kInstall + "\\QuinFrm.dll", markOfText("form library")},
        {ActionKind::RemoveFile, kInstall + "\\QuinFrm.dll"}};
    result = uninstall::carryOut(other.machine, plan);
    EXPECT_TRUE(other.formLibrary.unregisteredFrom.empty());
    EXPECT_TRUE(other.files.fileExists(kInstall + "\\QuinFrm.dll"));
}

TEST(RemovalPlan, RefusedEntriesAreNamedAndNeverActedOn) {
    install::InstallRecord record;
    record.folders = {{kInstall, FolderRole::Install, true},
                      {"C:\\", FolderRole::Install},
                      {"Quintara4Palm", FolderRole::Menu},
                      {"C:\\Q4P\\..\\WINDOWS", FolderRole::Install},
                      {"C:\\Elsewhere", std::nullopt}};
    const FileMark mark{1, 1};
    record.files = {{"", mark},
                    {"uninst.exe", mark},
                    {"C:\\WINDOWS\\system32\\kernel32.dll", mark},
                    {"C:\\Q4P\\..\\WINDOWS\\win.ini", mark},
                    {"C:\\Q4P\\...\\win.ini", mark},
                    {"C:\\Q4P\\sub\\deep.dll", mark},
                    {"C:\\Q4P\\file.txt:hidden", mark},
                    {"\\\\?\\C:\\Q4P\\x.dll", mark},
                    {"C:uninst.exe", mark},
                    {"C:\\Elsewhere\\x.dll", mark},
                    {"C:\\x.dll", mark},
                    {"c:/q4p/Sleep.exe", mark}};

    const auto plan = uninstall::planRemoval(record);

    std::vector<std::string> expected = {"C:\\", "Quintara4Palm", "C:\\Q4P\\..\\WINDOWS",
                                         "C:\\Elsewhere"};
    for (std::size_t i = 0; i + 1 < record.files.size(); ++i) {
        expected.push_back(record.files[i].path);
    }
    EXPECT_EQ(refusedEntries(plan), expected);
    std::vector<std::string> files;
    for (const auto& action : plan.actions) {
        if (action.kind != ActionKind::RemoveKey && action.kind != ActionKind::RemoveKeyWhenEmpty) {
            files.push_back(action.path);
        }
    }
    // Only the one file inside the recorded folder, written with "/", and that folder.
    EXPECT_THAT(files, ElementsAre("c:/q4p/Sleep.exe", kInstall));
}

TEST(RemovalPlan, SharedRuleWinsWhereTheInstallFolderIsTheSpreadsheetsAndLibrariesGoFirst) {
    install::InstallRecord record;
    record.folders = {{kExcel, FolderRole::Install}, {kExcel + "\\", FolderRole::Excel}};
    record.files = {{kExcel + "\\QuinConv.dll", FileMark{1, 1}},
                    {kExcel + "\\QuinFrm.dll", FileMark{2, 2}},
                    {kExcel + "\\instaide.dll", std::nullopt}};
    const auto plan = uninstall::planRemoval(record);
    ASSERT_GE(plan.actions.size(), 2u);
    EXPECT_EQ(plan.actions[0].kind, ActionKind::RemoveSharedFile);
    EXPECT_EQ(plan.actions[1].kind, ActionKind::RemoveSharedFile);
    // A shared file without a usable mark could never be recognised: refused.
    EXPECT_THAT(refusedEntries(plan), ElementsAre(kExcel + "\\instaide.dll"));

    record.folders = {{kInstall, FolderRole::Install, true},
                      {kInstall + "\\Sub", FolderRole::Install, true},
                      {kMenu, FolderRole::Menu, true}};
    record.files = {{kInstall + "\\Sub\\a.dll", FileMark{1, 1}},
                    {kInstall + "\\QuinFrm.dll", FileMark{2, 2}}};
    std::vector<std::string> order;
    std::vector<std::string> folders;
    for (const auto& action : uninstall::planRemoval(record).actions) {
        order.push_back(action.path);
        if (action.kind == ActionKind::RemoveFolder) {
            folders.push_back(action.path);
        }
    }
    EXPECT_EQ(order[0], kInstall + "\\QuinFrm.dll"); // unregistered before anything goes
    // Deepest first; folders of one depth in the record's order.
    EXPECT_THAT(folders, ElementsAre(kInstall + "\\Sub", kMenu, kInstall));
}

// The whole round: what a typical installation leaves, the uninstaller takes.
TEST(InstallThenUninstall, NothingOfTheProductRemainsButWhatCannotBeUndone) {
    FakeInstallation m;
    ASSERT_TRUE(m.install().complete());

    const auto result = uninstall::Uninstall(m.machine);

    ASSERT_TRUE(result);
    EXPECT_TRUE(result->complete()) << testing::PrintToString(whatStays(*result));
    EXPECT_FALSE(m.files.hasDirectory(FakeInstallation::kInstall));
    EXPECT_FALSE(m.files.hasDirectory(FakeInstallation::kMenu));
    EXPECT_TRUE(m.files.filesIn(FakeInstallation::kExcel).empty());
    EXPECT_TRUE(m.files.filesIn(FakeInstallation::kStartup).empty());
    EXPECT_FALSE(m.registry.hasKey(kUser, "Software\\Quintara"));
    EXPECT_FALSE(m.registry.hasKey(kUser, install::kUninstallKey));
    EXPECT_EQ(m.installAide.queue["Ann S"].size(), 5u);
    EXPECT_EQ(result->manual.size(), 2u);
}

TEST(RecordPaths, FullPathsOnlyAndCompareAsTheFileSystemDoes) {
    EXPECT_FALSE(uninstall::whyRefused("C:\\Program Files\\Quintara4Palm"));
    EXPECT_FALSE(uninstall::whyRefused("\\\\server\\share\\Q4P"));
    EXPECT_FALSE(uninstall::whyRefused("C:\\a..b\\.hidden"));
    for (const char* refused : {"C:", "C:\\\\", "\\\\server\\share", "\\\\server", "\\Q4P",
                                "C:\\a\\\\b", "C:\\a\\ . \\b", "\\\\.\\C:\\Q4P"}) {
        EXPECT_TRUE(uninstall::whyRefused(refused)) << refused;
    }
    EXPECT_TRUE(uninstall::samePath("C:\\Office\\", "c:/office"));
    EXPECT_FALSE(uninstall::samePath("C:\\Office", "C:\\Office2"));
}

} // namespace

namespace {

TEST(CommandLine, OnlySilentOrNothingAndTheCopysMarkerLast) {
    using uninstall::parseCommandLine;
    using uninstall::RunMode;
    const std::string original = "C:\\Program Files\\Quintara4Palm\\uninst.exe";
    EXPECT_EQ(parseCommandLine({}).mode, RunMode::Window);
    EXPECT_EQ(parseCommandLine({"/S"}).mode, RunMode::Silent);
    EXPECT_EQ(parseCommandLine({"/s"}).mode, RunMode::Silent);
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"/S", "/S"}, {"-S"}, {"/Silent"}, {""}, {"/X"}}) {
        EXPECT_EQ(parseCommandLine(bad).mode, RunMode::Bad) << testing::PrintToString(bad);
    }
    const auto copy = parseCommandLine({"/S", uninstall::kCopyMarker, original});
    EXPECT_EQ(copy.mode, RunMode::Silent);
    EXPECT_EQ(copy.original, original);
    EXPECT_FALSE(parseCommandLine({"/S"}).isCopy());
    // A marker elsewhere, or with a path that is not a full one, is a bad argument.
    EXPECT_EQ(parseCommandLine({uninstall::kCopyMarker, original, "/S"}).mode, RunMode::Bad);
    EXPECT_EQ(parseCommandLine({"/S", uninstall::kCopyMarker, "uninst.exe"}).mode, RunMode::Bad);
}

} // namespace

namespace {

// The record is the user's to write, and the uninstaller may run elevated:
// what another program added or changed there is refused or kept, never
// removed, while the product's own files go.
TEST_F(UninstallTest, ChangedFilesAndEntriesOutsideTheProductsPlacesStay) {
    m.files.addFile(kInstall + "\\license.txt", "licence, with the user's notes");
    m.files.addFile("C:\\WINDOWS\\victim.ini", "the system's");
    m.files.addFile(kExcel + "\\EXCEL.EXE", "the spreadsheet");
    m.files.addDirectory("C:\\Empty");
    m.files.addDirectory("C:\\Menu\\Other");
    record.folders.push_back({"C:\\WINDOWS", FolderRole::Install, true});
    record.folders.push_back({"C:\\Empty", FolderRole::Install}); // never made by the setup
    record.folders.push_back({"C:\\Menu\\Other", FolderRole::Menu, true});
    record.folders.push_back({"D:\\", FolderRole::Install, true});
    record.files.push_back({"C:\\WINDOWS\\victim.ini", markOfText("the system's")});
    record.files.push_back({kExcel + "\\EXCEL.EXE", markOfText("the spreadsheet")});

    const auto result = uninstallNow();

    for (const char* kept : {"C:\\WINDOWS\\victim.ini", "C:\\Office\\EXCEL.EXE"}) {
        EXPECT_TRUE(m.files.fileExists(kept)) << kept;
    }
    EXPECT_EQ(m.files.file(kInstall + "\\license.txt")->content, "licence, with the user's notes");
    EXPECT_TRUE(m.files.hasDirectory("C:\\Empty"));
    EXPECT_TRUE(m.files.hasDirectory("C:\\Menu\\Other"));
    EXPECT_THAT(whatStays(*result), ElementsAre(kInstall + "\\license.txt", kInstall));
    std::vector<std::string> refused;
    for (const auto& refusal : result->refused) {
        refused.push_back(refusal.entry);
    }
    EXPECT_THAT(refused,
                testing::UnorderedElementsAre("C:\\WINDOWS", "C:\\Menu\\Other", "D:\\",
                                              "C:\\WINDOWS\\victim.ini", kExcel + "\\EXCEL.EXE"));
    // The product's own files went all the same.
    EXPECT_FALSE(m.files.fileExists(kInstall + "\\QuinFrm.dll"));
    EXPECT_FALSE(m.files.hasDirectory(kMenu));
    EXPECT_EQ(uninstall::exitCodeOf(result), uninstall::kExitSomethingStays);
}

} // namespace
