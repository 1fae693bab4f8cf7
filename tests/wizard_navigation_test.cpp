#include "tests/wizard_fixture.h"

namespace wizardtest {
namespace {

using F = FrameId;

// What start-up found, whether a spreadsheet window is open at the press, and
// the pages Next walks through from the welcome page.
struct PrerequisiteCase {
    const char* name;
    bool palm, excel;
    const char* curVer;
    bool acrobat, window;
    std::vector<F> pages;
    bool windowListWalked;
};

void PrintTo(const PrerequisiteCase& c, std::ostream* out) {
    *out << c.name;
}

constexpr F kWelcome = F::FrameWelcome, kFolder = F::FrameChooseDir, kNoExcel = F::FrameNFExcel,
            kBadVersion = F::FrameNFExcelVr, kNoPdf = F::FrameNFAcrobat;

// clang-format off
const PrerequisiteCase kPrerequisites[] = {
    // name, palm desktop, spreadsheet, version tag, PDF reader, spreadsheet window open,
    // the pages seen, whether the window list was walked
    {"AllFound", true, true, "Excel.Application.9", true, false, {kWelcome, kFolder}, true},
    {"NoDesktopOutranksAll", false, false, "", false, true, {kWelcome, F::FrameNFDesktop}, false},
    {"NoSpreadsheetNoPdf", true, false, "", false, true,
     {kWelcome, kNoExcel, kNoPdf, kFolder}, false},
    {"NoSpreadsheet", true, false, "Excel.Application.9", true, false,
     {kWelcome, kNoExcel, kFolder}, false},
    {"OpenWindowOutranksVersion", true, true, "x", false, true,
     {kWelcome, F::FrameCloseExcel}, true},
    {"LaterVersionNoPdf", true, true, "Excel.Application.11", false, false,
     {kWelcome, kBadVersion, kNoPdf, kFolder}, true},
    {"VersionCaseIgnored", true, true, "EXCEL.application.10", true, false,
     {kWelcome, kFolder}, true},
    {"OldestVersion", true, true, "Excel.Application.8", true, false, {kWelcome, kFolder}, true},
    {"VersionOnlyABeginning", true, true, "Excel.Application.1", true, false,
     {kWelcome, kBadVersion, kFolder}, true},
    {"VersionTrailingSpace", true, true, "Excel.Application.9 ", true, false,
     {kWelcome, kBadVersion, kFolder}, true},
    {"NoVersion", true, true, "", true, false, {kWelcome, kBadVersion, kFolder}, true},
    {"NoPdfOnly", true, true, "Excel.Application.9", false, false,
     {kWelcome, kNoPdf, kFolder}, true},
};
// clang-format on

class Prerequisites : public WizardTest, public ::testing::WithParamInterface<PrerequisiteCase> {};

TEST_P(Prerequisites, NextWalksThePagesOfTheMissingPrograms) {
    const PrerequisiteCase& c = GetParam();
    MachineAnswers answers;
    answers.palmPath = c.palm ? "C:\\Palm" : "";
    answers.excelPath = c.excel ? "C:\\Office" : "";
    answers.excelCurVer = c.curVer;
    answers.acrobatPath = c.acrobat ? "C:\\Acrobat" : "";
    if (c.window) {
        openSpreadsheetWindow();
    }
    start(answers);

    std::vector<F> seen{*shown()};
    while (seen.size() < c.pages.size()) {
        next();
        seen.push_back(*shown());
        if (seen.back() != c.pages.back()) {
            EXPECT_EQ(buttonsOf(*form), kMiddlePage) << "on a notice page";
        }
    }
    EXPECT_EQ(seen, c.pages);
    EXPECT_EQ(!fake.windows.examined.empty(), c.windowListWalked);
    EXPECT_EQ(buttonsOf(*form), c.pages.back() == kFolder ? kMiddlePage : kTerminalPage);
    EXPECT_FALSE(form->window.closed());
}

INSTANTIATE_TEST_SUITE_P(Wizard, Prerequisites, ::testing::ValuesIn(kPrerequisites),
                         [](const auto& info) { return std::string(info.param.name); });

// One row of the transition table: the page, its buttons and where Back leads.
struct PageRow {
    F page;
    Buttons buttons;
    F back;
};

void PrintTo(const PageRow& row, std::ostream* out) {
    *out << wizard::page(row.page).frameName;
}

class TransitionRow : public WizardTest, public ::testing::WithParamInterface<PageRow> {
protected:
    void SetUp() override {
        const F page = GetParam().page;
        addUser("Alice", "C:\\Palm\\Alice");
        MachineAnswers answers;
        answers.excelPath = page == kNoExcel ? "" : answers.excelPath;
        answers.excelCurVer = page == kBadVersion ? "Excel.Application.7" : answers.excelCurVer;
        answers.acrobatPath = page == kNoPdf ? "" : answers.acrobatPath;
        start(answers);
        if (page == F::FrameChooseUser) {
            toUserPage();
        } else if (page == F::FrameListFiles) {
            toSummaryPage();
        } else if (page != kWelcome) {
            next();
        }
        ASSERT_EQ(shown(), page);
        EXPECT_EQ(buttonsOf(*form), GetParam().buttons);
    }
};

TEST_P(TransitionRow, BackReturnsToThePreviousStage) {
    back();
    EXPECT_EQ(shown(), GetParam().back);
    EXPECT_EQ(form->bNext.caption(), "Next");
}

TEST_P(TransitionRow, CancelClosesTheWindow) {
    form->Cancel.press();
    EXPECT_TRUE(form->window.closed());
    EXPECT_EQ(form->outcome(), wizard::Outcome::Cancelled);
    EXPECT_EQ(shown(), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(
    Wizard, TransitionRow,
    ::testing::Values(
        PageRow{kWelcome, kFirstPage, kWelcome}, PageRow{kNoExcel, kMiddlePage, kWelcome},
        PageRow{kBadVersion, kMiddlePage, kWelcome}, PageRow{kNoPdf, kMiddlePage, kWelcome},
        PageRow{kFolder, kMiddlePage, kWelcome}, PageRow{F::FrameChooseUser, kMiddlePage, kFolder},
        PageRow{F::FrameListFiles, kSummaryPage, F::FrameChooseUser}),
    [](const auto& info) { return std::string(wizard::page(info.param.page).frameName); });

using Navigation = WizardTest;

TEST_F(Navigation, BackFromTheNoticeChainRunsEveryTestAgainAtTheNextPress) {
    MachineAnswers answers;
    answers.excelCurVer = "Excel.Application.12";
    answers.acrobatPath.clear();
    start(answers);
    next();
    next();
    ASSERT_EQ(shown(), kNoPdf);
    back();
    ASSERT_EQ(shown(), kWelcome) << "not the notice page seen before";

    openSpreadsheetWindow("Book1.xls - Microsoft Excel");
    next();
    EXPECT_EQ(shown(), F::FrameCloseExcel);
}

TEST_F(Navigation, UserPageHoldsNextUntilAPickAndBackReleasesIt) {
    addUser("Alice", "C:\\Palm\\Alice");
    start();
    toUserPage();
    EXPECT_FALSE(form->bNext.enabled());
    next();
    EXPECT_EQ(shown(), F::FrameChooseUser) << "a disabled Next raises no click";

    back();
    EXPECT_EQ(shown(), kFolder);
    EXPECT_TRUE(form->bNext.enabled());
    next();
    ASSERT_EQ(shown(), F::FrameChooseUser);
    form->ListUsers.select(0);
    EXPECT_TRUE(form->bNext.enabled());
}

TEST_F(Navigation, ExitFromAStoppingPageEndsStopped) {
    openSpreadsheetWindow();
    start();
    next();
    ASSERT_EQ(shown(), F::FrameCloseExcel);
    form->Cancel.press();
    form->back_Click();
    EXPECT_FALSE(form->window.closed()) << "Cancel is hidden on a stopping page";
    EXPECT_EQ(shown(), F::FrameCloseExcel);

    next();
    EXPECT_TRUE(form->window.closed());
    EXPECT_EQ(form->outcome(), wizard::Outcome::Stopped);
}

} // namespace
} // namespace wizardtest
