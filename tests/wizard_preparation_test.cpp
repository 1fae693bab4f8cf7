#include "tests/wizard_fixture.h"

namespace wizardtest {
namespace {

using F = FrameId;

class FolderPage : public WizardTest {
protected:
    void SetUp() override {
        fake.files.addDirectory("C:\\Work");
        fake.files.addDirectory("C:\\Games\\Chess");
        fake.files.setCurrentDirectory('c', "C:\\Work");
        fake.files.addDrive('d');
        fake.files.addDirectory("D:\\Data");
        fake.files.setCurrentDirectory('d', "D:\\Data");
        fake.files.addDrive('e', false);
    }
    // The user types a folder, goes on to the user page and comes back.
    void typeAndComeBack(const std::string& folder) {
        form->DirName.setText(folder);
        next();
        ASSERT_EQ(shown(), F::FrameChooseUser);
        back();
        ASSERT_EQ(shown(), F::FrameChooseDir);
    }
};

TEST_F(FolderPage, ExistingInstallFolderMovesEveryControlToIt) {
    fake.files.addDirectory("C:\\Program Files\\Quintara4Palm");
    start();
    toFolderPage();
    EXPECT_EQ(form->drive.drive(), "c:");
    EXPECT_EQ(form->dirList.path(), "C:\\Program Files\\Quintara4Palm");
    EXPECT_EQ(form->DirName.text(), "C:\\Program Files\\Quintara4Palm");
    EXPECT_EQ(form->state().installDir, "C:\\Program Files\\Quintara4Palm");
}

TEST_F(FolderPage, MissingInstallFolderIsShownAndKeptThoughTheDriveChangeRewroteIt) {
    fake.files.addDirectory("C:\\Program Files");
    start();
    toFolderPage();
    // Selecting the drive opened its current folder, which passed through
    // DirName and installDir before the saved folder was put back.
    EXPECT_EQ(form->drive.drive(), "c:");
    EXPECT_EQ(form->dirList.path(), "C:\\Work");
    EXPECT_EQ(form->DirName.text(), "C:\\Program Files\\Quintara4Palm");
    EXPECT_EQ(form->state().installDir, "C:\\Program Files\\Quintara4Palm");
}

TEST_F(FolderPage, TypedFolderComesBackAndTheListsFollowWhenItExists) {
    start();
    toFolderPage();
    typeAndComeBack("C:\\Games\\Chess");
    EXPECT_EQ(form->dirList.path(), "C:\\Games\\Chess");
    EXPECT_EQ(form->DirName.text(), "C:\\Games\\Chess");
    EXPECT_EQ(form->state().installDir, "C:\\Games\\Chess");

    typeAndComeBack("C:\\Games\\Go");
    EXPECT_EQ(form->dirList.path(), "C:\\Games\\Chess") << "the list keeps what it showed";
    EXPECT_EQ(form->DirName.text(), "C:\\Games\\Go");
    EXPECT_EQ(form->state().installDir, "C:\\Games\\Go");
}

TEST_F(FolderPage, FolderOnADriveThatIsNotReadyLeavesBothListsAlone) {
    start();
    toFolderPage();
    typeAndComeBack("E:\\Apps\\Quintara4Palm");
    EXPECT_EQ(form->drive.drive(), "c:");
    EXPECT_EQ(form->dirList.path(), "C:\\Work");
    EXPECT_EQ(form->DirName.text(), "E:\\Apps\\Quintara4Palm");
    EXPECT_EQ(form->state().installDir, "E:\\Apps\\Quintara4Palm");
}

// A root keeps its separator, and is refused as the install folder: Next
// waits for a folder in it, also when the page is shown again.
TEST_F(FolderPage, DriveRootKeepsItsTrailingSeparatorAndIsRefused) {
    start();
    toFolderPage();
    typeAndComeBack("D:\\Apps");
    for (const char* root : {"D:\\", "\\\\server\\share\\"}) {
        form->DirName.setText(root);
        EXPECT_EQ(form->state().installDir, root);
        EXPECT_FALSE(form->bNext.enabled()) << root;
    }
    form->dirList.open("D:\\");
    EXPECT_EQ(form->DirName.text(), "D:\\");
    EXPECT_FALSE(form->bNext.enabled());
    back();
    next();
    EXPECT_EQ(form->DirName.text(), "D:\\");
    EXPECT_FALSE(form->bNext.enabled());
    form->DirName.setText("D:\\Quintara4Palm");
    EXPECT_TRUE(form->bNext.enabled());
}

using UserPage = WizardTest;

TEST_F(UserPage, ListsTheHandheldUsersWithNothingSelected) {
    addUser("Beta", "C:\\Palm\\Beta");
    addUser("alpha", "C:\\Palm\\alpha");
    start();
    toUserPage();
    ASSERT_EQ(form->ListUsers.count(), 2);
    EXPECT_EQ(form->ListUsers.item(0), "alpha");
    EXPECT_EQ(form->ListUsers.item(1), "Beta");
    EXPECT_EQ(form->ListUsers.listIndex(), -1);
    EXPECT_FALSE(form->bNext.enabled());
}

TEST_F(UserPage, NoHandheldUsersLeavesAnEmptyListAndNoWayOn) {
    start();
    toUserPage();
    EXPECT_EQ(form->ListUsers.count(), 0);
    EXPECT_FALSE(form->bNext.enabled());
}

TEST_F(UserPage, ShowingAgainRefillsFromTheDesktopSoftware) {
    addUser("Alice", "C:\\Palm\\Alice");
    start();
    toUserPage();
    form->ListUsers.select(0);
    back();
    addUser("Bob", "C:\\Palm\\Bob");
    next();
    ASSERT_EQ(shown(), F::FrameChooseUser);
    EXPECT_EQ(form->ListUsers.count(), 2);
    EXPECT_EQ(form->ListUsers.listIndex(), -1);
    EXPECT_FALSE(form->bNext.enabled());
    EXPECT_EQ(form->state().userName, "Alice");
}

// The user page's failures stay on the page: shown, empty, Next disabled,
// Back and Cancel still working.
TEST_F(UserPage, UnloadableInstallAideLeavesThePageUsable) {
    addUser("Alice", "C:\\Palm\\Alice");
    start();
    toFolderPage();
    fake.installAide.loadable = false;
    next();
    EXPECT_EQ(shown(), F::FrameChooseUser);
    EXPECT_EQ(form->ListUsers.count(), 0);
    EXPECT_FALSE(form->bNext.enabled());
    back();
    EXPECT_EQ(shown(), F::FrameChooseDir);
}

TEST_F(UserPage, FailingEnumerationLeavesThePageUsable) {
    addUser("Alice", "C:\\Palm\\Alice");
    start();
    toFolderPage();
    fake.installAide.countOverride = 70000; // does not fit the install aide's 16-bit results
    next();
    EXPECT_EQ(shown(), F::FrameChooseUser);
    EXPECT_FALSE(form->bNext.enabled());
    form->Cancel.press();
    EXPECT_TRUE(form->window.closed());
}

class SummaryPage : public WizardTest {
protected:
    void SetUp() override {
        fake.spreadsheet.startupPath = "C:\\Office\\XLStart";
        addUser("Alice", "C:\\Palm\\Alice");
    }
};

TEST_F(SummaryPage, ListsTheTwentyThreeDestinations) {
    start();
    toSummaryPage();
    EXPECT_EQ(form->listaFicheiros.text(), "C:\\Office\\XLStart\\Quin4P.xla\r\n"
                                           "C:\\Office\\QuinConv.dll\r\n"
                                           "C:\\Office\\instaide.dll\r\n"
                                           "C:\\WINDOWS\\QuinFrm.dll\r\n"
                                           "C:\\Palm\\Alice\\Install\\MathLib.prc\r\n"
                                           "C:\\Palm\\Alice\\Install\\Quintara.prc\r\n"
                                           "C:\\Palm\\Alice\\Install\\CarLoan.pdb\r\n"
                                           "C:\\Palm\\Alice\\Install\\Conversion.pdb\r\n"
                                           "C:\\Palm\\Alice\\Install\\Planets.pdb\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\Quin4P.xla\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\QuinConv.dll\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\QuinFrm.dll\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\Quintara.dll\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\Quintara.jpg\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\QuinTool.dll\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\Quintara.prc\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\Documentation.pdf\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\instaide.dll\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\License.txt\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\MathLib.prc\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\MathLib.txt\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\sleep.exe\r\n"
                                           "C:\\Program Files\\Quintara4Palm\\uninst.exe");
}

TEST_F(SummaryPage, MissingFoldersLeaveTheBareNames) {
    fake.spreadsheet.startupPath.reset();
    fake.files.unsetEnvironment("WINDIR");
    fake.installAide.missingUsers.insert("Alice");
    MachineAnswers answers;
    answers.excelPath.clear();
    start(answers);
    next();
    ASSERT_EQ(shown(), F::FrameNFExcel);
    next();
    ASSERT_EQ(shown(), F::FrameChooseDir);
    next();
    form->ListUsers.select(0);
    next();
    ASSERT_EQ(shown(), F::FrameListFiles);

    const std::vector<std::string> lines = summaryLines();
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[0], "\\Quin4P.xla");
    EXPECT_EQ(lines[1], "QuinConv.dll");
    EXPECT_EQ(lines[2], "instaide.dll");
    EXPECT_EQ(lines[3], "\\QuinFrm.dll");
    EXPECT_EQ(lines[4], "\\Install\\MathLib.prc");
    EXPECT_EQ(lines[8], "\\Install\\Planets.pdb");
    EXPECT_EQ(lines[22], "C:\\Program Files\\Quintara4Palm\\uninst.exe");
}

TEST_F(SummaryPage, TrailingSeparatorOfTheInstallFolderIsDoubled) {
    fake.files.addDrive('d');
    start();
    toFolderPage();
    // A root is refused (FolderPage); a folder typed with its separator is taken as it stands.
    fake.files.addDirectory("D:\\Apps");
    form->DirName.setText("D:\\Apps\\");
    next();
    form->ListUsers.select(0);
    next();
    ASSERT_EQ(shown(), F::FrameListFiles);
    const std::vector<std::string> lines = summaryLines();
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[9], "D:\\Apps\\\\Quin4P.xla");
    EXPECT_EQ(lines[22], "D:\\Apps\\\\uninst.exe");
}

TEST_F(SummaryPage, IsRebuiltOnEveryShowing) {
    addUser("Bob", "C:\\Palm\\Bob");
    start();
    toSummaryPage(0);
    EXPECT_EQ(summaryLines()[4], "C:\\Palm\\Alice\\Install\\MathLib.prc");
    back();
    form->ListUsers.select(1);
    fake.spreadsheet.startupPath = "D:\\XL";
    next();
    ASSERT_EQ(shown(), F::FrameListFiles);
    EXPECT_EQ(summaryLines()[0], "D:\\XL\\Quin4P.xla");
    EXPECT_EQ(summaryLines()[4], "C:\\Palm\\Bob\\Install\\MathLib.prc");
    EXPECT_EQ(fake.spreadsheet.objectsCreated, 2);
}

} // namespace
} // namespace wizardtest
