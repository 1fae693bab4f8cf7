#include "wizard/pages.h"

#include "forms/page_text.h"
#include "install/manifest.h"
#include "wizard/control_ids.h"

namespace wizard {

namespace {

using forms::Ending;
using forms::pageText;
using F = FrameId;
using K = forms::ControlKind;
namespace ids = q4p::window_ids;

// The button row of a page: Next's caption, whether Back and Cancel show.
struct ButtonRow {
    const char* next;
    bool back;
    bool cancel;
};
constexpr ButtonRow kFirst{"Next", false, true};
constexpr ButtonRow kMiddle{"Next", true, true};
constexpr ButtonRow kSummary{"Install", true, true};
// Only Exit leads on from a terminal page.
constexpr ButtonRow kTerminal{"Exit", false, false};

std::optional<std::size_t> to(FrameId id) {
    return indexOf(id);
}

constexpr forms::TwipsRect kSummaryArea{250, 1600, 7815, 2100};

std::vector<PageSpec> makePages() {
    return {
        {"FrameWelcome",
         "- Windows 95/98/ME/NT/2000/XP",
         true,
         pageText({"*This program will install Quintara4Pam on your computer.*", "Requirements:",
                   "\xE2\x80\xA2 Windows 95/98/ME/NT/2000/XP", "\xE2\x80\xA2 Palm Desktop program",
                   "Optional Software", "\xE2\x80\xA2 Microsoft Excel 97/2000/XP",
                   "\xE2\x80\xA2 Adobe Acrobat Reader >= 3", "",
                   "Click *Cancel* to quit Setup and install the required programs.",
                   "Click *Next* to continue with the Setup program."}),
         {},
         kFirst.next,
         kFirst.back,
         kFirst.cancel,
         std::nullopt,
         Ending::None},
        {"FrameNFDesktop",
         "testPalmFrame",
         false,
         pageText({"*Palm Desktop Not Found*",
                   "Quintara4Palm synchronization requires PalmDesktop.", "Please install it.",
                   "Installation failed!"}),
         {},
         kTerminal.next,
         kTerminal.back,
         kTerminal.cancel,
         std::nullopt,
         Ending::Stopped},
        {"FrameNFExcel",
         "testExcelFrame",
         false,
         pageText(
             {"*Microsoft Excel Program Not Found*",
              "Quintara4Palm has a special add-in for Microsoft Excel. The add-in will not be",
              "installed because Microsoft Excel was not found on this machine.You can use any",
              "other spreadsheet compatible with the \"wk1\" standard to open your files."}),
         {},
         kMiddle.next,
         kMiddle.back,
         kMiddle.cancel,
         to(F::FrameWelcome),
         Ending::None},
        {"FrameCloseExcel",
         "",
         false,
         pageText({"*Microsoft Excel Open Window*",
                   "Quintara4Palm has detected an open Microsoft Excel window.",
                   "Please close all Microsoft Excel windows and run Setup again!",
                   "Installation failed!"}),
         {},
         kTerminal.next,
         kTerminal.back,
         kTerminal.cancel,
         std::nullopt,
         Ending::Stopped},
        {"FrameNFExcelVr",
         "testExcelVersionFrame",
         false,
         pageText({"*Incompatible Microsoft Excel Version*",
                   "Setup was unable to detect a compatible Microsoft Excel version.",
                   "Please refer to Quintara4Palm documentation on add-in instalation and",
                   "compatible versions of Microsoft Excel."}),
         {},
         kMiddle.next,
         kMiddle.back,
         kMiddle.cancel,
         to(F::FrameWelcome),
         Ending::None},
        {"FrameNFAcrobat",
         "testAcrobatFrame",
         false,
         pageText({"*Adobe Acrobat Not Found*",
                   "In order to read the documentation, you'll need Acrobat Reader.",
                   "You can download Adobe Acrobat Reader at", kPdfReaderSite}),
         {},
         kMiddle.next,
         kMiddle.back,
         kMiddle.cancel,
         to(F::FrameWelcome),
         Ending::None},
        {"FrameChooseDir",
         "chooseDirFrame",
         false,
         pageText({"*Choose the install directory*"}),
         {{ids::kDirName, K::TextBox, {250, 1380, 4500, 285}, "Install &folder"},
          {ids::kDrive, K::DriveList, {250, 1730, 4500, 315}, "&Drive"},
          {ids::kDirList, K::DirList, {250, 2105, 4500, 1665}, "Folder &list"}},
         kMiddle.next,
         kMiddle.back,
         kMiddle.cancel,
         to(F::FrameWelcome),
         Ending::None},
        {"FrameChooseUser",
         "Frame1",
         false,
         pageText({"*Select owner*"}),
         {{ids::kListUsers, K::ListBox, {250, 1600, 3375, 2010}, "Handheld &user"}},
         kMiddle.next,
         kMiddle.back,
         kMiddle.cancel,
         to(F::FrameChooseDir),
         Ending::None},
        {"FrameListFiles",
         "chooseUserFrame",
         false,
         pageText({"*Click Finish to Install Quintara4Palm*",
                   "The folowing files will be installed in your computer"}),
         {{ids::kListaFicheiros, K::ReadOnlyText, kSummaryArea}},
         kSummary.next,
         kSummary.back,
         kSummary.cancel,
         to(F::FrameChooseUser),
         Ending::None},
        {"FrameFinal",
         "finalFrame",
         false,
         pageText(
             {"*Quintara4Palm Installation Complete*", "Quintara4Palm was successfuly installed!",
              "You may now put your handheld in its cradle and start synchronizing Quintara4Palm"}),
         // Shown below the page text after a run in which some steps failed.
         {{ids::kIncompleteList, K::Note, kSummaryArea}},
         kTerminal.next,
         kTerminal.back,
         kTerminal.cancel,
         std::nullopt,
         Ending::Finished},
    };
}

forms::WindowSpec makeWindow() {
    using forms::ButtonRole;
    // As the eye reads the window: the page's controls from the top, then the
    // buttons from the left (Cancel stands apart at the left, Back and Next
    // at the right).
    return forms::framedWindow("Quintara4Palm Setup", "Next",
                               {{std::nullopt, indexOf(F::FrameChooseDir)},
                                {std::nullopt, indexOf(F::FrameChooseUser)},
                                {std::nullopt, indexOf(F::FrameListFiles)},
                                {std::nullopt, indexOf(F::FrameFinal)},
                                {ButtonRole::Cancel},
                                {ButtonRole::Back},
                                {ButtonRole::Next}},
                               "setup program",
                               "For further information about this setup, please visit ",
                               install::kProductSite, makePages());
}

} // namespace

const forms::WindowSpec& setupWindow() {
    static const forms::WindowSpec window = makeWindow();
    return window;
}

const PageSpec& page(FrameId id) {
    return setupWindow().pages[indexOf(id)];
}

std::vector<PageLine> incompletePageLines() {
    return pageText({"*Quintara4Palm Installation Incomplete*",
                     "Setup could not place everything. These were not installed:"});
}

} // namespace wizard