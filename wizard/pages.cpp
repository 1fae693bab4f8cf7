#include "wizard/pages.h"

namespace wizard {

namespace {

PageLine bold(std::string text) {
    return {TextRun{std::move(text), true}};
}
PageLine plain(std::string text) {
    return {TextRun{std::move(text), false}};
}

std::array<PageSpec, kPageCount> makePages() {
    using C = PageControl;
    return {{
        {FrameId::FrameWelcome,
         "FrameWelcome",
         "- Windows 95/98/ME/NT/2000/XP",
         "PicSubCabecalhoWelc",
         SubHeader::Welcome,
         "PicFrameWelcome",
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
         {}},
        {FrameId::FrameNFDesktop,
         "FrameNFDesktop",
         "testPalmFrame",
         "PicSubCabecalho6",
         SubHeader::Plain,
         "PicFrameNFDesktop",
         {bold("Palm Desktop Not Found"),
          plain("Quintara4Palm synchronization requires PalmDesktop."), plain("Please install it."),
          plain("Installation failed!")},
         {}},
        {FrameId::FrameNFExcel,
         "FrameNFExcel",
         "testExcelFrame",
         "PicSubCabecalho4",
         SubHeader::Plain,
         "PicFrameNFExcel",
         {bold("Microsoft Excel Program Not Found"),
          plain("Quintara4Palm has a special add-in for Microsoft Excel. The add-in will not be"),
          plain("installed because Microsoft Excel was not found on this machine.You can use any"),
          plain("other spreadsheet compatible with the \"wk1\" standard to open your files.")},
         {}},
        {FrameId::FrameCloseExcel,
         "FrameCloseExcel",
         "",
         "PicSubCabecalho9",
         SubHeader::Plain,
         "PicFrameCloseExcel",
         {bold("Microsoft Excel Open Window"),
          plain("Quintara4Palm has detected an open Microsoft Excel window."),
          plain("Please close all Microsoft Excel windows and run Setup again!"),
          plain("Installation failed!")},
         {}},
        {FrameId::FrameNFExcelVr,
         "FrameNFExcelVr",
         "testExcelVersionFrame",
         "PicSubCabecalho5",
         SubHeader::Plain,
         "PicFrameNFExcelVr",
         {bold("Incompatible Microsoft Excel Version"),
          plain("Setup was unable to detect a compatible Microsoft Excel version."),
          plain("Please refer to Quintara4Palm documentation on add-in instalation and"),
          plain("compatible versions of Microsoft Excel.")},
         {}},
        {FrameId::FrameNFAcrobat,
         "FrameNFAcrobat",
         "testAcrobatFrame",
         "PicSubCabecalho1",
         SubHeader::Plain,
         "PicFrameNFAcrobat",
         {bold("Adobe Acrobat Not Found"),
          plain("In order to read the documentation, you'll need Acrobat Reader."),
          plain("You can download Adobe Acrobat Reader at"), plain(kPdfReaderSite)},
         {}},
        {FrameId::FrameChooseDir,
         "FrameChooseDir",
         "chooseDirFrame",
         "PicSubCabecalho7",
         SubHeader::Plain,
         "PicFrameChooseDir",
         {bold("Choose the install directory")},
         {C::DirName, C::Drive, C::DirList}},
        {FrameId::FrameChooseUser,
         "FrameChooseUser",
         "Frame1",
         "PicSubCabecalho8",
         SubHeader::Plain,
         "PicFrameListUsers",
         {bold("Select owner")},
         {C::ListUsers}},
        {FrameId::FrameListFiles,
         "FrameListFiles",
         "chooseUserFrame",
         "PicSubCabecalho3",
         SubHeader::Plain,
         "PicFrameFinish",
         {bold("Click Finish to Install Quintara4Palm"),
          plain("The folowing files will be installed in your computer")},
         {C::ListaFicheiros}},
        {FrameId::FrameFinal,
         "FrameFinal",
         "finalFrame",
         "PicSubCabecalho2",
         SubHeader::Plain,
         "PicFrameFinal",
         {bold("Quintara4Palm Installation Complete"),
          plain("Quintara4Palm was successfuly installed!"),
          plain(
              "You may now put your handheld in its cradle and start synchronizing Quintara4Palm")},
         {C::IncompleteList}},
    }};
}

} // namespace

const std::array<PageSpec, kPageCount>& Pages() {
    static const std::array<PageSpec, kPageCount> pages = makePages();
    return pages;
}

const PageSpec& Page(FrameId id) {
    return Pages()[static_cast<std::size_t>(id)];
}

std::vector<PageLine> IncompletePageLines() {
    return {bold("Quintara4Palm Installation Incomplete"),
            plain("Setup could not place everything. These were not installed:")};
}

} // namespace wizard
