// CreateShortcut: "<path>.url" for a web address, otherwise a shell link
// "<path>.lnk". The third text, when not empty, becomes the link's command-line
// arguments; the flag, when non-zero, says the target is a folder.
#include "platform/win32/win32.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

namespace {

// The bind-context key under which the shell's parser looks for the
// IFileSystemBindData that describes an item it must not look up on disk.
const wchar_t kFileSysBindData[] = L"File System Bind Data";

template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (ptr_ != nullptr) {
            ptr_->Release();
        }
    }
    T* operator->() const { return ptr_; }
    T* get() const { return ptr_; }
    T** put() { return &ptr_; }
    void** putVoid() { return reinterpret_cast<void**>(&ptr_); }

private:
    T* ptr_ = nullptr;
};

// Uninitialises COM only when this call initialised it: the caller may
// already run COM on this thread, possibly in another mode (RPC_E_CHANGED_MODE).
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (initialised_) {
            CoUninitialize();
        }
    }

private:
    bool initialised_;
};

class FolderFindData : public IFileSystemBindData {
public:
    FolderFindData() {
        ZeroMemory(&data_, sizeof(data_));
        data_.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IFileSystemBindData)) {
            *object = static_cast<IFileSystemBindData*>(this);
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
    HRESULT STDMETHODCALLTYPE SetFindData(const WIN32_FIND_DATAW* data) override {
        data_ = *data;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFindData(WIN32_FIND_DATAW* data) override {
        *data = data_;
        return S_OK;
    }

private:
    virtual ~FolderFindData() = default;
    LONG refs_ = 1;
    WIN32_FIND_DATAW data_;
};

std::wstring wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &result[0], length);
    result.resize(static_cast<std::size_t>(length - 1));
    return result;
}

bool startsWithNoCase(const std::string& text, const char* prefix) {
    const std::size_t length = std::char_traits<char>::length(prefix);
    if (text.size() < length) {
        return false;
    }
    std::string head = text.substr(0, length);
    CharLowerBuffA(&head[0], static_cast<DWORD>(head.size()));
    return head == prefix;
}

bool writeInternetShortcut(const std::string& file, const std::string& url) {
    const std::string body = "[InternetShortcut]\r\nURL=" + url + "\r\n";
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(handle, body.data(), static_cast<DWORD>(body.size()), &written, nullptr);
    const BOOL closed = CloseHandle(handle);
    return ok && closed && written == body.size();
}

// SetPath on a folder that does not exist yet would record a file. Parsing the
// path with find data that says "directory" gives the shell's item for a
// folder without the shell looking at the disk.
bool setMissingFolder(IShellLinkA* link, std::string folder) {
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();
    }
    ComPtr<IBindCtx> context;
    if (FAILED(CreateBindCtx(0, context.put()))) {
        return false;
    }
    BIND_OPTS options = {sizeof(options), 0, STGM_CREATE, 0};
    context->SetBindOptions(&options);
    FolderFindData* findData = new FolderFindData();
    const HRESULT registered = context->RegisterObjectParam(
        const_cast<LPOLESTR>(kFileSysBindData), static_cast<IFileSystemBindData*>(findData));
    findData->Release();
    ComPtr<IShellFolder> desktop;
    if (FAILED(registered) || FAILED(SHGetDesktopFolder(desktop.put()))) {
        return false;
    }
    std::wstring path = wide(folder);
    LPITEMIDLIST item = nullptr;
    if (path.empty() || FAILED(desktop->ParseDisplayName(nullptr, context.get(), &path[0], nullptr,
                                                         &item, nullptr))) {
        return false;
    }
    const HRESULT set = link->SetIDList(item);
    CoTaskMemFree(item);
    return SUCCEEDED(set);
}

bool writeShellLink(const std::string& file, const std::string& target, const std::string& third,
                    bool targetIsFolder) {
    ComScope com;
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.putVoid()))) {
        return false;
    }
    const bool missingFolder =
        targetIsFolder && GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (!(missingFolder && setMissingFolder(link.get(), target)) &&
        FAILED(link->SetPath(target.c_str()))) {
        return false;
    }
    if (!third.empty() && FAILED(link->SetArguments(third.c_str()))) {
        return false;
    }
    ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.putVoid()))) {
        return false;
    }
    const std::wstring widePath = wide(file);
    return !widePath.empty() && SUCCEEDED(persist->Save(widePath.c_str(), TRUE));
}

} // namespace

extern "C" __declspec(dllexport) int WINAPI
    CreateShortcut(char* path, char* target, char* third, short* flag) {
    if (path == nullptr || *path == '\0' || target == nullptr || *target == '\0') {
        return 0;
    }
    try {
        const std::string link = path;
        const std::string to = target;
        if (startsWithNoCase(to, "http://") || startsWithNoCase(to, "https://")) {
            return writeInternetShortcut(link + ".url", to) ? 1 : 0;
        }
        const bool folder = flag != nullptr && *flag != 0;
        return writeShellLink(link + ".lnk", to, third ? third : "", folder) ? 1 : 0;
    } catch (...) {
        // An exported function: no exception may unwind into its C caller.
        return 0;
    }
}
