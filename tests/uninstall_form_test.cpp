#include "install/record/install_record.h"
#include "install/run_install.h"
#include "tests/doubles/fake_machine.h"
#include "uninstall/control_ids.h"
#include "uninstall/uninstall_form.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using forms::ButtonRole;
using install::FolderRole;
using testing::HasSubstr;
using testing::Not;
using uninstall::PageId;

const std::string kInstall = "C:\\Program Files\\Q4P";
const std::string kExcel = "C:\\Office";
const std::string kMenu = "C:\\Menu\\Quintara4Palm";

std::string textOf(const std::vector<forms::PageLine>& lines) {
    std::string text;
    for (const forms::PageLine& line : lines) {
        for (const forms::TextRun& run : line) {
            text += run.text;
        }
        text += "\n";
    }
    return text;
}

// The machine whose running uninstaller is set aside, and the files still
// there at that moment.
doubles::FakeMachine* settingAside = nullptr;
std::vector<std::string> seenWhenSetAside;

bool setAside(const std::string& path) {
    for (const std::string& name : settingAside->files.filesIn(kInstall)) {
        seenWhenSetAside.push_back(kInstall + "\\" + name);
    }
    for (const std::string& name : settingAside->files.filesIn(kExcel)) {
        seenWhenSetAside.push_back(kExcel + "\\" + name);
    }
    return settingAside->files.deleteFile(path) == platform::FsStatus::Ok;
}

uninstall::RemovalServices servicesOf(doubles::FakeMachine& m) {
    settingAside = &m;
    seenWhenSetAside.clear();
    uninstall::RemovalServices services(m.machine);
    services.setAside = setAside;
    return services;
}

// The uninstaller's window over an in-memory machine; the record is written
// the way the setup writes it.
class UninstallFormTest : public testing::Test {
protected:
    void install() {
        record.installDir = kInstall;
        record.folders = {{kExcel, FolderRole::Excel},
                          {kMenu, FolderRole::Menu, true},
                          {kInstall, FolderRole::Install, true}};
        place(kInstall + "\\uninst.exe", "uninstaller");
        place(kInstall + "\\License.txt", "licence");
        place(kExcel + "\\QuinConv.dll", "converter");
        place(kMenu + "\\uninstall.lnk", "link");
        record.handheld = {{"Ann S", {"Quintara.prc"}}};
        ASSERT_TRUE(install::writeInstallRecord(m.registry, record));
    }

    void place(const std::string& path, const std::string& content) {
        m.files.addFile(path, content);
        record.files.push_back(
            {path, install::FileMark{content.size(), install::Fnv1a64(content)}});
    }

    uninstall::UninstallForm& started() {
        form.start();
        return form;
    }

    bool shown(PageId page) { return form.pageFrame(uninstall::indexOf(page)).visible; }
    std::string pageText(PageId page) { return textOf(form.pageText(uninstall::indexOf(page))); }

    doubles::FakeMachine m;
    install::InstallRecord record;
    const std::vector<std::string>& seenBeforeRemoval = seenWhenSetAside;
    uninstall::UninstallForm form{servicesOf(m)};
};

TEST_F(UninstallFormTest, WithoutARecordItSaysSoAndEndsWithNothingTouched) {
    m.files.addFile(kInstall + "\\uninst.exe", "not recorded");
    started();
    EXPECT_EQ(form.currentPage(), PageId::FrameNothing);
    EXPECT_TRUE(shown(PageId::FrameNothing));
    EXPECT_FALSE(shown(PageId::FrameConfirm));
    EXPECT_EQ(form.pageFrame(uninstall::indexOf(PageId::FrameNothing)).tag, "uninstNothing");
    EXPECT_THAT(pageText(PageId::FrameNothing),
                HasSubstr("Quintara4Palm is not installed for this user."));
    EXPECT_EQ(form.button(ButtonRole::Next).caption(), "Exit");
    EXPECT_FALSE(form.button(ButtonRole::Cancel).visible());
    EXPECT_FALSE(form.button(ButtonRole::Back).visible());
    // Closed from the system menu, the answer is the same.
    EXPECT_EQ(form.exitCode(), uninstall::kExitNothingInstalled);

    form.button(ButtonRole::Next).press();
    EXPECT_TRUE(form.window.closed());
    EXPECT_EQ(form.exitCode(), uninstall::kExitNothingInstalled);
    EXPECT_NE(m.files.file(kInstall + "\\uninst.exe"), nullptr);
    EXPECT_TRUE(seenBeforeRemoval.empty());
}

