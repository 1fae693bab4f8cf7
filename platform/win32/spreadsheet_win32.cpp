#include "common/error.h"
#include "common/text_rules.h"
#include "platform/win32/ole_calls.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"
#include "platform/win32/win32_machine.h"

#include <utility>

namespace platform::win32 {

using common::SetupError;

namespace {

// Owns one reference to a COM interface.
template <typename Interface> class ComRef {
public:
    ComRef() = default;
    ~ComRef() { reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }

    explicit operator bool() const { return pointer_ != nullptr; }
    Interface* operator->() const { return pointer_; }
    // For a call that hands out a new reference.
    void** put() {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }

private:
    void reset() {
        if (pointer_ != nullptr) {
            std::exchange(pointer_, nullptr)->Release();
        }
    }

    Interface* pointer_ = nullptr;
};

class ScopedVariant {
public:
    // What VariantInit does, without importing oleaut32 at load time.
    ScopedVariant() : value_{} { value_.vt = VT_EMPTY; }
    ~ScopedVariant() { ole::variantClear(&value_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;

    VARIANT* get() { return &value_; }

private:
    VARIANT value_;
};

// The texts a server hands back with DISP_E_EXCEPTION are the caller's to free.
class ScopedExceptionInfo {
public:
    ScopedExceptionInfo() : info_() {}
    ~ScopedExceptionInfo() {
        ole::sysFreeString(info_.bstrSource);
        ole::sysFreeString(info_.bstrDescription);
        ole::sysFreeString(info_.bstrHelpFile);
    }
    ScopedExceptionInfo(const ScopedExceptionInfo&) = delete;
    ScopedExceptionInfo& operator=(const ScopedExceptionInfo&) = delete;

    EXCEPINFO* get() { return &info_; }

private:
    EXCEPINFO info_;
};

void check(HRESULT result, const char* what) {
    if (FAILED(result)) {
        const auto code = static_cast<unsigned long>(result);
        throw SetupError(std::string(what) + " (0x" + common::hexDigits(code, 8, true) + ")");
    }
}

} // namespace

std::string Win32Spreadsheet::readStartupPath() {
    DelayedComApartment::start();
    CLSID classId;
    check(ole::clsidFromProgId(L"Excel.Application", &classId),
          "ActiveX component can't create object");
    ComRef<IDispatch> application;
    check(ole::coCreateInstance(classId, CLSCTX_SERVER, IID_IDispatch, application.put()),
          "ActiveX component can't create object");

    OLECHAR property[] = L"StartupPath";
    LPOLESTR names[] = {property};
    DISPID id = DISPID_UNKNOWN;
    check(application->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
          "Object doesn't support this property or method");

    DISPPARAMS noArguments = {nullptr, nullptr, 0, 0};
    ScopedVariant value;
    ScopedExceptionInfo exception;
    UINT badArgument = 0;
    check(application->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &noArguments,
                              value.get(), exception.get(), &badArgument),
          "StartupPath cannot be read");
    if (V_VT(value.get()) != VT_BSTR) {
        check(ole::variantChangeType(value.get(), value.get(), 0, VT_BSTR),
              "StartupPath is not a text");
    }
    return utf8Of(V_BSTR(value.get()), ole::sysStringLen(V_BSTR(value.get())));
}

} // namespace platform::win32
