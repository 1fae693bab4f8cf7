#include "tests/wizard_fixture.h"

namespace wizardtest {
namespace {

using F = FrameId;

class FolderChoice : public WizardTest {
protected:
    void SetUp() override {
        fake.files.addDirectory("C:\\Program Files\\Quintara4Palm");
        fake.files.addDirectory("C:\\Games\\Chess");
        fake.files.addDrive('d');
        fake.files.addDirectory("D:\\Data");
        fake.files.setCurrentDirectory('d', "D:\\Data");
        fake.files.addDrive('a', false);
        start();
        toFolderPage();
    }
};

TEST_F(FolderChoice, PickingADriveOpensItsCurrentFolderEverywhere) {
    form->drive.userSelect('D');
    EXPECT_EQ(form->drive.drive(), "d:");
    EXPECT_EQ(form->dirList.path(), "D:\\Data");
    EXPECT_EQ(form->DirName.text(), "D:\\Data");
    EXPECT_EQ(form->state().installDir, "D:\\Data");
}

TEST_F(FolderChoice, PickingADriveThatIsNotReadyChangesNothingElse) {
    form->drive.userSelect('a');
    EXPECT_EQ(form->drive.drive(), "a:") << "the list shows the user's choice";
    EXPECT_EQ(form->dirList.path(), "C:\\Program Files\\Quintara4Palm");
    EXPECT_EQ(form->DirName.text(), "C:\\Program Files\\Quintara4Palm");
    EXPECT_EQ(form->state().installDir, "C:\\Program Files\\Quintara4Palm");

    form->drive.userSelect('d');
    EXPECT_EQ(form->state().installDir, "D:\\Data") << "a ready drive afterwards still works";
}

TEST_F(FolderChoice, OpeningAFolderMakesItTheInstallFolder) {
    form->dirList.open("C:\\Games\\Chess");
    EXPECT_EQ(form->DirName.text(), "C:\\Games\\Chess");
    EXPECT_EQ(form->state().installDir, "C:\\Games\\Chess");
    EXPECT_EQ(form->drive.drive(), "c:");
}

TEST_F(FolderChoice, OpeningTheRootGivesItsPathWithTheSeparator) {
    form->dirList.open("C:\\");
    EXPECT_EQ(form->DirName.text(), "C:\\");
    EXPECT_EQ(form->state().installDir, "C:\\");
}

TEST_F(FolderChoice, TypingMovesOnlyTheInstallFolder) {
    form->DirName.setText("C:\\Nowhere\\New");
    EXPECT_EQ(form->state().installDir, "C:\\Nowhere\\New");
    EXPECT_EQ(form->dirList.path(), "C:\\Program Files\\Quintara4Palm");
    EXPECT_EQ(form->drive.drive(), "c:");

    form->DirName.setText("");
    EXPECT_EQ(form->state().installDir, "");
    EXPECT_TRUE(form->bNext.enabled());
}

class UserChoice : public WizardTest {
protected:
    void SetUp() override {
        addUser("Alice", "C:\\Palm\\Alice");
        addUser("Bob", "C:\\Palm\\Bob");
        addUser("Carol", "C:\\Palm\\Carol");
        start();
        toUserPage();
    }
};

TEST_F(UserChoice, APickEnablesNextAndASecondPickReplacesTheFirst) {
    form->ListUsers.select(0);
    EXPECT_TRUE(form->bNext.enabled());
    EXPECT_EQ(form->state().userName, "Alice");
    EXPECT_EQ(form->state().userDir, "C:\\Palm\\Alice");

    form->ListUsers.select(2);
    EXPECT_EQ(form->state().userName, "Carol");
    EXPECT_EQ(form->state().userDir, "C:\\Palm\\Carol");
}

TEST_F(UserChoice, UserWithoutAKnownFolderIsStillPicked) {
    form->ListUsers.select(0);
    fake.installAide.missingUsers.insert("Bob");
    form->ListUsers.select(1);
    EXPECT_TRUE(form->bNext.enabled());
    EXPECT_EQ(form->state().userName, "Bob");
    EXPECT_EQ(form->state().userDir, "");
}

TEST_F(UserChoice, InstallAideGoneAfterTheListWasFilledCountsAsNoFolder) {
    form->ListUsers.select(0);
    fake.installAide.loadable = false;
    form->ListUsers.select(1);
    EXPECT_TRUE(form->bNext.enabled());
    EXPECT_EQ(form->state().userName, "Bob");
    EXPECT_EQ(form->state().userDir, "") << "not Alice's folder";
    next();
    EXPECT_EQ(shown(), F::FrameListFiles);
}

TEST_F(UserChoice, LosingTheSelectionDisablesNextAndKeepsTheChoice) {
    form->ListUsers.select(1);
    form->ListUsers.select(-1);
    EXPECT_FALSE(form->bNext.enabled());
    EXPECT_EQ(form->state().userName, "Bob");
    EXPECT_EQ(form->state().userDir, "C:\\Palm\\Bob");
}

} // namespace
} // namespace wizardtest
