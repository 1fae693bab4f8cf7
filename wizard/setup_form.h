#pragma once

#include "common/controls.h"
#include "common/exit_codes.h"
#include "common/form.h"
#include "install/run_install.h"
#include "platform/machine.h"
#include "wizard/pages.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace wizard {

// How the wizard ended, for the process's exit code.
using Outcome = common::Outcome;

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
class Setup : public common::Form {
public:
    explicit Setup(platform::Machine& machine);
    Setup(const Setup&) = delete;
    Setup& operator=(const Setup&) = delete;

    // Window and controls.
    common::FormWindow window;
    common::Button bNext;
    common::Button back;
    common::Button Cancel;
    common::TextBox DirName;
    common::DriveList drive;
    common::DirList dirList;
    common::ListBox ListUsers;
    common::TextBox listaFicheiros;
    common::TextBox incompleteList; // on FrameFinal: what could not be placed

    common::Frame& frame(FrameId id) { return frames_[static_cast<std::size_t>(id)]; }
    const common::Frame& frame(FrameId id) const { return frames_[static_cast<std::size_t>(id)]; }
    // The lines the page picture shows now (the completion page changes after
    // an incomplete run).
    std::vector<PageLine> pageLines(FrameId id) const;

    // What the window reads (common::Form).
    const common::WindowSpec& windowTable() const override { return setupWindow(); }
    common::FormWindow& formWindow() override { return window; }
    common::Button& button(common::ButtonRole role) override;
    common::Frame& pageFrame(std::size_t page) override { return frames_[page]; }
    std::vector<PageLine> pageText(std::size_t page) const override {
        return pageLines(static_cast<FrameId>(page));
    }
    common::ControlModel control(int id) override;

    const FormState& state() const { return state_; }
    Outcome outcome() const { return outcome_; }
    const std::optional<install::InstallReport>& installReport() const { return report_; }

    // Event handlers.
    void Form_Load(); // showStartPage, then probeMachine

    // Start-up in two halves, so that the window is on screen while the
    // machine is asked: showStartPage sizes the window and shows the welcome
    // page, which reads nothing the probes answer; probeMachine asks the
    // machine once and keeps the answers. The window runs the second before it
    // handles any input, so every page still sees the answers.
    void showStartPage();
    void probeMachine();
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
    void updateFolderNext();
    // The page table's entry of the current page.
    const PageSpec& currentPage() const;
    // Where Next leads from the welcome page and the notice pages.
    FrameId afterPrerequisitePage();
    // Next on a page whose entry ends the program.
    void finish(common::Ending ending);
    void prepareFolderPage();
    void prepareUserPage();
    void prepareSummaryPage();

    platform::Machine& machine_;
    std::array<common::Frame, kPageCount> frames_;
    FormState state_;
    Outcome outcome_ = Outcome::Running;
    std::optional<install::InstallReport> report_;
};

} // namespace wizard
