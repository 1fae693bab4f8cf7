#include "wizard/setup_form.h"

namespace wizard {

using F = FrameId;

// Next on the welcome page and the three notice pages runs the prerequisite
// tests; the summary's Next runs the installation before the completion page,
// whatever the run achieved. The terminal pages end the wizard from their
// table entry.
const std::array<Setup::PageFlow, kPageCount> Setup::kPageFlow = {{
    {std::nullopt, &Setup::afterPrerequisitePage},                            // FrameWelcome
    {},                                                                       // FrameNFDesktop
    {std::nullopt, &Setup::afterPrerequisitePage},                            // FrameNFExcel
    {},                                                                       // FrameCloseExcel
    {std::nullopt, &Setup::afterPrerequisitePage},                            // FrameNFExcelVr
    {std::nullopt, &Setup::afterPrerequisitePage},                            // FrameNFAcrobat
    {F::FrameChooseUser, nullptr, nullptr, &Setup::prepareFolderPage},        // FrameChooseDir
    {F::FrameListFiles, nullptr, nullptr, &Setup::prepareUserPage},           // FrameChooseUser
    {F::FrameFinal, nullptr, &Setup::RunInstall, &Setup::prepareSummaryPage}, // FrameListFiles
    {},                                                                       // FrameFinal
}};

} // namespace wizard
