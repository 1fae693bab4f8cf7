#include "wizard/pages.h"

#include "install/manifest.h"
#include "wizard/control_ids.h"

namespace wizard {

namespace {

PageLine bold(std::string text) {
    return {TextRun{std::move(text), true}};
}
PageLine plain(std::string text) {
    return {TextRun{std::move(text), false}};
}

using common::Ending;
using F = FrameId;
using K = common::ControlKind;
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

constexpr common::TwipsRect kSummaryArea{250, 1600, 7815, 2100};

std::vector<PageSpec> makePages() {
    return {
        {"FrameWelcome",
         "- Windows 95/98/ME/NT/2000/XP",
         true,
         {bold("This program will install Quintara4Pam on your computer."),
          plain("Requirements:"),
          plain("\xE2\x80\xA2 Windows 95/98/ME/NT/2000/XP"),
          plain("\xE2\x80\xA2 Palm Desktop program"),
          plain("Optional Software"),
          plain("\xE2\x80\xA2 Microsoft Excel 97/2000/XP"),
          plain("\xE2\x80\xA2 Adobe Acrobat Reader >= 3"),
          {},
          {{"Click ", false},
           {"Cancel", true},
           {" to quit Setup and install the required programs.", false}},
          {{"Click ", false}, {"Next", true}, {" to continue with the Setup program.", false}}},
         {},
         kFirst.next,
         kFirst.back,
         kFirst.cancel,
         std::nullopt,
         Ending::None},
        {"FrameNFDesktop",
         "testPalmFrame",
         false,
         {bold("Palm Desktop Not Found"),
          plain("Quintara4Palm synchronization requires PalmDesktop."), plain("Please install it."),
          plain("Installation failed!")},
         {},
         kTerminal.next,
         kTerminal.back,
         kTerminal.cancel,
         std::nullopt,
         Ending::Stopped},
        {"FrameNFExcel",
         "testExcelFrame",
         false,
         {bold("Microsoft Excel Program Not Found"),
          plain("Quintara4Palm has a special add-in for Microsoft Excel. The add-in will not be"),
          plain("installed because Microsoft Excel was not found on this machine.You can use any"),
          plain("other spreadsheet compatible with the \"wk1\" standard to open your files.")},
         {},
         kMiddle.next,
         kMiddle.back,
         kMiddle.cancel,
         to(F::FrameWelcome),
         Ending::None},
        {"FrameCloseExcel",
         "",
         false,
         {bold("Microsoft Excel Open Window"),
          plain("Quintara4Palm has detected an open Microsoft Excel window."),
          plain("Please close all Microsoft Excel windows and run Setup again!"),
          plain("Installation failed!")},
         {},
         kTerminal.next,
         kTerminal.back,
         kTerminal.cancel,
         std::nullopt,
         Ending::Stopped},
        {"FrameNFExcelVr",
         "testExcelVersionFrame",
         false,
         {bold("Incompatible Microsoft Excel Version"),
          plain("Setup was unable to detect a compatible Microsoft Excel version."),
          plain("Please refer to Quintara4Palm documentation on add-in instalation and"),
          plain("compatible versions of Microsoft Excel.")},
         {},
         kMiddle.next,
         kMiddle.back,
         kMiddle.cancel,
         to(F::FrameWelcome),
         Ending::None},
        {"FrameNFAcrobat",
         "testAcrobatFrame",
         false,
         {bold("Adobe Acrobat Not Found"),
          plain("In order to read the documentation, you'll need Acrobat Reader."),
          plain("You can download Adobe Acrobat Reader at"), plain(kPdfReaderSite)},
         {},
         kMiddle.next,
         kMiddle.back,
         kMiddle.cancel,
         to(F::FrameWelcome),
         Ending::None},
        {"FrameChooseDir",
         "chooseDirFrame",
         false,
         {bold("Choose the install directory")},
         {{ids::kDirName, K::TextBox, {250, 1380, 4500, 285}},
          {ids::kDrive, K::DriveList, {250, 1730, 4500, 315}},
          {ids::kDirList, K::DirList, {250, 2105, 4500, 1665}}},
         kMiddle.next,
         kMiddle.back,
         kMiddle.cancel,
         to(F::FrameWelcome),
         Ending::None},
        {"FrameChooseUser",
         "Frame1",
         false,
         {bold("Select owner")},
         {{ids::kListUsers, K::ListBox, {250, 1600, 3375, 2010}}},
         kMiddle.next,
         kMiddle.back,
         kMiddle.cancel,
         to(F::FrameChooseDir),
         Ending::None},
        {"FrameListFiles",
         "chooseUserFrame",
         false,
         {bold("Click Finish to Install Quintara4Palm"),
          plain("The folowing files will be installed in your computer")},
         {{ids::kListaFicheiros, K::ReadOnlyText, kSummaryArea}},
         kSummary.next,
         kSummary.back,
         kSummary.cancel,
         to(F::FrameChooseUser),
         Ending::None},
        {"FrameFinal",
         "finalFrame",
         false,
         {bold("Quintara4Palm Installation Complete"),
          plain("Quintara4Palm was successfuly installed!"),
          plain(
              "You may now put your handheld in its cradle and start synchronizing Quintara4Palm")},
         // Shown below the page text after a run in which some steps failed.
         {{ids::kIncompleteList, K::Note, kSummaryArea}},
         kTerminal.next,
         kTerminal.back,
         kTerminal.cancel,
         std::nullopt,
         Ending::Finished},
    };
}

common::WindowSpec makeWindow() {
    using common::ButtonRole;
    common::WindowSpec window{"Quintara4Palm Setup",
                              8325,
                              6120,
                              8250,
                              5685,
                              {0, 1155, 8250, 3780},
                              {{ButtonRole::Cancel, "Cancel", {240, 4950, 1095, 375}},
                               {ButtonRole::Back, "Back", {5760, 4950, 1095, 375}},
                               {ButtonRole::Next, "Next", {6960, 4950, 1095, 375}}},
                              // Cancel, bNext, DirName, drive, dirList, back,
                              // listaFicheiros, ListUsers.
                              {{ButtonRole::Cancel},
                               {ButtonRole::Next},
                               {std::nullopt, indexOf(F::FrameChooseDir)},
                               {ButtonRole::Back},
                               {std::nullopt, indexOf(F::FrameListFiles)},
                               {std::nullopt, indexOf(F::FrameChooseUser)},
                               {std::nullopt, indexOf(F::FrameFinal)}},
                              "setup program",
                              install::kProductSite,
                              makePages()};
    return window;
}

} // namespace

const common::WindowSpec& setupWindow() {
    static const common::WindowSpec window = makeWindow();
    return window;
}

const PageSpec& page(FrameId id) {
    return setupWindow().pages[indexOf(id)];
}

std::vector<PageLine> incompletePageLines() {
    return {bold("Quintara4Palm Installation Incomplete"),
            plain("Setup could not place everything. These were not installed:")};
}

} // namespace wizard