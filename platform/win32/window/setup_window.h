#pragma once

#include "platform/win32/win32.h"
#include "platform/win32/window/controls_view.h"
#include "platform/win32/window/dpi.h"
#include "platform/win32/window/gdi.h"
#include "platform/win32/window/page_view.h"
#include "platform/win32/window/painting.h"
#include "wizard/setup_form.h"

namespace platform::win32 {

// The main window's class and caption, by which a second start finds it.
inline constexpr const wchar_t* kSetupWindowClass = L"Quintara4Palm Setup";
inline constexpr const wchar_t* kSetupWindowCaption = L"Quintara4Palm Setup";

// The wizard's one window. It adds no logic of its own: each thing the user
// does is handed to the control models, which run the wizard's handlers; the
// real controls are then brought in line with the models again.
class SetupWindow {
public:
    SetupWindow(wizard::Setup& setup, HINSTANCE instance);
    ~SetupWindow();
    SetupWindow(const SetupWindow&) = delete;
    SetupWindow& operator=(const SetupWindow&) = delete;

    // Creates the window and all its controls, hidden. False when the system
    // refused.
    bool create();
    HWND handle() const { return window_; }

    // Applies the models' outer size and centres the window on the screen.
    void applyOuterSize();
    void show(int showCommand);
    // Runs the message loop until the window is gone.
    void run();
    void destroy();

    // True when the window was closed from its system menu or with Alt+F4,
    // which ends the program without the wizard's own ending.
    bool closedByUser() const { return closedByUser_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void command(int id, int code);
    template <typename Action> void forward(Action action);
    void openSelectedFolder();
    bool preTranslate(const MSG& message);
    void sync();
    void keepFocus();
    HWND firstFocus() const;
    bool canTakeFocus(HWND control) const;

    wizard::Setup& setup_;
    HINSTANCE instance_;
    Scale scale_;
    Fonts fonts_;
    Brush background_;
    PageViews pages_;
    ControlsView controls_;
    HWND window_ = nullptr;
    HWND savedFocus_ = nullptr;
    bool syncing_ = false; // the window is setting its controls: ignore their notifications
    bool busy_ = false;    // a handler is running: the window takes no input meanwhile
    bool closedByUser_ = false;
};

} // namespace platform::win32
