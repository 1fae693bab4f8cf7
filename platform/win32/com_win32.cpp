#include "platform/win32/win32.h"
#include "platform/win32/win32_machine.h"

#include <objbase.h>

namespace platform::win32 {

// S_FALSE (already initialised on this thread) still takes a reference that
// must be given back. RPC_E_CHANGED_MODE means another apartment type owns the
// thread: we took nothing and must give nothing back.
ComApartment::ComApartment() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}

ComApartment::~ComApartment() {
    if (initialised_) {
        CoUninitialize();
    }
}

} // namespace platform::win32
