#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/page_table.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace forms {

// A form whose pages are one table. It owns the window, the three buttons and
// the page frames; it shows a page as the table says (the button row, the
// page area) and handles Next and Back from the page's entry. A program adds
// what its table cannot hold: what Next does on a page that does not end the
// program, how each ending ends it, and what a page needs filled when it is
// shown.
class PagedForm : public Form {
public:
    PagedForm(const PagedForm&) = delete;
    PagedForm& operator=(const PagedForm&) = delete;

    FormWindow window;

    // What the window reads (Form).
    const WindowSpec& windowTable() const final { return table_; }
    FormWindow& formWindow() final { return window; }
    Button& button(ButtonRole role) final;
    Frame& pageFrame(std::size_t page) final { return frames_[page]; }
    const Frame& pageFrame(std::size_t page) const { return frames_[page]; }

    // The page shown now, by its place in the table; none before the first.
    std::optional<std::size_t> shownPage() const { return shown_; }

protected:
    // Captions and tags come from the table, which outlives the form.
    explicit PagedForm(const WindowSpec& table);
    ~PagedForm() override = default;

    // Hides the page shown, places `page` in the page area, sets the button
    // row from its entry, prepares it, and only then makes it visible.
    void showPage(std::size_t page);
    // The entry of the page shown (the first page's before any is shown).
    const PageSpec& shownEntry() const;
    // Next: a page whose entry ends the program ends it; on any other page the
    // program goes on. Before the first page nothing happens.
    void pressNext();
    // Back shows the page the entry names; on a page without one nothing happens.
    void pressBack();

    virtual void leavePage(std::size_t page) = 0;
    virtual void end(Ending ending) = 0;
    virtual void preparePage(std::size_t page) { static_cast<void>(page); }

    Button nextButton_;
    Button backButton_;
    Button cancelButton_;

private:
    const WindowSpec& table_;
    std::vector<Frame> frames_;
    std::optional<std::size_t> shown_;
};

} // namespace forms
