#pragma once

#include "common/exit_codes.h"
#include "forms/controls.h"
#include "forms/paged_form.h"
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

// The form state, in its declared order; the current page is the form's
// (Setup::currentFrame).
struct FormState {
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
class Setup : public forms::PagedForm {
public:
    explicit Setup(platform::Machine& machine);

    // Controls; the window and the page frames are the paged form's.
    forms::Button& bNext;
    forms::Button& back;
    forms::Button& Cancel;
    forms::TextBox DirName;
    forms::DriveList drive;
    forms::DirList dirList;
    forms::ListBox ListUsers;
    forms::TextBox listaFicheiros;
    forms::TextBox incompleteList; // on FrameFinal: what could not be placed

    forms::Frame& frame(FrameId id) { return pageFrame(indexOf(id)); }
    const forms::Frame& frame(FrameId id) const { return pageFrame(indexOf(id)); }
    // The lines the page picture shows now (the completion page changes after
    // an incomplete run).
    std::vector<PageLine> pageLines(FrameId id) const;

    // What the window reads beyond the paged form (forms::Form).
    std::vector<PageLine> pageText(std::size_t page) const override {
        return pageLines(static_cast<FrameId>(page));
    }
    forms::ControlModel control(int id) override;

    const FormState& state() const { return state_; }
    std::optional<FrameId> currentFrame() const;
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
    // What a page does beyond its table entry: where Next leads and what it
    // runs first, and what the page needs filled each time it is shown.
    struct PageFlow {
        std::optional<FrameId> next;         // the page Next shows; none on a terminal page
        FrameId (Setup::*route)() = nullptr; // when set, chooses that page instead
        void (Setup::*leave)() = nullptr;    // runs before the next page is shown
        void (Setup::*prepare)() = nullptr;  // fills the page's controls on every showing
    };
    // In the order of FrameId.
    static const std::array<PageFlow, kPageCount> kPageFlow;

    // The paged form's hooks: Next on a page that goes on, a terminal page's
    // Next, the preparation of a page being shown.
    void leavePage(std::size_t page) override;
    void end(forms::Ending ending) override;
    void preparePage(std::size_t page) override;

    void ShowFrame(FrameId page);
    void ExitSetup();
    void RunInstall();
    // True when the tag of the current page equals the tag of `page` (read afresh).
    bool currentIs(FrameId page) const;
    void updateFolderNext();
    // Where Next leads from the welcome page and the notice pages.
    FrameId afterPrerequisitePage();
    void prepareFolderPage();
    void prepareUserPage();
    void prepareSummaryPage();

    platform::Machine& machine_;
    FormState state_;
    Outcome outcome_ = Outcome::Running;
    std::optional<install::InstallReport> report_;
};

} // namespace wizard
