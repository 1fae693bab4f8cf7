#include "wizard/setup_form.h"

#include "common/error.h"
#include "common/text_rules.h"
#include "probes/probes.h"
#include "wizard/control_ids.h"

namespace wizard {

namespace {

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

    for (const common::ButtonSpec& entry : setupWindow().buttons) {
        button(entry.role).setCaption(entry.caption);
    }
    for (std::size_t index = 0; index < kPageCount; ++index) {
        frames_[index].tag = setupWindow().pages[index].tag;
    }
}

common::Button& Setup::button(common::ButtonRole role) {
    switch (role) {
    case common::ButtonRole::Cancel:
        return Cancel;
    case common::ButtonRole::Back:
        return back;
    case common::ButtonRole::Next:
        break;
    }
    return bNext;
}

common::ControlModel Setup::control(int id) {
    namespace ids = q4p::window_ids;
    switch (id) {
    case ids::kDirName:
        return {&DirName};
    case ids::kDrive:
        return {nullptr, nullptr, &drive};
    case ids::kDirList:
        return {nullptr, nullptr, nullptr, &dirList};
    case ids::kListUsers:
        return {nullptr, &ListUsers};
    case ids::kListaFicheiros:
        return {&listaFicheiros};
    case ids::kIncompleteList:
        return {&incompleteList};
    default:
        return {};
    }
}

void Setup::Form_Load() {
    showStartPage();
    probeMachine();
}

void Setup::showStartPage() {
    try {
        window.setOuterHeight(setupWindow().outerHeight);
        window.setOuterWidth(setupWindow().outerWidth);
        ShowFrame(FrameId::FrameWelcome);
    } catch (...) {
        // The window layer reports the failure through the exit code.
        outcome_ = Outcome::StartFailed;
        throw;
    }
}

void Setup::probeMachine() {
    try {
        // The program-files folder is the one probe that can fail. A machine
        // without a readable registry value still gets a welcome page: the
        // environment usually knows the folder, and the system's known folder
        // does; only when neither answers is the default the bare
        // "\Quintara4Palm" the user must correct on the folder page.
        std::string programFiles;
        try {
            programFiles = Geral::GetProgramFilesDir(machine_);
        } catch (const common::SetupError&) {
            // The system derives %ProgramFiles% from the same registry value:
            // stored as a number, it reads as garbage such as "䅁䅁",
            // which is no folder at all.
            programFiles = machine_.files.getEnvironment("ProgramFiles");
            if (!common::isFullPath(programFiles)) {
                programFiles = machine_.files.knownProgramFilesFolder();
            }
        }
        state_.installDir = programFiles + kProductFolder;
        state_.excelDir = Geral::GetExcelDir(machine_);
        state_.excelCurVer = Geral::GetExcelCurVer(machine_);
        state_.palmDir = Geral::GetPalmDesktopDir(machine_);
        state_.acrobatDir = Geral::GetAcrobatDir(machine_);
        state_.programsDir = Geral::GetProgramsFolder(machine_);
    } catch (...) {
        outcome_ = Outcome::StartFailed;
        throw;
    }
}

bool Setup::currentIs(FrameId page) const {
    return state_.currentFrame && frame(*state_.currentFrame).tag == frame(page).tag;
}

const PageSpec& Setup::currentPage() const {
    return page(state_.currentFrame.value_or(FrameId::FrameWelcome));
}

void Setup::ShowFrame(FrameId page) {
    if (state_.currentFrame) {
        frame(*state_.currentFrame).visible = false;
    }
    state_.currentFrame = page;
    common::Frame& shown = frame(page);
    const common::TwipsRect& area = setupWindow().pageArea;
    shown.top = area.top;
    shown.left = area.left;
    shown.width = area.width;
    shown.height = area.height;
    UpdateButtons();
    InitFrameState();
    shown.visible = true;
}

// Back is hidden on the welcome page, Next reads "Install" on the summary,
// and the terminal pages keep only Next, reading "Exit": the page table says
// which. No page follows a terminal page, so Cancel, once hidden, stays so.
void Setup::UpdateButtons() {
    const PageSpec& current = currentPage();
    back.setVisible(current.backShown);
    bNext.setCaption(current.nextCaption);
    Cancel.setVisible(current.cancelShown);
}

std::vector<PageLine> Setup::pageLines(FrameId id) const {
    if (id == FrameId::FrameFinal && report_ && !report_->complete()) {
        return incompletePageLines();
    }
    return page(id).lines;
}

} // namespace wizard
