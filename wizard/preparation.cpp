#include "wizard/setup_form.h"

#include "common/error.h"
#include "handheld/pilot.h"

#include <array>
#include <utility>

namespace wizard {

namespace {

// The summary's 23 lines: which folder each begins with, and the literal
// that follows it with no separator added or removed. The list is the one the
// product has always shown, not derived from the manifest, and differs from
// what the run does on purpose: line 4 names QuinFrm.dll in the Windows
// folder, where the run copies nothing (that copy is the one ExitSetup deletes
// when no installation is recorded); the conduit's helpers condinst.dll,
// condmgr.dll and hsapi.dll are left out because the run deletes them before
// it ends; and QuinTool.dll, License.txt and sleep.exe differ only in letter
// case from the names the run copies, which on Windows names the same files.
enum class Folder { Startup, Excel, Windows, User, Install };

const std::array<std::pair<Folder, const char*>, 23> kSummaryLines = {{
    {Folder::Startup, "\\Quin4P.xla"},        {Folder::Excel, "QuinConv.dll"},
    {Folder::Excel, "instaide.dll"},          {Folder::Windows, "\\QuinFrm.dll"},
    {Folder::User, "\\Install\\MathLib.prc"}, {Folder::User, "\\Install\\Quintara.prc"},
    {Folder::User, "\\Install\\CarLoan.pdb"}, {Folder::User, "\\Install\\Conversion.pdb"},
    {Folder::User, "\\Install\\Planets.pdb"}, {Folder::Install, "\\Quin4P.xla"},
    {Folder::Install, "\\QuinConv.dll"},      {Folder::Install, "\\QuinFrm.dll"},
    {Folder::Install, "\\Quintara.dll"},      {Folder::Install, "\\Quintara.jpg"},
    {Folder::Install, "\\QuinTool.dll"},      {Folder::Install, "\\Quintara.prc"},
    {Folder::Install, "\\Documentation.pdf"}, {Folder::Install, "\\instaide.dll"},
    {Folder::Install, "\\License.txt"},       {Folder::Install, "\\MathLib.prc"},
    {Folder::Install, "\\MathLib.txt"},       {Folder::Install, "\\sleep.exe"},
    {Folder::Install, "\\uninst.exe"},
}};

} // namespace

// Only the folder, user and summary pages are prepared; every other page is
// shown as it stands.
void Setup::InitFrameState() {
    const std::optional<FrameId> current = currentFrame();
    if (current && kPageFlow[indexOf(*current)].prepare != nullptr) {
        (this->*kPageFlow[indexOf(*current)].prepare)();
    }
}

void Setup::prepareFolderPage() {
    // Each assignment below runs the change chain, which rewrites installDir
    // as the lists move; the saved copy is what the page must show and keep.
    const std::string folder = state_.installDir;
    // A folder that does not exist, or a drive that is not ready, leaves the
    // list where it was; the text box still shows the folder.
    constexpr const char* kSkipped = "each step that fails is skipped and the next runs";
    common::ignoreFailure(kSkipped, [&] { drive.selectFromPath(folder); });
    common::ignoreFailure(kSkipped, [&] { dirList.open(folder); });
    common::ignoreFailure(kSkipped, [&] { DirName.setText(folder); });
    state_.installDir = folder;
    updateFolderNext();
}

void Setup::prepareUserPage() {
    ListUsers.clear();
    bNext.setEnabled(false);
    // An install aide that cannot be loaded, or an enumeration that fails,
    // leaves the page with what was listed (possibly nothing) and Next
    // disabled; the user can still go Back or Cancel.
    common::ignoreFailure("the user can still go Back or Cancel", [this] {
        for (const std::string& name : Pilot::GetHandheldUsers(machine_.installAide)) {
            ListUsers.addItem(name);
        }
    });
}

void Setup::prepareSummaryPage() {
    const std::string windowsDir = machine_.files.getEnvironment("WINDIR");
    std::string startupDir;
    // Starts the spreadsheet program through automation on every showing.
    common::ignoreFailure("no spreadsheet program leaves the folder empty",
                          [&] { startupDir = machine_.spreadsheet.readStartupPath(); });

    std::string text;
    bool firstLine = true;
    for (const auto& [folder, literal] : kSummaryLines) {
        if (!firstLine) {
            text += "\r\n";
        }
        firstLine = false;
        switch (folder) {
        case Folder::Startup:
            text += startupDir;
            break;
        case Folder::Excel:
            text += state_.excelDir;
            break;
        case Folder::Windows:
            text += windowsDir;
            break;
        case Folder::User:
            text += state_.userDir;
            break;
        case Folder::Install:
            text += state_.installDir;
            break;
        }
        text += literal;
    }
    listaFicheiros.setText(std::move(text));
}

} // namespace wizard
