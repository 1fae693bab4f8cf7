#include "check.h"

#include <cstring>
#include <string>

using check::expect;

namespace {

using GetPathFn = int(WINAPI*)(int, char*, int*);
using GetUserCountFn = int(WINAPI*)();
using GetUserFn = int(WINAPI*)(int, char*, int*);
using GetUserDirectoryFn = int(WINAPI*)(char*, char*, int*);
using InstallFileFn = int(WINAPI*)(char*, char*);

const std::string kDesktop = "Software\\Q4P Stand-ins\\Handheld Desktop";

std::string userKey(int index) {
    return kDesktop + "\\Users\\" + std::to_string(index);
}

// A 255-character answer buffer with guard bytes behind the capacity the call
// is told, to catch a write past it.
struct Answer {
    char bytes[300];
    int size;
    explicit Answer(int capacity) : size(capacity) { std::memset(bytes, '#', sizeof(bytes)); }
    std::string text() const { return std::string(bytes, size > 0 ? size : 0); }
    bool untouchedFrom(int position) const {
        for (std::size_t i = position; i < sizeof(bytes); ++i) {
            if (bytes[i] != '#') {
                return false;
            }
        }
        return true;
    }
};

void checkDesktopPath(GetPathFn getPath) {
    Answer missing(255);
    expect(getPath(2, missing.bytes, &missing.size) < 0, "PltGetPath without a Path value fails");

    check::setValue(kDesktop, "Path", "C:\\Palm");
    Answer path(255);
    expect(getPath(2, path.bytes, &path.size) == 0, "PltGetPath kind 2 succeeds");
    expect(path.size == 7 && path.text() == "C:\\Palm", "PltGetPath answers the Path value");
    expect(path.bytes[7] == '\0' && path.untouchedFrom(8), "PltGetPath NUL-terminates, no more");

    Answer otherKind(255);
    expect(getPath(1, otherKind.bytes, &otherKind.size) < 0, "PltGetPath fails for kind 1");

    Answer exact(7);
    expect(getPath(2, exact.bytes, &exact.size) == 0 && exact.text() == "C:\\Palm",
           "PltGetPath fills a buffer of exactly the answer's length");
    expect(exact.untouchedFrom(7), "no terminator written past an exactly full buffer");

    Answer small(3);
    expect(getPath(2, small.bytes, &small.size) < 0,
           "PltGetPath refuses an answer that does not fit");
    expect(small.size == 7, "a refused answer reports the length it needs");
    expect(small.untouchedFrom(3), "a refused answer writes nothing past the capacity");
}

void checkUsers(GetUserCountFn count, GetUserFn getUser, GetUserDirectoryFn getDirectory,
                const std::string& scratch) {
    expect(count() == 0, "no Users keys: no users");

    check::setValue(userKey(0), "Name", "Beta");
    check::setValue(userKey(0), "Directory", scratch + "\\Beta");
    check::setValue(userKey(1), "Name", "alpha");
    check::setValue(userKey(1), "Directory", scratch + "\\alpha");
    // After a gap a user is not counted.
    check::setValue(userKey(3), "Name", "Hidden");
    expect(count() == 2, "users are counted up to the first gap in the numbering");

    Answer second(255);
    expect(getUser(1, second.bytes, &second.size) == 0 && second.text() == "alpha",
           "PltGetUser(1) answers the second user's name");
    Answer beyond(255);
    expect(getUser(2, beyond.bytes, &beyond.size) < 0, "PltGetUser past the count fails");
    Answer negative(255);
    expect(getUser(-1, negative.bytes, &negative.size) < 0, "PltGetUser(-1) fails");

    char alpha[] = "alpha";
    Answer folder(255);
    expect(getDirectory(alpha, folder.bytes, &folder.size) == 0 &&
               folder.text() == scratch + "\\alpha",
           "PltGetUserDirectory answers the named user's folder");
    char otherCase[] = "ALPHA";
    Answer wrongCase(255);
    expect(getDirectory(otherCase, wrongCase.bytes, &wrongCase.size) < 0,
           "PltGetUserDirectory matches the name exactly");
    char hidden[] = "Hidden";
    Answer uncounted(255);
    expect(getDirectory(hidden, uncounted.bytes, &uncounted.size) < 0,
           "a user after a numbering gap is unknown");
}

void checkInstallQueue(InstallFileFn install, const std::string& scratch) {
    check::makeFolder(scratch + "\\alpha");
    check::makeFolder(scratch + "\\Beta");
    const std::string source = scratch + "\\MathLib.prc";
    check::writeFile(source, "queued content");

    char alpha[] = "alpha";
    std::string sourceText = source;
    expect(install(alpha, &sourceText[0]) == 0, "PltInstallFile accepts an existing file");
    std::string copied;
    expect(check::readFile(scratch + "\\alpha\\Queue\\MathLib.prc", copied) &&
               copied == "queued content",
           "the accepted file is copied into the user's Queue folder");
    expect(check::valueOf(userKey(1) + "\\Queue", "MathLib.prc") == source,
           "the queue records the file under its name with the source path");

    std::string missing = scratch + "\\Planets.pdb";
    expect(install(alpha, &missing[0]) < 0, "PltInstallFile refuses a missing file");
    expect(check::valueOf(userKey(1) + "\\Queue", "Planets.pdb") == "<missing>",
           "a refused file is not recorded");
    std::string folder = scratch + "\\alpha";
    expect(install(alpha, &folder[0]) < 0, "PltInstallFile refuses a folder");

    char nobody[] = "Nobody";
    expect(install(nobody, &sourceText[0]) < 0, "PltInstallFile refuses an unknown user");

    check::setValue(userKey(0), "Refuse", "1");
    char beta[] = "Beta";
    expect(install(beta, &sourceText[0]) < 0, "PltInstallFile refuses for a user marked Refuse");
    expect(!check::fileExists(scratch + "\\Beta\\Queue\\MathLib.prc"),
           "a refusing user's queue stays empty");
}

void setWide(const std::string& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    const std::wstring path(key.begin(), key.end());
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
    }
}

