#include "platform/win32/ole_calls.h"

#include "platform/win32/system_library.h"

namespace platform::win32::ole {

namespace {

constexpr const wchar_t* kOle = L"ole32.dll";
constexpr const wchar_t* kAutomation = L"oleaut32.dll";

template <typename Function> Function ole(const char* name) {
    return systemFunction<Function>(kOle, name);
}

template <typename Function> Function automation(const char* name) {
    return systemFunction<Function>(kAutomation, name);
}

} // namespace

HRESULT coInitialize() {
    const auto call = ole<HRESULT(WINAPI*)(void*)>("CoInitialize");
    return call != nullptr ? call(nullptr) : CO_E_DLLNOTFOUND;
}

void coUninitialize() {
    const auto call = ole<void(WINAPI*)()>("CoUninitialize");
    if (call != nullptr) {
        call();
    }
}

HRESULT clsidFromProgId(const wchar_t* progId, CLSID* classId) {
    const auto call = ole<HRESULT(WINAPI*)(LPCOLESTR, CLSID*)>("CLSIDFromProgID");
    return call != nullptr ? call(progId, classId) : CO_E_DLLNOTFOUND;
}

HRESULT coCreateInstance(const CLSID& classId, DWORD context, const IID& interfaceId,
                         void** object) {
    using Function = HRESULT(WINAPI*)(const CLSID&, IUnknown*, DWORD, const IID&, void**);
    const auto call = ole<Function>("CoCreateInstance");
    return call != nullptr ? call(classId, nullptr, context, interfaceId, object)
                           : CO_E_DLLNOTFOUND;
}

HRESULT variantClear(VARIANT* value) {
    const auto call = automation<HRESULT(WINAPI*)(VARIANT*)>("VariantClear");
    return call != nullptr ? call(value) : CO_E_DLLNOTFOUND;
}

HRESULT variantChangeType(VARIANT* to, const VARIANT* from, USHORT flags, VARTYPE type) {
    using Function = HRESULT(WINAPI*)(VARIANT*, const VARIANT*, USHORT, VARTYPE);
    const auto call = automation<Function>("VariantChangeType");
    return call != nullptr ? call(to, from, flags, type) : CO_E_DLLNOTFOUND;
}

void sysFreeString(BSTR text) {
    const auto call = automation<void(WINAPI*)(BSTR)>("SysFreeString");
    if (call != nullptr && text != nullptr) {
        call(text);
    }
}

UINT sysStringLen(BSTR text) {
    const auto call = automation<UINT(WINAPI*)(BSTR)>("SysStringLen");
    return call != nullptr ? call(text) : 0;
}

} // namespace platform::win32::ole
