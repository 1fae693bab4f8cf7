#include "wizard/setup_form.h"

#include "common/error.h"
#include "common/text_rules.h"
#include "install/run_install.h"
#include "platform/registry.h"
#include "probes/probes.h"
#include "probes/registry.h"

namespace wizard {

namespace {

constexpr const char* kExcelTitle = "Microsoft Excel";

bool isSupportedExcelVersion(const std::string& tag) {
    for (const char* supported :
         {"Excel.Application.8", "Excel.Application.9", "Excel.Application.10"}) {
        if (common::equalsIgnoringAsciiCase(tag, supported)) {
            return true;
        }
    }
    return false;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty()) {
            text += "\r\n";
        }
        text += line;
    }
    return text;
}

} // namespace

void Setup::bNext_Click() {
    pressNext();
}

void Setup::leavePage(std::size_t page) {
    const PageFlow& flow = kPageFlow[page];
    if (flow.leave != nullptr) {
        (this->*flow.leave)();
    }
    if (flow.route != nullptr) {
        ShowFrame((this->*flow.route)());
    } else if (flow.next) {
        ShowFrame(*flow.next);
    }
}

// The prerequisite tests, in their order; the first that holds names the page.
FrameId Setup::afterPrerequisitePage() {
    using F = FrameId;
    const bool leavingWelcome = currentIs(F::FrameWelcome);
    if (leavingWelcome && state_.palmDir.empty()) {
        return F::FrameNFDesktop;
    }
    if (leavingWelcome && state_.excelDir.empty()) {
        return F::FrameNFExcel;
    }
    // The only test that looks at the machine again: a spreadsheet opened or
    // closed since start-up counts.
    if (leavingWelcome &&
        Geral::IsExcelWindowOpen(machine_.windows, window.handle(), kExcelTitle)) {
        return F::FrameCloseExcel;
    }
    if (leavingWelcome && !isSupportedExcelVersion(state_.excelCurVer)) {
        return F::FrameNFExcelVr;
    }
    if ((leavingWelcome || currentIs(F::FrameNFExcel) || currentIs(F::FrameNFExcelVr)) &&
        state_.acrobatDir.empty()) {
        return F::FrameNFAcrobat;
    }
    return F::FrameChooseDir;
}

// The terminal pages: the completion page and the two stopping pages.
void Setup::end(forms::Ending ending) {
    if (ending == forms::Ending::Finished) {
        outcome_ = report_ && report_->complete() ? Outcome::Installed : Outcome::Incomplete;
    } else {
        outcome_ = Outcome::Stopped;
    }
    ExitSetup();
}

// The page table says where Back leads from each page; on the pages that hide
// Back it leads nowhere.
void Setup::back_Click() {
    pressBack();
}

void Setup::Cancel_Click() {
    outcome_ = Outcome::Cancelled;
    ExitSetup();
}

void Setup::ExitSetup() {
    if (HandleRegistry::RegValueExists(machine_.registry, install::kProductKey,
                                       install::kInstallDirValue, platform::kHkeyCurrentUser)) {
        window.close();
        return;
    }
    // Without a recorded installation the registration of QuinFrm.dll is
    // undone. A library that cannot be loaded must not trap the user in the
    // wizard: the deletion and the closing still follow.
    common::ignoreFailure("the registration is undone for its effect; its result tells nothing",
                          [this] { machine_.formLibrary.DllUnregisterServer(); });
    // Unset WINDIR would leave "\QuinFrm.dll", a path relative to the current
    // drive's root, which is not the Windows folder: nothing is deleted then.
    const std::string windowsDir = machine_.files.getEnvironment("WINDIR");
    if (!windowsDir.empty()) {
        machine_.files.deleteFile(windowsDir + "\\QuinFrm.dll");
    }
    window.close();
}

void Setup::RunInstall() {
    install::InstallInputs inputs;
    inputs.setupDir = machine_.files.programFolder();
    inputs.installDir = state_.installDir;
    inputs.excelDir = state_.excelDir;
    inputs.programsDir = state_.programsDir;
    inputs.userName = state_.userName;
    inputs.userDir = state_.userDir;
    report_ = install::RunInstall(machine_, inputs);
    incompleteList.setText(joinLines(report_->failed));
}

} // namespace wizard