// Names stored by the desktop software in Unicode: one the system code page
// holds (Latin-1 on a Western one) is answered in it and found again by it;
// ones it cannot hold are not answered as "????", where two users would read
// alike and a pick of the second would send the files to the first.
void checkNamesInTheCodePage(GetUserFn getUser, GetUserDirectoryFn getDirectory,
                             InstallFileFn install, const std::string& scratch) {
    check::deleteKey(kDesktop);
    setWide(userKey(0), L"Name", L"\x0418\x0432\x0430\x043D");
    setWide(userKey(0), L"Directory", std::wstring(scratch.begin(), scratch.end()) + L"\\Ivan");
    setWide(userKey(1), L"Name", L"\x041F\x0435\x0442\x0440");
    setWide(userKey(1), L"Directory", std::wstring(scratch.begin(), scratch.end()) + L"\\Petr");
    setWide(userKey(2), L"Name", L"Jos\x00E9");
    setWide(userKey(2), L"Directory", std::wstring(scratch.begin(), scratch.end()) + L"\\Jose");

    Answer first(255), second(255), latin(255);
    const bool answered =
        getUser(0, first.bytes, &first.size) == 0 || getUser(1, second.bytes, &second.size) == 0;
    expect(!answered, "names outside the code page are not answered as '?'s");
    expect(getUser(2, latin.bytes, &latin.size) == 0 && latin.text() == "Jos\xE9",
           "a name the code page holds is answered in it");

    char question[] = "????";
    Answer none(255);
    expect(getDirectory(question, none.bytes, &none.size) < 0,
           "question marks name none of the users outside the code page");
    std::string source = scratch + "\\Planets.pdb";
    check::writeFile(source, "database");
    expect(install(question, &source[0]) < 0, "nothing is queued for question marks");
    char jose[] = "Jos\xE9";
    Answer folder(255);
    expect(getDirectory(jose, folder.bytes, &folder.size) == 0 &&
               folder.text() == scratch + "\\Jose",
           "the code page's form of a name finds that user");
}

} // namespace

void checkInstallAide(HMODULE library) {
    const auto getPath = check::entry<GetPathFn>(library, "PltGetPath");
    const auto count = check::entry<GetUserCountFn>(library, "PltGetUserCount");
    const auto getUser = check::entry<GetUserFn>(library, "PltGetUser");
    const auto getDirectory = check::entry<GetUserDirectoryFn>(library, "PltGetUserDirectory");
    const auto install = check::entry<InstallFileFn>(library, "PltInstallFile");
    if (!getPath || !count || !getUser || !getDirectory || !install) {
        return;
    }
    const std::string scratch = check::makeScratch("instaide");
    check::deleteKey(kDesktop);
    checkDesktopPath(getPath);
    checkUsers(count, getUser, getDirectory, scratch);
    checkInstallQueue(install, scratch);
    checkNamesInTheCodePage(getUser, getDirectory, install, scratch);
    check::deleteKey(kDesktop);
    check::removeTree(scratch);
}
