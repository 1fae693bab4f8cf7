#include "check.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>
#include <string>

using check::expect;

namespace {

using FindFileFn = int(WINAPI*)(char*, char*, char*);
using CreateShortcutFn = int(WINAPI*)(char*, char*, char*, short*);
using InstallConduitFn = int(WINAPI*)(int, char*, char*, char*, char*);
using RegisterCallFn = HRESULT(WINAPI*)();

int find(FindFileFn findFile, std::string start, std::string name, std::string& found) {
    char buffer[260];
    std::memset(buffer, ' ', sizeof(buffer));
    const int result = findFile(&start[0], &name[0], buffer);
    found = std::memchr(buffer, '\0', sizeof(buffer)) ? std::string(buffer) : "<no NUL>";
    return result;
}

void checkFindFile(FindFileFn findFile, const std::string& scratch) {
    const std::string root = scratch + "\\tree";
    for (const char* folder : {"", "\\a", "\\a\\b", "\\a\\b\\c", "\\x", "\\x\\target.txt"}) {
        check::makeFolder(root + folder);
    }
    check::writeFile(root + "\\a\\b\\c\\Target.TXT", "deep");
    check::writeFile(root + "\\a\\b\\c\\other.txt", "other");

    std::string found;
    expect(find(findFile, root, "target.txt", found) != 0, "dllFindFile finds a nested file");
    expect(found == root + "\\a\\b\\c\\Target.TXT",
           "the found path is the file, not the folder of that name: " + found);
    expect(find(findFile, root + "\\", "TARGET.TXT", found) != 0 &&
               found == root + "\\a\\b\\c\\Target.TXT",
           "a start folder with a trailing backslash: " + found);

    check::writeFile(root + "\\a\\target.txt", "shallow");
    expect(find(findFile, root, "target.txt", found) != 0 && found == root + "\\a\\target.txt",
           "the shallowest match wins: " + found);

    expect(find(findFile, root, "excel.exe", found) == 0,
           "dllFindFile answers 0 for a missing file");
    expect(find(findFile, scratch + "\\absent", "target.txt", found) == 0,
           "dllFindFile answers 0 for a missing start folder");
    expect(find(findFile, "", "target.txt", found) == 0,
           "dllFindFile answers 0 for no start folder");
}

// The target a saved shell link points to, as the shell reads it back.
std::string linkTarget(const std::string& file) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        return "<no shell link>";
    }
    std::string target = "<unreadable>";
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        std::wstring path(file.begin(), file.end());
        char buffer[MAX_PATH] = "";
        if (SUCCEEDED(persist->Load(path.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH))) {
            target = buffer;
        }
        persist->Release();
    }
    link->Release();
    return target;
}

