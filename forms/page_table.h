#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A program's window as data: its size, its buttons, its pages and what each
// page carries. The program's form reads it to set the buttons and to go
// back; the window reads it to make the controls in their keyboard order.
namespace forms {

// Twips, 1440 to the inch; the windows were designed at 15 twips to the pixel.
struct TwipsRect {
    int left, top, width, height;
};

// A run of text within a line; bold runs are drawn in the bold face.
struct TextRun {
    std::string text;
    bool bold = false;
};
inline bool operator==(const TextRun& a, const TextRun& b) {
    return a.text == b.text && a.bold == b.bold;
}
inline bool operator!=(const TextRun& a, const TextRun& b) {
    return !(a == b);
}
using PageLine = std::vector<TextRun>; // an empty line is a blank line

// The frame every program's window shares: its outer and client size, the
// page area below the header banner and the places of the three buttons.
inline constexpr int kWindowOuterWidth = 8325;
inline constexpr int kWindowOuterHeight = 6120;
inline constexpr int kWindowClientWidth = 8250;
inline constexpr int kWindowClientHeight = 5685;
inline constexpr TwipsRect kPageArea{0, 1155, 8250, 3780};
inline constexpr TwipsRect kCancelArea{240, 4950, 1095, 375};
inline constexpr TwipsRect kBackArea{5760, 4950, 1095, 375};
inline constexpr TwipsRect kNextArea{6960, 4950, 1095, 375};

enum class ControlKind {
    TextBox,      // single line, editable
    DriveList,    // one drive, picked from a drop-down list
    DirList,      // the open folder, its parents and its subfolders
    ListBox,      // single selection, unsorted
    ReadOnlyText, // multi-line, vertical scroll bar, read-only
    Note,         // a ReadOnlyText below the page text, shown only while it holds text
};

struct ControlSpec {
    int id; // the control's window id, by which tests find it
    ControlKind kind;
    TwipsRect area; // within the page; a Note's top follows the page text
    // Its name, shown beside it; '&' marks the access key's letter.
    const char* label = nullptr;
};

enum class ButtonRole { Cancel, Back, Next };

// What pressing Next on a page does to the program: nothing special (the
// form's handler goes on), or it ends the program with that outcome.
enum class Ending {
    None,
    Stopped,  // a prerequisite is missing: the program cannot go on
    Finished, // after the run: installed, or incomplete when some step failed
};

struct PageSpec {
    const char* frameName;             // "FrameWelcome"
    const char* tag;                   // the frame's caption, never drawn; identifies the page
    bool welcomeStrip;                 // the sub-header strip's welcome form
    std::vector<PageLine> lines;       // the page picture's text; the first line is the title
    std::vector<ControlSpec> controls; // in keyboard order
    // The button row while the page is shown.
    const char* nextCaption;
    bool backShown;
    bool cancelShown;
    std::optional<std::size_t> backTo; // the page Back shows
    Ending ending;
};

struct ButtonSpec {
    ButtonRole role;
    const char* caption; // before the first page sets it
    TwipsRect area;
};

// One stop of the window's keyboard order: a button, or every control of a page.
struct FocusStop {
    std::optional<ButtonRole> button;
    std::size_t page = 0;
};

struct WindowSpec {
    const char* caption;
    int outerWidth, outerHeight;   // twips, set by start-up
    int clientWidth, clientHeight; // twips, what the layout needs inside the frame
    TwipsRect pageArea;            // where every page is placed
    std::vector<ButtonSpec> buttons;
    // Pages not named here hold no control that takes the keyboard.
    std::vector<FocusStop> focusOrder;
    const char* stripCaption;     // beside the logo in each page's sub-header strip
    const char* footerInvitation; // the footer's note, followed by the site's address
    const char* footerSite;       // the address the footer invites the user to visit
    std::vector<PageSpec> pages;
};

// A window in the shared frame: its size, page area and the three buttons in
// their places; only the caption on Next differs between the programs.
inline WindowSpec framedWindow(const char* caption, const char* nextCaption,
                               std::vector<FocusStop> focusOrder, const char* stripCaption,
                               const char* footerInvitation, const char* footerSite,
                               std::vector<PageSpec> pages) {
    return WindowSpec{caption,
                      kWindowOuterWidth,
                      kWindowOuterHeight,
                      kWindowClientWidth,
                      kWindowClientHeight,
                      kPageArea,
                      {{ButtonRole::Cancel, "Cancel", kCancelArea},
                       {ButtonRole::Back, "Back", kBackArea},
                       {ButtonRole::Next, nextCaption, kNextArea}},
                      std::move(focusOrder),
                      stripCaption,
                      footerInvitation,
                      footerSite,
                      std::move(pages)};
}

} // namespace forms
