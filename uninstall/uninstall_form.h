#pragma once

#include "forms/controls.h"
#include "forms/paged_form.h"
#include "install/record/install_record.h"
#include "uninstall/removal.h"
#include "uninstall/uninstall_pages.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace uninstall {

// The uninstaller's window as the core sees it: its controls, its three pages
// and its handlers. The window layer draws it through forms::Form, as it
// draws the setup's.
//
// Start-up reads the record: without one the window says so; with one it
// lists the folders it removes from. Remove carries out the whole removal in
// its click handler, with no question per file, then shows the result.
class UninstallForm : public forms::PagedForm {
public:
    explicit UninstallForm(RemovalServices services);

    // The window and the page frames are the paged form's.
    forms::Button& cancelButton;
    forms::Button& backButton;    // never shown: the removal cannot be taken back
    forms::Button& defaultButton; // "Remove", then "Exit"
    forms::TextBox folderList;
    forms::TextBox stayList;

    // Reads the record and shows the first page.
    void start();
    void defaultClicked();
    void cancelClicked();

    // What the window reads beyond the paged form (forms::Form).
    std::vector<forms::PageLine> pageText(std::size_t page) const override;
    forms::ControlModel control(int id) override;

    std::optional<PageId> currentPage() const;
    const std::optional<RemovalResult>& result() const { return result_; }
    // The process's exit code, however the window was closed: nothing
    // installed, cancelled (nothing touched), or the removal's outcome.
    int exitCode() const;

private:
    // What Next does on a page that does not end the program: the action it
    // runs, then the page it shows. In the order of PageId.
    struct PageFlow {
        void (UninstallForm::*leave)();
        PageId next;
    };
    static const std::array<PageFlow, 1> kPageFlow;

    void leavePage(std::size_t page) override;
    void end(forms::Ending ending) override;
    void show(PageId page) { showPage(indexOf(page)); }
    void remove();

    RemovalServices services_;
    std::optional<install::InstallRecord> record_;
    std::optional<RemovalResult> result_;
};

// The confirmation's list: each recorded folder of a kind this uninstaller
// knows, with what it removes there, one per line.
std::string folderListText(const install::InstallRecord& record);
// The result's list: what stays and why, the record entries refused, then
// what is left to do by hand; empty when nothing stays and nothing is left.
std::string stayListText(const RemovalResult& result);

} // namespace uninstall
