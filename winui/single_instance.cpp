#include "winui/single_instance.h"

#include "winui/text.h"

namespace winui {

SingleInstance::SingleInstance(const wchar_t* name) {
    // "Local\": the session's namespace, so that another user's copy on the
    // same machine (fast user switching, terminal services) is no obstacle.
    WideText fullName(L"Local\\");
    fullName += WideText(name);
    SetLastError(ERROR_SUCCESS);
    mutex_.reset(CreateMutexW(nullptr, FALSE, fullName.c_str()));
    const DWORD error = GetLastError();
    // Refused access means the mutex exists but belongs to an elevated copy
    // of this session. Any other failure to make it must not keep the
    // program from running.
    first_ = mutex_ ? error != ERROR_ALREADY_EXISTS : error != ERROR_ACCESS_DENIED;
}

void SingleInstance::bringOtherToFront(const std::string& caption) {
    const WideText name = fromUtf8(caption);
    const HWND other = FindWindowW(name.c_str(), name.c_str());
    if (other == nullptr) {
        return; // still starting up: it shows itself in a moment
    }
    if (IsIconic(other)) {
        ShowWindow(other, SW_RESTORE);
    }
    SetForegroundWindow(other);
}

} // namespace winui
