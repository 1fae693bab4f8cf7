#include "wizard/setup_form.h"

#include "platform/error.h"
#include "probes/probes.h"

namespace wizard {

namespace {

// Twips, 1440 to the inch.
constexpr int kOuterWidth = 8325;
constexpr int kOuterHeight = 6120;
constexpr int kPageTop = 1155;
constexpr int kPageWidth = 8250;
constexpr int kPageHeight = 3780;

constexpr const char* kProductFolder = "\\Quintara4Palm";

} // namespace

Setup::Setup(platform::Machine& machine)
    : drive(machine.files), dirList(machine.files), machine_(machine) {
    bNext.onClick = [this] { bNext_Click(); };
    back.onClick = [this] { back_Click(); };
    Cancel.onClick = [this] { Cancel_Click(); };
    DirName.onChange = [this] { DirName_Change(); };
    drive.onChange = [this] { drive_Change(); };
    dirList.onChange = [this] { dirList_Change(); };
    ListUsers.onClick = [this] { ListUsers_Click(); };

    bNext.setCaption("Next");
    back.setCaption("Back");
    Cancel.setCaption("Cancel");

    for (const PageSpec& page : Pages()) {
        frame(page.id).tag = page.tag;
    }
}

void Setup::Form_Load() {
    try {
        // The program-files folder is the one probe that can fail. A machine
        // without a readable registry value still gets a welcome page: the
        // environment usually knows the folder, and the system's known folder
        // does; only when neither answers is the default the bare
        // "\Quintara4Palm" the user must correct on the folder page.
        std::string programFiles;
        try {
            programFiles = Geral::GetProgramFilesDir(machine_);
        } catch (const platform::SetupError&) {
            programFiles = machine_.files.getEnvironment("ProgramFiles");
            if (programFiles.empty()) {
                programFiles = machine_.files.knownProgramFilesFolder();
            }
        }
        state_.installDir = programFiles + kProductFolder;
        state_.excelDir = Geral::GetExcelDir(machine_);
        state_.excelCurVer = Geral::GetExcelCurVer(machine_);
        state_.palmDir = Geral::GetPalmDesktopDir(machine_);
        state_.acrobatDir = Geral::GetAcrobatDir(machine_);
        state_.programsDir = Geral::GetProgramsFolder(machine_);

        window.setOuterHeight(kOuterHeight);
        window.setOuterWidth(kOuterWidth);
        ShowFrame(FrameId::FrameWelcome);
    } catch (...) {
        // The window layer reports the failure through the exit code.
        outcome_ = Outcome::StartFailed;
        throw;
    }
}

bool Setup::currentIs(FrameId page) const {
    return state_.currentFrame && frame(*state_.currentFrame).tag == frame(page).tag;
}

void Setup::ShowFrame(FrameId page) {
    if (state_.currentFrame) {
        frame(*state_.currentFrame).visible = false;
    }
    state_.currentFrame = page;
    platform::Frame& shown = frame(page);
    shown.top = kPageTop;
    shown.left = 0;
    shown.width = kPageWidth;
    shown.height = kPageHeight;
    UpdateButtons();
    InitFrameState();
    shown.visible = true;
}

void Setup::UpdateButtons() {
    back.setVisible(!currentIs(FrameId::FrameWelcome));
    bNext.setCaption(currentIs(FrameId::FrameListFiles) ? "Install" : "Next");
    if (currentIs(FrameId::FrameFinal) || currentIs(FrameId::FrameNFDesktop) ||
        currentIs(FrameId::FrameCloseExcel)) {
        back.setVisible(false);
        Cancel.setVisible(false);
        bNext.setCaption("Exit");
    }
}

std::vector<PageLine> Setup::pageLines(FrameId id) const {
    if (id == FrameId::FrameFinal && report_ && !report_->complete()) {
        return IncompletePageLines();
    }
    return Page(id).lines;
}

} // namespace wizard
