#pragma once

#include "platform/files.h"
#include "platform/window_list.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace forms {

// The window controls as the wizard sees them. Each model holds the control's
// value; the window draws what the models hold and forwards what the user does.
//
// Event rules: a change event runs whenever the value changes, from the user
// or from code, at once and nested inside the assignment that caused it (the
// assignment returns after the handler). Setting the value it already has is
// no change and runs nothing.

class Button {
public:
    std::function<void()> onClick;

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    // A press by mouse, Enter or Esc. A hidden or disabled button raises no click.
    void press();

private:
    std::string caption_;
    bool visible_ = true;
    bool enabled_ = true;
};

class TextBox {
public:
    std::function<void()> onChange;

    const std::string& text() const { return text_; }
    // From code, or the user's edit: runs onChange when the text differs.
    void setText(std::string text);

private:
    std::string text_;
};

// Single selection, no sorting; positions from 0, -1 for no selection.
class ListBox {
public:
    std::function<void()> onClick;

    void clear();
    void addItem(std::string item);
    int count() const { return static_cast<int>(items_.size()); }
    const std::string& item(int position) const; // raises SetupError out of range
    int listIndex() const { return listIndex_; }
    // The user selects an entry (mouse or keyboard): runs onClick when the selection changes.
    void select(int position);

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

// The drive list: one selected drive, shown as "c:".
class DriveList {
public:
    explicit DriveList(platform::FileSystem& files);
    std::function<void()> onChange;

    // The selected drive, lower case with its colon ("c:"); empty before the first selection.
    const std::string& drive() const { return drive_; }
    std::vector<char> drives() const;

    // Selects from code by a path; only its drive letter counts. A path without
    // a drive letter, or a drive that is missing or not ready, raises SetupError
    // and leaves the selection as it was. The drive already shown is no change.
    void selectFromPath(const std::string& path);
    // The user picks a drive in the list: it is shown whether or not it is ready.
    void userSelect(char letter);

private:
    void change(char letter);

    platform::FileSystem& files_;
    std::string drive_;
};

// The directory list: one open folder, its parents above it, its subfolders below.
class DirList {
public:
    explicit DirList(platform::FileSystem& files);
    std::function<void()> onChange;

    // The full path of the open folder, its entry -1 ("C:\" for a root,
    // otherwise without a trailing backslash).
    const std::string& path() const { return path_; }

    // Opens a folder by its full path, or a drive's current folder by "x:".
    // A folder that does not exist, or a drive that is not ready, raises
    // SetupError and leaves the list as it was.
    void open(const std::string& path);

    // What the list shows: the open folder's parents from the root down, the
    // open folder, then its subfolders, each as a full path.
    std::vector<std::string> parents() const;
    std::vector<std::string> subfolders() const;

private:
    platform::FileSystem& files_;
    std::string path_;
};

// One page of the wizard: a container whose caption (the tag) is never drawn.
struct Frame {
    std::string tag;
    bool visible = false;
    int left = 0, top = 0, width = 0, height = 0; // twips
};

// The wizard window itself.
class FormWindow {
public:
    std::function<void()> onClose; // the window layer destroys the real window

    platform::WindowHandle handle() const { return handle_; }
    void setHandle(platform::WindowHandle handle) { handle_ = handle; }
    int outerWidth() const { return outerWidth_; }   // twips
    int outerHeight() const { return outerHeight_; } // twips
    void setOuterWidth(int twips) { outerWidth_ = twips; }
    void setOuterHeight(int twips) { outerHeight_ = twips; }
    bool closed() const { return closed_; }
    void close();

private:
    platform::WindowHandle handle_ = 0;
    int outerWidth_ = 0, outerHeight_ = 0;
    bool closed_ = false;
};

} // namespace forms
