// The product's form library, reduced to its registration: "Registered" under
// the stand-ins' "QuinFrm" key says whether it is registered, and
// "UnregisterCalls" counts the removals asked for.
#include "platform/win32/win32.h"
#include "standins/common/standin_registry.h"

#include <string>

namespace {

const std::string kFormKey = std::string(standins::kStandInsKey) + "\\QuinFrm";

HRESULT setRegistered(bool registered) {
    standins::RegKey key = standins::createKey(HKEY_CURRENT_USER, kFormKey);
    if (!key || !standins::writeString(key.get(), "Registered", registered ? "1" : "0")) {
        return E_FAIL;
    }
    if (!registered && !standins::incrementCounter(key.get(), "UnregisterCalls")) {
        return E_FAIL;
    }
    return S_OK;
}

} // namespace

extern "C" {

__declspec(dllexport) HRESULT WINAPI DllRegisterServer() {
    try {
        return setRegistered(true);
    } catch (...) {
        // An exported function: no exception may unwind into its C caller.
        return E_FAIL;
    }
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer() {
    try {
        return setRegistered(false);
    } catch (...) {
        // An exported function: no exception may unwind into its C caller.
        return E_FAIL;
    }
}

} // extern "C"
