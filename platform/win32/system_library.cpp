#include "platform/win32/system_library.h"

#include <cwchar>

namespace platform::win32 {

FARPROC systemExport(const wchar_t* library, const char* name) {
    // By full path: a library of the same name beside the program or on the
    // PATH is never the one taken.
    wchar_t path[MAX_PATH];
    const UINT folder = GetSystemDirectoryW(path, MAX_PATH);
    if (folder == 0 || folder + 1 + wcslen(library) >= MAX_PATH) {
        return nullptr;
    }
    path[folder] = L'\\';
    wcscpy(path + folder + 1, library);
    // Never freed: what it hands out is called for the rest of the run. A
    // second load of a loaded library only counts one more reference.
    const HMODULE module = LoadLibraryW(path);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

} // namespace platform::win32
