#include "uninstall/uninstall_form.h"

#include "common/error.h"
#include "uninstall/control_ids.h"
#include "uninstall/removal_plan.h"

namespace uninstall {

namespace {

using install::FolderRole;

// Edit controls break lines at CR LF.
constexpr const char* kNewLine = "\r\n";
constexpr const char* kIndent = "    ";

void addLine(std::string& text, const std::string& line) {
    if (!text.empty()) {
        text += kNewLine;
    }
    text += line;
}

const char* whatGoesFrom(FolderRole role) {
    switch (role) {
    case FolderRole::Install:
        return "the program's files, and the folder once it is empty";
    case FolderRole::Menu:
        return "the Start-menu shortcuts, and the folder once it is empty";
    case FolderRole::Excel:
        return "two libraries, while they are still the setup's copies";
    case FolderRole::Startup:
        return "the spreadsheet add-in, while it is still the setup's copy";
    }
    return "";
}

} // namespace

// Only the confirmation goes on: Remove carries out the removal, then shows
// its result. The result page and the page for no record end the program from
// their table entries.
const std::array<UninstallForm::PageFlow, 1> UninstallForm::kPageFlow = {{
    {&UninstallForm::remove, PageId::FrameDone}, // FrameConfirm
}};

UninstallForm::UninstallForm(RemovalServices services)
    : PagedForm(uninstallWindow()), cancelButton(cancelButton_), backButton(backButton_),
      defaultButton(nextButton_), services_(std::move(services)) {
    defaultButton.onClick = [this] { defaultClicked(); };
    cancelButton.onClick = [this] { cancelClicked(); };
    backButton.setVisible(false);
}

std::optional<PageId> UninstallForm::currentPage() const {
    if (const std::optional<std::size_t> shown = shownPage()) {
        return static_cast<PageId>(*shown);
    }
    return std::nullopt;
}

forms::ControlModel UninstallForm::control(int id) {
    switch (id) {
    case q4p::window_ids::kFolderList:
        return {&folderList};
    case q4p::window_ids::kStayList:
        return {&stayList};
    default:
        return {};
    }
}

std::vector<forms::PageLine> UninstallForm::pageText(std::size_t page) const {
    if (page == indexOf(PageId::FrameDone) && result_) {
        return donePageLines(result_->complete(), !result_->manual.empty());
    }
    return uninstallWindow().pages[page].lines;
}

void UninstallForm::start() {
    // A record that cannot be read at all is no record: nothing is touched.
    try {
        record_ = install::readInstallRecord(services_.registry);
    } catch (const common::SetupError&) {
        record_.reset();
    }
    window.setOuterWidth(uninstallWindow().outerWidth);
    window.setOuterHeight(uninstallWindow().outerHeight);
    if (record_) {
        folderList.setText(folderListText(*record_));
        show(PageId::FrameConfirm);
    } else {
        show(PageId::FrameNothing);
    }
}

void UninstallForm::defaultClicked() {
    pressNext();
}

void UninstallForm::leavePage(std::size_t page) {
    if (page < kPageFlow.size()) {
        (this->*kPageFlow[page].leave)();
        show(kPageFlow[page].next);
    }
}

// Both endings only close the window: the exit code says how it ended.
void UninstallForm::end(forms::Ending) {
    window.close();
}

void UninstallForm::cancelClicked() {
    if (currentPage() == PageId::FrameConfirm) {
        window.close();
    }
}

void UninstallForm::remove() {
    result_ = carryOut(services_, planRemoval(*record_, SystemFolders(services_.files)));
    stayList.setText(stayListText(*result_));
}

int UninstallForm::exitCode() const {
    if (!record_) {
        return kExitNothingInstalled;
    }
    if (!result_) {
        return kExitCancelled;
    }
    return exitCodeOf(result_);
}

std::string folderListText(const install::InstallRecord& record) {
    std::string text;
    for (FolderRole role :
         {FolderRole::Install, FolderRole::Menu, FolderRole::Excel, FolderRole::Startup}) {
        for (const install::RecordedFolder& folder : record.folders) {
            if (folder.role == role) {
                addLine(text, folder.path);
                addLine(text, std::string(kIndent) + whatGoesFrom(role));
            }
        }
    }
    return text;
}

std::string stayListText(const RemovalResult& result) {
    std::string text;
    for (const Stay& stay : result.stays) {
        addLine(text, stay.what);
        addLine(text, std::string(kIndent) + "Stays: " + stay.why + ".");
    }
    for (const Refusal& refusal : result.refused) {
        addLine(text, refusal.entry.empty() ? "(an empty record entry)" : refusal.entry);
        addLine(text, std::string(kIndent) + "Not touched: " + refusal.reason + ".");
    }
    if (!result.manual.empty() && !text.empty()) {
        addLine(text, "");
    }
    for (const ManualStep& step : result.manual) {
        addLine(text, step.what);
        addLine(text, std::string(kIndent) + step.how);
    }
    return text;
}

} // namespace uninstall
