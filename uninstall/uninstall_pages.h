#pragma once

#include "forms/page_table.h"

#include <cstddef>
#include <vector>

namespace uninstall {

// The uninstaller's pages, in the order of its page table.
enum class PageId {
    FrameConfirm, // what will be removed; Cancel or Remove
    FrameDone,    // the result: removed, or what stays and why
    FrameNothing, // no record for this user
};
inline constexpr std::size_t kPageCount = 3;

inline std::size_t indexOf(PageId id) {
    return static_cast<std::size_t>(id);
}

// The uninstaller's window: the setup's size and look, its own caption, two
// buttons at the setup's places (Cancel left, the default button right), and
// its three pages in the order of PageId.
const forms::WindowSpec& uninstallWindow();

// What the result page says: everything went, or some of it stays. The list
// below it names what stays, and what is left to do by hand.
std::vector<forms::PageLine> donePageLines(bool everythingRemoved, bool anythingToDoByHand);

} // namespace uninstall
