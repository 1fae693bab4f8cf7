#pragma once

#include "install/run_install.h"
#include "platform/controls.h"
#include "platform/machine.h"
#include "wizard/pages.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace wizard {

// How the wizard ended, for the process's exit code.
enum class Outcome {
    Running,     // the window is still open
    Installed,   // Exit after an installation in which every step succeeded
    Incomplete,  // Exit after an installation in which some step failed
    Cancelled,   // Cancel, before any installation in this run
    Stopped,     // Exit from a stopping page (handheld desktop software missing, spreadsheet open)
    StartFailed, // start-up could not complete
};

// The form state, in its declared order.
struct FormState {
    std::optional<FrameId> currentFrame;
    std::string installDir;
    std::string excelDir;
    std::string excelCurVer;
    std::string palmDir;
    std::string acrobatDir;
    std::string programsDir;
    std::string userName;
    std::string userDir;
};

// The wizard's one window: its controls, its pages and every handler. The
// window layer draws what the controls hold and forwards the user's actions to
// the controls (Button::press, TextBox::setText, DriveList::userSelect,
// DirList::open, ListBox::select), which run the handlers below.
class Setup {
public:
    explicit Setup(platform::Machine& machine);
    Setup(const Setup&) = delete;
    Setup& operator=(const Setup&) = delete;

    // Window and controls.
    platform::FormWindow window;
    platform::Button bNext;
    platform::Button back;
    platform::Button Cancel;
    platform::TextBox DirName;
    platform::DriveList drive;
    platform::DirList dirList;
    platform::ListBox ListUsers;
    platform::TextBox listaFicheiros;
    platform::TextBox incompleteList; // on FrameFinal: what could not be placed

    platform::Frame& frame(FrameId id) { return frames_[static_cast<std::size_t>(id)]; }
    const platform::Frame& frame(FrameId id) const { return frames_[static_cast<std::size_t>(id)]; }
    // The lines the page picture shows now (the completion page changes after
    // an incomplete run).
    std::vector<PageLine> pageLines(FrameId id) const;

    const FormState& state() const { return state_; }
    Outcome outcome() const { return outcome_; }
    const std::optional<install::InstallReport>& installReport() const { return report_; }

    // Event handlers.
    void Form_Load();
    void bNext_Click();
    void back_Click();
    void Cancel_Click();
    void drive_Change();
    void dirList_Change();
    void DirName_Change();
    void ListUsers_Click();

    void InitFrameState();

private:
    void ShowFrame(FrameId page);
    void UpdateButtons();
    void ExitSetup();
    void RunInstall();
    // True when the tag of the current page equals the tag of `page` (read afresh).
    bool currentIs(FrameId page) const;
    void prepareFolderPage();
    void prepareUserPage();
    void prepareSummaryPage();

    platform::Machine& machine_;
    std::array<platform::Frame, kPageCount> frames_;
    FormState state_;
    Outcome outcome_ = Outcome::Running;
    std::optional<install::InstallReport> report_;
};

} // namespace wizard
