// Opens one top-level window with the title given on the command line and
// waits, so that a test can play a program that the wizard must notice (the
// spreadsheet with "Microsoft Excel - Book1"). Prints "ready" once the window
// exists; ends when the window is closed or after the given number of seconds
// (default 120), so that a test that forgets it leaves nothing behind.
//
//   open_window.exe "Microsoft Excel - Book1" [seconds]
#include "platform/win32/win32.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr UINT_PTR kLifetimeTimer = 1;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kLifetimeTimer) {
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

std::wstring widen(const char* text) {
    int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), size);
    out.resize(out.size() - 1);
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: open_window.exe TITLE [SECONDS]\n");
        return 2;
    }
    UINT seconds = argc > 2 ? static_cast<UINT>(std::strtoul(argv[2], nullptr, 10)) : 120;

    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"Q4PTestOpenWindow";
    if (!RegisterClassW(&windowClass)) {
        return 1;
    }
    std::wstring title = widen(argv[1]);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW,
                                  800, 20, 200, 150, nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 1;
    }
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetTimer(window, kLifetimeTimer, seconds * 1000, nullptr);
    std::printf("ready\n");
    std::fflush(stdout);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