void checkShortcuts(CreateShortcutFn create, const std::string& scratch) {
    const std::string menu = scratch + "\\menu";
    check::makeFolder(menu);
    char empty[] = "";
    short noFlag = 0;
    short folderFlag = -1;

    std::string web = menu + "\\example.org";
    std::string url = "http://www.example.org/";
    expect(create(&web[0], &url[0], empty, &noFlag) == 1, "CreateShortcut makes a web link");
    std::string content;
    expect(check::readFile(web + ".url", content) &&
               content == "[InternetShortcut]\r\nURL=http://www.example.org/\r\n",
           "the web link is an Internet shortcut file: " + content);
    std::string secure = menu + "\\secure";
    std::string secureUrl = "HTTPS://example.org";
    expect(create(&secure[0], &secureUrl[0], empty, &noFlag) == 1 &&
               check::fileExists(secure + ".url") && !check::fileExists(secure + ".lnk"),
           "an https address in capitals also makes a .url file");

    const std::string document = scratch + "\\Documentation.pdf";
    check::writeFile(document, "%PDF-1.4");
    std::string docLink = menu + "\\Documentation";
    std::string docTarget = document;
    expect(create(&docLink[0], &docTarget[0], empty, &noFlag) == 1 &&
               check::fileExists(docLink + ".lnk"),
           "CreateShortcut makes a .lnk for a file");
    expect(linkTarget(docLink + ".lnk") == document, "the .lnk points at the file");

    std::string missingLink = menu + "\\uninstall";
    std::string missingTarget = scratch + "\\not yet\\uninst.exe";
    expect(create(&missingLink[0], &missingTarget[0], empty, &noFlag) == 1 &&
               check::fileExists(missingLink + ".lnk"),
           "a link to a file that does not exist yet is made");
    expect(linkTarget(missingLink + ".lnk") == missingTarget,
           "that link keeps its target: " + linkTarget(missingLink + ".lnk"));

    std::string sheets = menu + "\\Sheets";
    std::string folder = scratch + "\\user\\Quintara4Palm\\";
    expect(create(&sheets[0], &folder[0], empty, &folderFlag) == 1 &&
               check::fileExists(sheets + ".lnk"),
           "a link to a folder that does not exist yet is made");
    const std::string folderTarget = linkTarget(sheets + ".lnk");
    expect(folderTarget == scratch + "\\user\\Quintara4Palm" || folderTarget == folder,
           "the folder link points at the folder: " + folderTarget);
    expect(!check::folderExists(scratch + "\\user"), "making the folder link makes no folder");

    std::string nowhere = scratch + "\\no such folder\\link";
    expect(create(&nowhere[0], &docTarget[0], empty, &noFlag) == 0,
           "CreateShortcut answers 0 when the link cannot be written");
    std::string nowhereWeb = scratch + "\\no such folder\\web";
    expect(create(&nowhereWeb[0], &url[0], empty, &noFlag) == 0,
           "CreateShortcut answers 0 when the web link cannot be written");
}

} // namespace

void checkToolLibrary(HMODULE library) {
    const auto findFile = check::entry<FindFileFn>(library, "dllFindFile");
    const auto create = check::entry<CreateShortcutFn>(library, "CreateShortcut");
    if (!findFile || !create) {
        return;
    }
    const std::string scratch = check::makeScratch("quintool");
    checkFindFile(findFile, scratch);
    checkShortcuts(create, scratch);
    check::removeTree(scratch);
}

void checkConduitAndForm(HMODULE conduit, HMODULE form) {
    const std::string conduits = "Software\\Q4P Stand-ins\\Conduits";
    const std::string formKey = "Software\\Q4P Stand-ins\\QuinFrm";
    const auto install = check::entry<InstallConduitFn>(conduit, "InstallShieldInstallConduit");
    const auto registerForm = check::entry<RegisterCallFn>(form, "DllRegisterServer");
    const auto unregisterForm = check::entry<RegisterCallFn>(form, "DllUnregisterServer");
    if (!install || !registerForm || !unregisterForm) {
        return;
    }
    check::deleteKey(conduits);
    char dir[] = "C:\\Program Files\\Quintara4Palm";
    char zero[] = "0";
    char other[] = "other";
    expect(install(0, dir, dir, dir, zero) == 0, "InstallShieldInstallConduit answers 0");
    expect(install(7, other, dir, other, zero) == 0, "a second registration answers 0");
    expect(check::valueOf(conduits + "\\1", "Arg1") == "0" &&
               check::valueOf(conduits + "\\1", "Arg2") == dir &&
               check::valueOf(conduits + "\\1", "Arg4") == dir &&
               check::valueOf(conduits + "\\1", "Arg5") == "0",
           "the first registration records its arguments under Conduits\\1");
    expect(check::valueOf(conduits + "\\2", "Arg1") == "7" &&
               check::valueOf(conduits + "\\2", "Arg2") == "other" &&
               check::valueOf(conduits + "\\2", "Arg3") == dir,
           "the second registration goes to Conduits\\2");
    check::deleteKey(conduits);

    check::deleteKey(formKey);
    expect(registerForm() == S_OK && check::valueOf(formKey, "Registered") == "1",
           "DllRegisterServer records the registration");
    expect(unregisterForm() == S_OK && check::valueOf(formKey, "Registered") == "0" &&
               check::valueOf(formKey, "UnregisterCalls") == "1",
           "DllUnregisterServer removes it and counts the call");
    expect(unregisterForm() == S_OK && check::valueOf(formKey, "UnregisterCalls") == "2",
           "every DllUnregisterServer call is counted");
    check::deleteKey(formKey);
}
