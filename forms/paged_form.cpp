#include "forms/paged_form.h"

namespace forms {

PagedForm::PagedForm(const WindowSpec& table) : table_(table), frames_(table.pages.size()) {
    for (const ButtonSpec& entry : table.buttons) {
        button(entry.role).setCaption(entry.caption);
    }
    for (std::size_t index = 0; index < frames_.size(); ++index) {
        frames_[index].tag = table.pages[index].tag;
    }
}

Button& PagedForm::button(ButtonRole role) {
    switch (role) {
    case ButtonRole::Cancel:
        return cancelButton_;
    case ButtonRole::Back:
        return backButton_;
    case ButtonRole::Next:
        break;
    }
    return nextButton_;
}

const PageSpec& PagedForm::shownEntry() const {
    return table_.pages[shown_.value_or(0)];
}

void PagedForm::showPage(std::size_t page) {
    if (shown_) {
        frames_[*shown_].visible = false;
    }
    shown_ = page;
    Frame& frame = frames_[page];
    const TwipsRect& area = table_.pageArea;
    frame.top = area.top;
    frame.left = area.left;
    frame.width = area.width;
    frame.height = area.height;
    // No page follows a terminal page, so Cancel, once hidden, stays so.
    const PageSpec& entry = table_.pages[page];
    backButton_.setVisible(entry.backShown);
    nextButton_.setCaption(entry.nextCaption);
    cancelButton_.setVisible(entry.cancelShown);
    preparePage(page);
    frame.visible = true;
}

void PagedForm::pressNext() {
    if (!shown_) {
        return;
    }
    if (shownEntry().ending != Ending::None) {
        end(shownEntry().ending);
    } else {
        leavePage(*shown_);
    }
}

void PagedForm::pressBack() {
    const std::optional<std::size_t> target = shownEntry().backTo;
    if (!shown_ || !target) {
        return;
    }
    // A page may disable Next until the user chooses (the user page, a folder
    // page holding a drive root); the page Back leads to needs it again.
    if (!nextButton_.enabled()) {
        nextButton_.setEnabled(true);
    }
    showPage(*target);
}

} // namespace forms
