// A spreadsheet automation object for the tests and the demo: an in-process
// server of one class whose IDispatch object answers the property
// "StartupPath" from the stand-ins' "Spreadsheet" key. It counts the objects
// made in "ObjectsCreated" under the same key.
#include "platform/win32/win32.h"
#include "standins/common/standin_registry.h"

#include <objbase.h>
#include <oleauto.h>

#include <new>
#include <string>

namespace {

// {6F1B7C3A-2D4E-4B8A-9C61-5A0E7D3F2B18}
const CLSID kStubClsid = {
    0x6f1b7c3a, 0x2d4e, 0x4b8a, {0x9c, 0x61, 0x5a, 0x0e, 0x7d, 0x3f, 0x2b, 0x18}};
const char kStubClsidText[] = "{6F1B7C3A-2D4E-4B8A-9C61-5A0E7D3F2B18}";
const char kProgId[] = "Excel.Application";
constexpr DISPID kStartupPathId = 1;

const std::string kSpreadsheetKey = std::string(standins::kStandInsKey) + "\\Spreadsheet";

HMODULE thisModule = nullptr;
LONG liveObjects = 0;
LONG serverLocks = 0;

class Application : public IDispatch {
public:
    Application() { InterlockedIncrement(&liveObjects); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG refs = InterlockedDecrement(&refs_);
        if (refs == 0) {
            delete this;
        }
        return refs;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_INVALIDARG;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) {
            *info = nullptr;
        }
        return DISP_E_BADINDEX;
    }
    // Automation names are matched without regard to case.
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (names == nullptr || ids == nullptr || count == 0) {
            return E_INVALIDARG;
        }
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
        }
        if (names[0] != nullptr && lstrcmpiW(names[0], L"StartupPath") == 0) {
            ids[0] = kStartupPathId;
        } else {
            result = DISP_E_UNKNOWNNAME;
        }
        return count > 1 ? DISP_E_UNKNOWNNAME : result;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override {
        if (id != kStartupPathId) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if ((flags & DISPATCH_PROPERTYGET) == 0) {
            return DISP_E_MEMBERNOTFOUND;
        }
        std::string path;
        standins::RegKey key = standins::openKey(HKEY_CURRENT_USER, kSpreadsheetKey);
        if (!key || !standins::readString(key.get(), "StartupPath", path)) {
            return fail(exception, L"The start-up folder is not set.");
        }
        if (result == nullptr) {
            return S_OK;
        }
        const int length =
            MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
        BSTR text = SysAllocStringLen(nullptr, static_cast<UINT>(length));
        if (text == nullptr) {
            return E_OUTOFMEMORY;
        }
        MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), text, length);
        VariantInit(result);
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = text;
        return S_OK;
    }

private:
    virtual ~Application() { InterlockedDecrement(&liveObjects); }

    static HRESULT fail(EXCEPINFO* exception, const wchar_t* description) {
        if (exception != nullptr) {
            ZeroMemory(exception, sizeof(*exception));
            exception->bstrSource = SysAllocString(L"Excel.Application");
            exception->bstrDescription = SysAllocString(description);
            exception->scode = E_FAIL;
        }
        return DISP_E_EXCEPTION;
    }

    LONG refs_ = 1;
};

class ClassFactory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // One static factory lives as long as the module: counting is not needed.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        Application* application = new (std::nothrow) Application();
        if (application == nullptr) {
            return E_OUTOFMEMORY;
        }
        const HRESULT result = application->QueryInterface(iid, object);
        application->Release();
        if (SUCCEEDED(result)) {
            standins::RegKey key = standins::createKey(HKEY_CURRENT_USER, kSpreadsheetKey);
            if (key) {
                standins::incrementCounter(key.get(), "ObjectsCreated");
            }
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) {
            InterlockedIncrement(&serverLocks);
        } else {
            InterlockedDecrement(&serverLocks);
        }
        return S_OK;
    }
};

ClassFactory factory;

const std::string kClasses = "Software\\Classes\\";
const std::string kClsidKey = kClasses + "CLSID\\" + kStubClsidText;

bool setDefault(HKEY root, const std::string& path, const std::string& value) {
    standins::RegKey key = standins::createKey(root, path);
    return key && standins::writeString(key.get(), nullptr, value);
}

bool registerUnder(HKEY root, const std::string& module) {
    standins::RegKey server = standins::createKey(root, kClsidKey + "\\InprocServer32");
    return server && standins::writeString(server.get(), nullptr, module) &&
           standins::writeString(server.get(), "ThreadingModel", "Apartment") &&
           setDefault(root, kClsidKey, kProgId) &&
           setDefault(root, kClasses + kProgId + "\\CLSID", kStubClsidText);
}

// Leaves anything else under the "Excel.Application" key (a CurVer seeded by a
// test) in place.
void unregisterUnder(HKEY root) {
    RegDeleteKeyA(root, (kClsidKey + "\\InprocServer32").c_str());
    RegDeleteKeyA(root, kClsidKey.c_str());
    RegDeleteKeyA(root, (kClasses + kProgId + "\\CLSID").c_str());
}

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (!IsEqualCLSID(clsid, kStubClsid)) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return factory.QueryInterface(iid, object);
}

__declspec(dllexport) HRESULT WINAPI DllCanUnloadNow() {
    return liveObjects == 0 && serverLocks == 0 ? S_OK : S_FALSE;
}

// Registers the class machine-wide where allowed, otherwise for the current
// user. Wine reads classes from HKEY_LOCAL_MACHINE only.
__declspec(dllexport) HRESULT WINAPI DllRegisterServer() {
    try {
        char module[MAX_PATH];
        const DWORD length = GetModuleFileNameA(thisModule, module, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return E_FAIL;
        }
        if (registerUnder(HKEY_LOCAL_MACHINE, module)) {
            return S_OK;
        }
        unregisterUnder(HKEY_LOCAL_MACHINE);
        return registerUnder(HKEY_CURRENT_USER, module) ? S_OK : E_FAIL;
    } catch (...) {
        // An exported function: no exception may unwind into its C caller.
        return E_FAIL;
    }
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer() {
    try {
        unregisterUnder(HKEY_LOCAL_MACHINE);
        unregisterUnder(HKEY_CURRENT_USER);
        return S_OK;
    } catch (...) {
        // An exported function: no exception may unwind into its C caller.
        return E_FAIL;
    }
}

} // extern "C"
