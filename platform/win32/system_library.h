#pragma once

#include "platform/win32/win32.h"

namespace platform::win32 {

// An export of a system library, the library loaded from the system folder by
// the first call that asks for it and kept for the program's life; nullptr
// when the library or the export is missing. COM (ole32, oleaut32) and the
// shell are reached this way rather than linked: linked, the loader maps them
// and everything they import before the first window, although a run needs
// them late (the summary page, the installation) or never.
FARPROC systemExport(const wchar_t* library, const char* name);

template <typename Function> Function systemFunction(const wchar_t* library, const char* name) {
    // Through a pointer to a function without arguments: GCC accepts that
    // cast between unrelated function types without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(systemExport(library, name)));
}

} // namespace platform::win32
