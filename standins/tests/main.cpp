// Checks the stand-ins of the outside libraries through their exports, as the
// setup program calls them: the shipped ones from the media folder, the
// spreadsheet stand-in from this program's own folder. It seeds and removes
// keys under HKEY_CURRENT_USER\Software\Q4P Stand-ins, so it runs in a
// throwaway Wine prefix.
#include "check.h"

#include <objbase.h>

#include <cstdio>
#include <string>

namespace {

class Library {
public:
    explicit Library(const std::string& path) : path_(path), module_(LoadLibraryA(path.c_str())) {
        check::expect(module_ != nullptr, "loading " + path);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    ~Library() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    HMODULE get() const { return module_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    HMODULE module_;
};

} // namespace

int main() {
    const std::string media = check::mediaFolder();
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        Library instaide(media + "\\instaide.dll");
        Library quinTool(media + "\\quinTool.dll");
        Library condinst(media + "\\condinst.dll");
        Library quinFrm(media + "\\QuinFrm.dll");
        Library excelStub(check::programFolder() + "\\excelstub.dll");
        checkInstallAide(instaide.get());
        checkToolLibrary(quinTool.get());
        checkConduitAndForm(condinst.get(), quinFrm.get());
        checkSpreadsheet(excelStub.get(), excelStub.path());
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    std::printf("%d failed expectation(s)\n", check::failures());
    return check::failures() == 0 ? 0 : 1;
}
