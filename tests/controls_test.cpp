#include "common/error.h"
#include "forms/controls.h"
#include "tests/doubles/fake_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Controls, ChangeRunsNestedInsideTheAssignmentAndOnlyOnRealChange) {
    forms::TextBox box;
    std::vector<std::string> trace;
    box.onChange = [&] { trace.push_back("change:" + box.text()); };

    box.setText("a");
    trace.push_back("returned");
    box.setText("a");
    box.setText("");

    EXPECT_EQ(trace, (std::vector<std::string>{"change:a", "returned", "change:"}));
}

TEST(Controls, HiddenOrDisabledButtonRaisesNoClick) {
    forms::Button button;
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    button.press();
    button.setEnabled(false);
    button.press();
    button.setEnabled(true);
    button.setVisible(false);
    button.press();
    EXPECT_EQ(clicks, 1);
}

TEST(Controls, ListBoxSelectionAndClear) {
    forms::ListBox list;
    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    list.addItem("alpha");
    list.addItem("Beta");
    EXPECT_EQ(list.listIndex(), -1);
    list.select(1);
    list.select(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.item(list.listIndex()), "Beta");
    list.select(5);
    EXPECT_EQ(list.listIndex(), 1);
    list.clear();
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(list.count(), 0);
    EXPECT_THROW(list.item(0), common::SetupError);
}

TEST(Controls, DriveListSameDriveIsNoChangeAndMissingDriveFails) {
    doubles::FakeFileSystem files;
    files.addDrive('a', false);
    forms::DriveList drive(files);
    int changes = 0;
    drive.onChange = [&] { ++changes; };

    drive.selectFromPath("C:\\Program Files");
    drive.selectFromPath("c:\\other");
    EXPECT_EQ(drive.drive(), "c:");
    EXPECT_EQ(changes, 1);

    EXPECT_THROW(drive.selectFromPath("a:\\"), common::SetupError);
    EXPECT_THROW(drive.selectFromPath("\\Quintara4Palm"), common::SetupError);
    EXPECT_EQ(drive.drive(), "c:");

    drive.userSelect('A'); // the user may pick a drive that is not ready
    EXPECT_EQ(drive.drive(), "a:");
    EXPECT_EQ(changes, 2);
}

TEST(Controls, DirListOpensFoldersAndDriveCurrentFolder) {
    doubles::FakeFileSystem files;
    files.addDirectory("C:\\Program Files\\Office");
    files.addDirectory("C:\\Program Files\\Palm");
    files.setCurrentDirectory('c', "C:\\Program Files");
    files.addDrive('a', false);
    forms::DirList dir(files);
    std::vector<std::string> opened;
    dir.onChange = [&] { opened.push_back(dir.path()); };

    dir.open("c:");
    dir.open("C:\\Program Files\\");
    dir.open("C:\\");
    EXPECT_EQ(opened, (std::vector<std::string>{"C:\\Program Files", "C:\\"}));

    EXPECT_THROW(dir.open("C:\\Missing"), common::SetupError);
    EXPECT_THROW(dir.open("a:"), common::SetupError);
    EXPECT_EQ(dir.path(), "C:\\");

    dir.open("C:\\Program Files\\Office");
    EXPECT_EQ(dir.parents(), (std::vector<std::string>{"C:\\", "C:\\Program Files"}));
    dir.open("C:\\Program Files");
    EXPECT_EQ(dir.subfolders(),
              (std::vector<std::string>{"C:\\Program Files\\Office", "C:\\Program Files\\Palm"}));
}

} // namespace
