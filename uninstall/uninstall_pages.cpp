#include "uninstall/uninstall_pages.h"

#include "install/manifest.h"
#include "uninstall/control_ids.h"

namespace uninstall {

namespace {

using common::ButtonRole;
using common::Ending;
using common::PageLine;
using common::TextRun;
using K = common::ControlKind;
namespace ids = q4p::window_ids;

PageLine bold(std::string text) {
    return {TextRun{std::move(text), true}};
}
PageLine plain(std::string text) {
    return {TextRun{std::move(text), false}};
}

// A Note's top follows the page text; its bottom is the area's.
constexpr common::TwipsRect kListArea{250, 1600, 7815, 2100};

std::vector<common::PageSpec> makePages() {
    return {
        {"FrameConfirm",
         "uninstConfirm",
         false,
         {bold("Remove Quintara4Palm"),
          plain("Quintara4Palm, its shortcuts and its registry entries will be removed from"),
          plain("these folders. Files you added, and files another program changed, are kept."),
          {{"Click ", false},
           {"Remove", true},
           {" to go on, or ", false},
           {"Cancel", true},
           {" to keep Quintara4Palm.", false}}},
         {{ids::kFolderList, K::Note, kListArea}},
         "Remove",
         false,
         true,
         std::nullopt,
         Ending::None},
        {"FrameDone",
         "uninstDone",
         false,
         donePageLines(true, false),
         {{ids::kStayList, K::Note, kListArea}},
         "Exit",
         false,
         false,
         std::nullopt,
         Ending::Finished},
        {"FrameNothing",
         "uninstNothing",
         false,
         {bold("Nothing to Remove"), plain("Quintara4Palm is not installed for this user.")},
         {},
         "Exit",
         false,
         false,
         std::nullopt,
         Ending::Stopped},
    };
}

common::WindowSpec makeWindow() {
    return common::WindowSpec{"Quintara4Palm Uninstall",
                              common::kWindowOuterWidth,
                              common::kWindowOuterHeight,
                              common::kWindowClientWidth,
                              common::kWindowClientHeight,
                              common::kPageArea,
                              {{ButtonRole::Cancel, "Cancel", common::kCancelArea},
                               {ButtonRole::Back, "Back", common::kBackArea},
                               {ButtonRole::Next, "Remove", common::kNextArea}},
                              // Back is never shown; the lists come after the buttons.
                              {{ButtonRole::Cancel},
                               {ButtonRole::Next},
                               {ButtonRole::Back},
                               {std::nullopt, indexOf(PageId::FrameConfirm)},
                               {std::nullopt, indexOf(PageId::FrameDone)}},
                              "uninstall program",
                              "For further information about Quintara4Palm, please visit ",
                              install::kProductSite,
                              makePages()};
}

} // namespace

const common::WindowSpec& uninstallWindow() {
    static const common::WindowSpec window = makeWindow();
    return window;
}

std::vector<common::PageLine> donePageLines(bool everythingRemoved, bool anythingToDoByHand) {
    if (!everythingRemoved) {
        return {bold("Some of Quintara4Palm Stays"),
                plain("Quintara4Palm was removed except for what is listed below. Each item"),
                plain("says why it stays; remove it by hand once its reason is gone.")};
    }
    std::vector<common::PageLine> lines{bold("Quintara4Palm Uninstall Complete"),
                                        plain("Quintara4Palm was removed from your computer.")};
    if (anythingToDoByHand) {
        lines.push_back(plain("No uninstaller can take back what follows; remove it by hand:"));
    }
    return lines;
}

} // namespace uninstall
