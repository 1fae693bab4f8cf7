#include "forms/controls.h"

#include "common/error.h"

namespace forms {

void Button::press() {
    if (visible_ && enabled_ && onClick) {
        onClick();
    }
}

void TextBox::setText(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    if (onChange) {
        onChange();
    }
}

void ListBox::clear() {
    items_.clear();
    listIndex_ = -1;
}

void ListBox::addItem(std::string item) {
    items_.push_back(std::move(item));
}

const std::string& ListBox::item(int position) const {
    if (position < 0 || position >= count()) {
        throw common::SetupError("Invalid list position");
    }
    return items_[static_cast<std::size_t>(position)];
}

void ListBox::select(int position) {
    if (position < -1 || position >= count() || position == listIndex_) {
        return;
    }
    listIndex_ = position;
    if (onClick) {
        onClick();
    }
}

void FormWindow::close() {
    if (closed_) {
        return;
    }
    closed_ = true;
    if (onClose) {
        onClose();
    }
}

} // namespace forms
