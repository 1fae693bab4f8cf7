#include "check.h"

#include <objbase.h>
#include <oleauto.h>

#include <string>

using check::expect;

namespace {

using RegisterCallFn = HRESULT(WINAPI*)();

const std::string kSpreadsheet = "Software\\Q4P Stand-ins\\Spreadsheet";

struct Reading {
    HRESULT result = E_FAIL;
    std::string text;
};

// Creates "Excel.Application" by its ProgID, as the setup program does, and
// reads StartupPath once.
Reading readStartupPath(const wchar_t* propertyName) {
    Reading reading;
    CLSID clsid;
    IDispatch* application = nullptr;
    reading.result = CLSIDFromProgID(L"Excel.Application", &clsid);
    if (FAILED(reading.result)) {
        return reading;
    }
    reading.result = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                                      reinterpret_cast<void**>(&application));
    if (FAILED(reading.result)) {
        return reading;
    }
    LPOLESTR name = const_cast<LPOLESTR>(propertyName);
    DISPID id = 0;
    reading.result = application->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(reading.result)) {
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        VARIANT value;
        VariantInit(&value);
        EXCEPINFO exception = {};
        reading.result = application->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT,
                                             DISPATCH_PROPERTYGET | DISPATCH_METHOD, &none, &value,
                                             &exception, nullptr);
        if (SUCCEEDED(reading.result) && V_VT(&value) == VT_BSTR) {
            const std::wstring wide(V_BSTR(&value), SysStringLen(V_BSTR(&value)));
            reading.text.assign(wide.begin(), wide.end());
        }
        VariantClear(&value);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
    }
    application->Release();
    return reading;
}

std::string hex(HRESULT result) {
    char text[16];
    wsprintfA(text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

} // namespace

void checkSpreadsheet(HMODULE library, const std::string& libraryPath) {
    const auto registerServer = check::entry<RegisterCallFn>(library, "DllRegisterServer");
    const auto unregisterServer = check::entry<RegisterCallFn>(library, "DllUnregisterServer");
    if (!registerServer || !unregisterServer) {
        return;
    }
    check::deleteKey(kSpreadsheet);
    expect(registerServer() == S_OK, "the spreadsheet stand-in registers itself");
    const std::string server =
        "Software\\Classes\\CLSID\\{6F1B7C3A-2D4E-4B8A-9C61-5A0E7D3F2B18}\\InprocServer32";
    // Machine-wide here: the checks run with the rights to write there.
    expect(check::valueOf(server, nullptr, HKEY_LOCAL_MACHINE) == libraryPath,
           "the class is served by the library's full path: " +
               check::valueOf(server, nullptr, HKEY_LOCAL_MACHINE));
    expect(check::valueOf(server, "ThreadingModel", HKEY_LOCAL_MACHINE) == "Apartment",
           "the class lives in the caller's apartment");

    const Reading unset = readStartupPath(L"StartupPath");
    expect(unset.result == DISP_E_EXCEPTION,
           "StartupPath without a stored value raises an exception: " + hex(unset.result));

    check::setValue(kSpreadsheet, "StartupPath", "C:\\Office\\XLSTART");
    const Reading set = readStartupPath(L"startuppath");
    expect(set.result == S_OK && set.text == "C:\\Office\\XLSTART",
           "StartupPath answers the stored folder, the name taken in any case: " + set.text);
    expect(readStartupPath(L"Visible").result == DISP_E_UNKNOWNNAME, "other names are unknown");
    expect(check::valueOf(kSpreadsheet, "ObjectsCreated") == "3", "every object made is counted");

    expect(unregisterServer() == S_OK, "the spreadsheet stand-in unregisters itself");
    CLSID clsid;
    expect(FAILED(CLSIDFromProgID(L"Excel.Application", &clsid)),
           "after unregistering, Excel.Application is gone");
    check::deleteKey(kSpreadsheet);
}
