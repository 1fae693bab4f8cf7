#pragma once

#include "platform/win32/win32.h"

#include <ole2.h>

// The COM and automation functions the programs call, each taken from ole32
// or oleaut32 when called (system_library.h): the few calls of a run do not
// need the address kept. A function the system cannot supply fails with
// CO_E_DLLNOTFOUND; one without a result does nothing.
namespace platform::win32::ole {

HRESULT coInitialize();
void coUninitialize();
HRESULT clsidFromProgId(const wchar_t* progId, CLSID* classId);
HRESULT coCreateInstance(const CLSID& classId, DWORD context, const IID& interfaceId,
                         void** object);

HRESULT variantClear(VARIANT* value);
HRESULT variantChangeType(VARIANT* to, const VARIANT* from, USHORT flags, VARTYPE type);
void sysFreeString(BSTR text);
UINT sysStringLen(BSTR text);

} // namespace platform::win32::ole
