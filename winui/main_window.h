#pragma once

#include "forms/form.h"
#include "platform/win32/win32.h"
#include "winui/controls_view.h"
#include "winui/gdi.h"
#include "winui/page_view.h"
#include "winui/painting.h"
#include "winui/text.h"

namespace winui {

// A program's one window, made from its form's page table. It adds no logic
// of its own: each thing the user does is handed to the control models, which
// run the program's handlers; the real controls are then brought in line with
// the models again.
class MainWindow {
public:
    // `iconId` names the program's icon resource; `folders` draws the drive
    // and directory lists, for a program whose pages have them.
    MainWindow(forms::Form& form, HINSTANCE instance, int iconId,
               const FolderControls* folders = nullptr);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window and all its controls, hidden. False when the system
    // refused.
    bool create();
    HWND handle() const { return window_; }

    // Applies the models' outer size and centres the window on the screen;
    // nothing to do while they keep the size the window was made with.
    void applyOuterSize();
    void show(int showCommand);
    // Runs the message loop until the window is gone.
    void run();
    void destroy();

    // True when the window was closed from its system menu or with Alt+F4,
    // which ends the program without the program's own ending.
    bool closedByUser() const { return closedByUser_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool registerClasses() const;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool handlePainting(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool handleKeyboard(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool handleLifetime(UINT message, WPARAM wParam, LRESULT& result);
    LRESULT colourStatic(HDC dc, HWND control) const;
    void takeColours();
    RECT outerRect(int clientWidth, int clientHeight) const;
    RECT placement(int outerWidth, int outerHeight) const;

    void command(int id, int code);
    template <typename Action> void forward(Action action);
    void textEdited(PlacedControl& control);
    void drivePicked(PlacedControl& control);
    void openSelectedFolder(PlacedControl& control);
    void itemPicked(PlacedControl& control);

    bool preTranslate(const MSG& message);
    bool readOnlyTextKey(const MSG& message);
    void sync();
    void keepFocus();
    HWND firstFocus() const;
    bool canTakeFocus(HWND control) const;

    forms::Form& form_;
    HINSTANCE instance_;
    int iconId_;
    WideText className_;
    Scale scale_;
    Fonts fonts_;
    Palette palette_;
    Brush background_; // the window's ground, behind the buttons
    Brush picture_;    // a page's picture, behind its text
    PageViews pages_;
    ControlsView controls_;
    HWND window_ = nullptr;
    HWND savedFocus_ = nullptr;
    bool syncing_ = false; // the window is setting its controls: ignore their notifications
    bool busy_ = false;    // a handler is running: the window takes no input meanwhile
    bool closedByUser_ = false;
};

} // namespace winui
