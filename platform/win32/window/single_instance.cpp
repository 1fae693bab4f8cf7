#include "platform/win32/window/single_instance.h"

#include "platform/win32/window/setup_window.h"

namespace platform::win32 {

namespace {

// "Local\": the session's namespace, so that another user's setup on the same
// machine (fast user switching, terminal services) is no obstacle.
constexpr const wchar_t* kMutexName = L"Local\\Quintara4PalmSetup";

} // namespace

SingleInstance::SingleInstance() {
    SetLastError(ERROR_SUCCESS);
    mutex_ = CreateMutexW(nullptr, FALSE, kMutexName);
    const DWORD error = GetLastError();
    // Refused access means the mutex exists but belongs to an elevated setup
    // of this session. Any other failure to make it must not keep the setup
    // from running.
    first_ = mutex_ != nullptr ? error != ERROR_ALREADY_EXISTS : error != ERROR_ACCESS_DENIED;
}

SingleInstance::~SingleInstance() {
    if (mutex_ != nullptr) {
        CloseHandle(mutex_);
    }
}

void SingleInstance::bringOtherToFront() {
    const HWND other = FindWindowW(kSetupWindowClass, kSetupWindowCaption);
    if (other == nullptr) {
        return; // still starting up: it shows itself in a moment
    }
    if (IsIconic(other)) {
        ShowWindow(other, SW_RESTORE);
    }
    SetForegroundWindow(other);
}

} // namespace platform::win32
