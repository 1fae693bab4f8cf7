#include "platform/win32/win32.h"
#include "platform/win32/win32_machine.h"

namespace platform::win32 {

namespace {

using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCSTR path);
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD flags);

template <typename Function> Function kernelFunction(const char* name) {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    FARPROC address = kernel != nullptr ? GetProcAddress(kernel, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

} // namespace

void hardenLibrarySearch() {
    // XP SP1 and later: "" takes the current folder out of the search order.
    if (const auto setDllDirectory = kernelFunction<SetDllDirectoryFunction>("SetDllDirectoryA")) {
        setDllDirectory("");
    }
    // Windows 7 with KB2533623 and later: a library asked for by bare name
    // (the system's own, delay-loaded ones) comes from the system folder only.
    if (const auto setDefault =
            kernelFunction<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories")) {
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

} // namespace platform::win32
