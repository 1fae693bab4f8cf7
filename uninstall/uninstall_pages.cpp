#include "uninstall/uninstall_pages.h"

#include "forms/page_text.h"
#include "install/record/product.h"
#include "uninstall/control_ids.h"

namespace uninstall {

namespace {

using forms::ButtonRole;
using forms::Ending;
using forms::pageText;
using K = forms::ControlKind;
namespace ids = q4p::window_ids;

// A Note's top follows the page text; its bottom is the area's.
constexpr forms::TwipsRect kListArea{250, 1600, 7815, 2100};

std::vector<forms::PageSpec> makePages() {
    return {
        {"FrameConfirm",
         "uninstConfirm",
         false,
         pageText({"*Remove Quintara4Palm*",
                   "Quintara4Palm, its shortcuts and its registry entries will be removed from",
                   "these folders. Files you added, and files another program changed, are kept.",
                   "Click *Remove* to go on, or *Cancel* to keep Quintara4Palm."}),
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
         pageText({"*Nothing to Remove*", "Quintara4Palm is not installed for this user."}),
         {},
         "Exit",
         false,
         false,
         std::nullopt,
         Ending::Stopped},
    };
}

forms::WindowSpec makeWindow() {
    // As the eye reads the window: the lists, then the buttons from the left.
    // Back is never shown.
    return forms::framedWindow("Quintara4Palm Uninstall", "Remove",
                               {{std::nullopt, indexOf(PageId::FrameConfirm)},
                                {std::nullopt, indexOf(PageId::FrameDone)},
                                {ButtonRole::Cancel},
                                {ButtonRole::Back},
                                {ButtonRole::Next}},
                               "uninstall program",
                               "For further information about Quintara4Palm, please visit ",
                               install::kProductSite, makePages());
}

} // namespace

const forms::WindowSpec& uninstallWindow() {
    static const forms::WindowSpec window = makeWindow();
    return window;
}

std::vector<forms::PageLine> donePageLines(bool everythingRemoved, bool anythingToDoByHand) {
    if (!everythingRemoved) {
        return pageText({"*Some of Quintara4Palm Stays*",
                         "Quintara4Palm was removed except for what is listed below. Each item",
                         "says why it stays; remove it by hand once its reason is gone."});
    }
    if (anythingToDoByHand) {
        return pageText({"*Quintara4Palm Uninstall Complete*",
                         "Quintara4Palm was removed from your computer.",
                         "No uninstaller can take back what follows; remove it by hand:"});
    }
    return pageText(
        {"*Quintara4Palm Uninstall Complete*", "Quintara4Palm was removed from your computer."});
}

} // namespace uninstall
