// Prints the target of a shell link (.lnk) as the shell resolves it, in UTF-8:
// the demo starts the uninstaller the way the Start menu would.
//
//   link_target.exe "C:\...\Programs\Quintara4Palm\uninstall.lnk"
#include "platform/win32/win32.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>

namespace {

std::wstring widen(const char* text) {
    int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), size);
    out.resize(out.size() - 1);
    return out;
}

std::string utf8(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

// The link's target path, or empty when it cannot be read.
std::wstring targetOf(const std::wstring& link) {
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink)))) {
        return {};
    }
    wchar_t target[MAX_PATH] = {};
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
            FAILED(shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) {
            target[0] = L'\0';
        }
        file->Release();
    }
    shellLink->Release();
    return target;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: link_target LINK\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring target = targetOf(widen(argv[1]));
    CoUninitialize();
    if (target.empty()) {
        return 1;
    }
    std::printf("%s\n", utf8(target.c_str()).c_str());
    return 0;
}
