#include "check.h"
#include "standins/common/standin_registry.h"

#include <cstdio>
#include <vector>

namespace check {

namespace {
int failureCount = 0;
}

void expect(bool condition, const std::string& what) {
    if (!condition) {
        ++failureCount;
        std::printf("FAILED: %s\n", what.c_str());
        std::fflush(stdout);
    }
}

int failures() {
    return failureCount;
}

std::string programFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string mediaFolder() {
    const std::string testbin = programFolder();
    return testbin.substr(0, testbin.find_last_of('\\')) + "\\media";
}

std::string makeScratch(const std::string& name) {
    char temp[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp, length) + "q4p-" + name + "-" + std::to_string(GetCurrentProcessId());
    removeTree(folder);
    expect(makeFolder(folder), "making the scratch folder " + folder);
    return folder;
}

void removeTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

bool makeFolder(const std::string& folder) {
    return CreateDirectoryA(folder.c_str(), nullptr) != FALSE;
}

bool writeFile(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == content.size();
}

bool readFile(const std::string& path, std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::vector<char> data(GetFileSize(file, nullptr));
    DWORD read = 0;
    const BOOL ok = data.empty() ||
                    ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr);
    CloseHandle(file);
    content.assign(data.data(), read);
    return ok && read == data.size();
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool folderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool setValue(const std::string& key, const char* name, const std::string& value) {
    standins::RegKey handle = standins::createKey(HKEY_CURRENT_USER, key);
    return handle && standins::writeString(handle.get(), name, value);
}

std::string valueOf(const std::string& key, const char* name, HKEY root) {
    std::string value;
    standins::RegKey handle = standins::openKey(root, key);
    if (!handle || !standins::readString(handle.get(), name, value)) {
        return "<missing>";
    }
    return value;
}

// RegDeleteKey removes only a key without subkeys (RegDeleteTree is newer
// than the programs' floor), so the subkeys go first.
void deleteKey(const std::string& key) {
    {
        standins::RegKey handle = standins::openKey(HKEY_CURRENT_USER, key);
        char name[256];
        while (handle && RegEnumKeyA(handle.get(), 0, name, sizeof name) == ERROR_SUCCESS) {
            const std::string child = key + "\\" + name;
            deleteKey(child);
            if (standins::openKey(HKEY_CURRENT_USER, child)) {
                break;
            }
        }
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

FARPROC loadExport(HMODULE module, const char* name) {
    FARPROC function = module ? GetProcAddress(module, name) : nullptr;
    expect(function != nullptr, std::string("export ") + name);
    return function;
}

} // namespace check
