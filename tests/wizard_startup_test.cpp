#include "tests/wizard_fixture.h"

namespace wizardtest {
namespace {

using StartUp = WizardTest;

TEST_F(StartUp, ShowsTheWelcomePageInTheFixedWindowWithTheMachineAnswers) {
    start();

    EXPECT_EQ(shown(), FrameId::FrameWelcome);
    EXPECT_EQ(buttonsOf(*form), kFirstPage);
    EXPECT_TRUE(form->bNext.enabled());
    EXPECT_TRUE(form->Cancel.enabled());
    EXPECT_EQ(form->window.outerWidth(), 8325);
    EXPECT_EQ(form->window.outerHeight(), 6120);
    const forms::Frame& page = form->frame(FrameId::FrameWelcome);
    EXPECT_EQ(page.left, 0);
    EXPECT_EQ(page.top, 1155);
    EXPECT_EQ(page.width, 8250);
    EXPECT_EQ(page.height, 3780);
    EXPECT_EQ(page.tag, "- Windows 95/98/ME/NT/2000/XP");

    const wizard::FormState& state = form->state();
    EXPECT_EQ(state.installDir, "C:\\Program Files\\Quintara4Palm");
    EXPECT_EQ(state.excelDir, "C:\\Office\\");
    EXPECT_EQ(state.excelCurVer, "Excel.Application.9");
    EXPECT_EQ(state.palmDir, "C:\\Palm");
    EXPECT_EQ(state.acrobatDir, "C:\\Acrobat");
    EXPECT_EQ(state.programsDir, "C:\\Menu\\Programs");
    EXPECT_TRUE(state.userName.empty());
    EXPECT_TRUE(state.userDir.empty());
    EXPECT_EQ(form->outcome(), wizard::Outcome::Running);
}

// The window shows the welcome page before the machine is asked; the page
// must look the same before and after the answers come in, and the first
// Next must see them.
TEST_F(StartUp, WelcomePageComesFirstAndTheAnswersFollowUnderIt) {
    seed({});
    fake.windows.windows.push_back({kOwnWindow, "Quintara4Palm Setup"});
    form = std::make_unique<wizard::Setup>(fake.machine);
    form->window.setHandle(kOwnWindow);

    form->showStartPage();
    EXPECT_EQ(shown(), FrameId::FrameWelcome);
    EXPECT_EQ(buttonsOf(*form), kFirstPage);
    EXPECT_EQ(form->window.outerWidth(), 8325);
    EXPECT_EQ(form->state().installDir, "");
    EXPECT_EQ(form->state().palmDir, "");

    form->probeMachine();
    EXPECT_EQ(shown(), FrameId::FrameWelcome);
    EXPECT_EQ(buttonsOf(*form), kFirstPage);
    EXPECT_EQ(form->state().installDir, "C:\\Program Files\\Quintara4Palm");
    EXPECT_EQ(form->state().palmDir, "C:\\Palm");
    EXPECT_EQ(form->outcome(), wizard::Outcome::Running);

    // Without the desktop software's folder this would stop on its notice.
    next();
    EXPECT_EQ(shown(), FrameId::FrameChooseDir);
}

TEST_F(StartUp, EmptyProgramFilesAnswerGivesTheBareDefaultFolder) {
    fake.registry.putString(platform::kHkeyLocalMachine, kCurrentVersion, "ProgramFilesDir", "");
    MachineAnswers answers;
    answers.programFiles.clear();
    start(answers);
    EXPECT_EQ(form->state().installDir, "\\Quintara4Palm");
}

TEST_F(StartUp, UnreadableProgramFilesFallsBackToTheEnvironment) {
    fake.files.setEnvironment("ProgramFiles", "D:\\Programme");
    MachineAnswers answers;
    answers.programFiles.clear();
    start(answers);

    EXPECT_EQ(form->state().installDir, "D:\\Programme\\Quintara4Palm");
    EXPECT_EQ(shown(), FrameId::FrameWelcome);
    EXPECT_EQ(form->outcome(), wizard::Outcome::Running);
}

TEST_F(StartUp, UnreadableProgramFilesWithoutEnvironmentStillShowsTheWelcomePage) {
    MachineAnswers answers;
    answers.programFiles.clear();
    start(answers);

    EXPECT_EQ(form->state().installDir, "\\Quintara4Palm");
    EXPECT_EQ(shown(), FrameId::FrameWelcome);
    EXPECT_EQ(buttonsOf(*form), kFirstPage);
    // The rest of start-up still ran.
    EXPECT_EQ(form->state().palmDir, "C:\\Palm");
    EXPECT_EQ(form->state().programsDir, "C:\\Menu\\Programs");
}

// Numbers where paths are expected: read as text they gave "AAAA\" and paths
// built on it; now they fall back as a missing value does, down to the
// system's known folder when the environment does not say either.
TEST_F(StartUp, PathValuesOfAnotherTypeFallBackAsMissingOnes) {
    const auto hklm = platform::kHkeyLocalMachine;
    fake.registry.putRaw(hklm, kCurrentVersion, "ProgramFilesDir", platform::kRegDword,
                         {'A', 'A', 'A', 'A'});
    fake.registry.putRaw(hklm, std::string(kAppPaths) + "EXCEL.EXE", "Path", platform::kRegDword,
                         {'A', 'A', 'A', 'A'});
    fake.files.setKnownProgramFilesFolder("C:\\Programas");
    // The system derives %ProgramFiles% from that number: no folder either.
    fake.files.setEnvironment("ProgramFiles", "\xe4\x85\x81\xe4\x85\x81");
    MachineAnswers answers;
    answers.programFiles.clear();
    answers.excelPath.clear();
    start(answers);

    EXPECT_EQ(form->state().installDir, "C:\\Programas\\Quintara4Palm");
    // The spreadsheet folder went on to the disk search, which found nothing.
    EXPECT_EQ(form->state().excelDir, "");

    // The environment still comes before the known folder.
    fake.files.setEnvironment("ProgramFiles", "D:\\Programme");
    start(answers);
    EXPECT_EQ(form->state().installDir, "D:\\Programme\\Quintara4Palm");
}

} // namespace
} // namespace wizardtest
