#pragma once

#include "forms/controls.h"
#include "forms/page_table.h"

#include <cstddef>
#include <vector>

namespace forms {

// The model behind one page control; exactly one pointer is set.
struct ControlModel {
    TextBox* text = nullptr; // TextBox, ReadOnlyText, Note
    ListBox* list = nullptr;
    DriveList* drive = nullptr;
    DirList* folders = nullptr;
};

// What a window needs of a program's form: its page table and the models it
// draws. Each program's form implements it over its own controls and
// handlers; the window forwards the user's actions to these models.
class Form {
public:
    virtual ~Form() = default;

    virtual const WindowSpec& windowTable() const = 0;
    virtual FormWindow& formWindow() = 0;
    virtual Button& button(ButtonRole role) = 0;
    virtual Frame& pageFrame(std::size_t page) = 0;
    // The lines the page picture shows now.
    virtual std::vector<PageLine> pageText(std::size_t page) const = 0;
    // The model of the page control with this id (see ControlSpec::id).
    virtual ControlModel control(int id) = 0;
};

} // namespace forms
