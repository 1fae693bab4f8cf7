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
    const common::Frame& page = form->frame(FrameId::FrameWelcome);
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

} // namespace
} // namespace wizardtest
