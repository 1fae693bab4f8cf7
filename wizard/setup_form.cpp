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
    : PagedForm(setupWindow()), bNext(nextButton_), back(backButton_), Cancel(cancelButton_),
      drive(machine.files), dirList(machine.files), machine_(machine) {
    bNext.onClick = [this] { bNext_Click(); };
    back.onClick = [this] { back_Click(); };
    Cancel.onClick = [this] { Cancel_Click(); };
    DirName.onChange = [this] { DirName_Change(); };
    drive.onChange = [this] { drive_Change(); };
    dirList.onChange = [this] { dirList_Change(); };
    ListUsers.onClick = [this] { ListUsers_Click(); };
}

forms::ControlModel Setup::control(int id) {
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

std::optional<FrameId> Setup::currentFrame() const {
    if (const std::optional<std::size_t> shown = shownPage()) {
        return static_cast<FrameId>(*shown);
    }
    return std::nullopt;
}

bool Setup::currentIs(FrameId page) const {
    const std::optional<FrameId> current = currentFrame();
    return current && frame(*current).tag == frame(page).tag;
}

// The page table sets the button row (Back hidden on the welcome page, Next
// reading "Install" on the summary and "Exit" on the terminal pages) and the
// page's place; the preparation runs before the page becomes visible.
void Setup::ShowFrame(FrameId page) {
    showPage(indexOf(page));
}

void Setup::preparePage(std::size_t) {
    InitFrameState();
}

std::vector<PageLine> Setup::pageLines(FrameId id) const {
    if (id == FrameId::FrameFinal && report_ && !report_->complete()) {
        return incompletePageLines();
    }
    return page(id).lines;
}

} // namespace wizard