TEST_F(UninstallFormTest, ConfirmationListsTheFoldersAndCancelTouchesNothing) {
    install();
    started();
    EXPECT_EQ(form.currentPage(), PageId::FrameConfirm);
    EXPECT_EQ(form.pageFrame(uninstall::indexOf(PageId::FrameConfirm)).tag, "uninstConfirm");
    EXPECT_EQ(form.button(ButtonRole::Next).caption(), "Remove");
    EXPECT_TRUE(form.button(ButtonRole::Cancel).visible());
    EXPECT_FALSE(form.button(ButtonRole::Back).visible());
    // The product's own folders first, whatever order the record keeps.
    EXPECT_EQ(form.control(q4p::window_ids::kFolderList).text, &form.folderList);
    const std::string& listed = form.folderList.text();
    EXPECT_EQ(listed.find(kInstall + "\r\n"), 0u) << listed;
    EXPECT_LT(listed.find(kMenu + "\r\n"), listed.find(kExcel + "\r\n")) << listed;

    form.button(ButtonRole::Cancel).press();
    EXPECT_TRUE(form.window.closed());
    EXPECT_EQ(form.exitCode(), uninstall::kExitCancelled);
    EXPECT_TRUE(seenBeforeRemoval.empty());
    for (const auto& file : record.files) {
        EXPECT_NE(m.files.file(file.path), nullptr) << file.path;
    }
    EXPECT_TRUE(install::readInstallRecord(m.registry));
}

TEST_F(UninstallFormTest, RemoveRemovesEverythingAndTheResultSaysWhatIsLeftToDoByHand) {
    install();
    started();
    form.button(ButtonRole::Next).press();

    // The running program is set aside last of all files.
    EXPECT_THAT(seenBeforeRemoval, testing::ElementsAre(kInstall + "\\uninst.exe"));
    EXPECT_EQ(form.currentPage(), PageId::FrameDone);
    EXPECT_FALSE(shown(PageId::FrameConfirm));
    EXPECT_FALSE(form.window.closed());
    EXPECT_EQ(form.button(ButtonRole::Next).caption(), "Exit");
    EXPECT_FALSE(form.button(ButtonRole::Cancel).visible());
    EXPECT_THAT(pageText(PageId::FrameDone),
                HasSubstr("Quintara4Palm was removed from your computer."));
    EXPECT_FALSE(m.files.hasDirectory(kInstall));
    EXPECT_FALSE(install::readInstallRecord(m.registry));
    // The handheld files cannot be taken back; they are no failure.
    EXPECT_THAT(form.stayList.text(), HasSubstr("\"Ann S\""));
    EXPECT_THAT(form.stayList.text(), Not(HasSubstr("Stays:")));
    EXPECT_EQ(form.exitCode(), uninstall::kExitRemoved);

    // Esc finds no Cancel; Exit ends.
    form.button(ButtonRole::Cancel).press();
    EXPECT_FALSE(form.window.closed());
    form.button(ButtonRole::Next).press();
    EXPECT_TRUE(form.window.closed());
    EXPECT_EQ(form.exitCode(), uninstall::kExitRemoved);
}

TEST_F(UninstallFormTest, WhatStaysIsHeadedAndListedWithItsReasonAndTheCodeSaysSo) {
    install();
    m.files.addFile(kInstall + "\\notes.txt", "the user's own");
    m.files.lock(kInstall + "\\License.txt"); // held open without sharing
    started();
    form.button(ButtonRole::Next).press();

    const std::string heading = pageText(PageId::FrameDone);
    EXPECT_THAT(heading, Not(HasSubstr("was removed from your computer.")));
    EXPECT_THAT(heading, HasSubstr("listed below"));
    const std::string& stays = form.stayList.text();
    EXPECT_THAT(stays, HasSubstr(kInstall + "\\License.txt\r\n    Stays: it cannot be read"));
    EXPECT_THAT(stays, HasSubstr(kInstall + "\r\n    Stays: it still holds"));
    EXPECT_THAT(stays, HasSubstr("License.txt, notes.txt"));
    EXPECT_THAT(stays, HasSubstr("\"Ann S\"")); // the steps by hand follow
    EXPECT_LT(stays.find("Stays:"), stays.find("\"Ann S\""));
    EXPECT_EQ(form.exitCode(), uninstall::kExitSomethingStays);
    EXPECT_NE(m.files.file(kInstall + "\\notes.txt"), nullptr);
    EXPECT_EQ(m.files.file(kInstall + "\\uninst.exe"), nullptr);
}

TEST(UninstallListTexts, RefusedEntriesAreNamedEvenWhenEmptyAndUnknownFoldersAreNotListed) {
    install::InstallRecord record;
    record.folders = {{"C:\\Q4P", FolderRole::Install}, {"C:\\Odd", std::nullopt}};
    EXPECT_EQ(uninstall::folderListText(record),
              "C:\\Q4P\r\n    the program's files, and the folder once it is empty");

    uninstall::RemovalResult result;
    EXPECT_EQ(uninstall::stayListText(result), "");
    result.refused = {{"", "a recorded file that is empty"}, {"D:\\", "a drive root"}};
    EXPECT_EQ(uninstall::stayListText(result),
              "(an empty record entry)\r\n    Not touched: a recorded file that is empty.\r\n"
              "D:\\\r\n    Not touched: a drive root.");
}

} // namespace
