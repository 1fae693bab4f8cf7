#include "platform/win32/services_win32.h"
#include "platform/win32/win32.h"
#include "probes/probes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::WindowHandle;
using platform::win32::Win32WindowList;

// A top-level window of this process, never shown: the walk sees hidden windows too.
class TopLevelWindow {
public:
    explicit TopLevelWindow(const std::string& title) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "Q4PBackendTestWindow";
        RegisterClassA(&windowClass); // fails harmlessly when already registered
        window_ = CreateWindowExA(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW,
                                  0, 0, 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
        EXPECT_NE(window_, nullptr) << title;
    }
    ~TopLevelWindow() { destroy(); }
    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;

    void destroy() {
        if (window_ != nullptr) {
            DestroyWindow(window_);
            window_ = nullptr;
        }
    }
    WindowHandle handle() const {
        return static_cast<WindowHandle>(reinterpret_cast<ULONG_PTR>(window_));
    }

private:
    HWND window_ = nullptr;
};

TEST(WinWindowList, WalkFindsAnOpenSpreadsheetWindowUntilItCloses) {
    Win32WindowList windows;
    TopLevelWindow wizard("Quintara4Palm Setup");
    EXPECT_FALSE(Geral::IsExcelWindowOpen(windows, wizard.handle(), "Microsoft Excel"));

    TopLevelWindow spreadsheet("Microsoft Excel - Book1");
    EXPECT_TRUE(Geral::IsExcelWindowOpen(windows, wizard.handle(), "Microsoft Excel"));

    spreadsheet.destroy();
    EXPECT_FALSE(Geral::IsExcelWindowOpen(windows, wizard.handle(), "Microsoft Excel"));
}

TEST(WinWindowList, TitleIsCutToTheCountOffered) {
    Win32WindowList windows;
    // The search text starts within the 198 characters read but does not end there.
    TopLevelWindow longTitle(std::string(190, 'x') + "Microsoft Excel - Book1");
    char buffer[200] = {};
    windows.getWindowText(longTitle.handle(), buffer, 199);
    EXPECT_EQ(std::string(buffer), std::string(190, 'x') + "Microsof");
    EXPECT_FALSE(Geral::IsExcelWindowOpen(windows, longTitle.handle(), "Microsoft Excel"));
}

TEST(WinWindowList, UnreadableTitleLeavesTheBufferAlone) {
    Win32WindowList windows;
    TopLevelWindow gone("q4p gone");
    const WindowHandle handle = gone.handle();
    gone.destroy();
    char buffer[8] = {'k', 'e', 'e', 'p', 0, 0, 0, 0};
    windows.getWindowText(handle, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "keep");
}

} // namespace
