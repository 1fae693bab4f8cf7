// Answers in place of the outside libraries. Each call leaves its arguments in
// the process environment variable Q4P_RECORDED, which outlives the library:
// the program unloads it after every call.
#include "platform/win32/win32.h"

#include <cstring>
#include <string>

namespace {

void record(const std::string& call) {
    SetEnvironmentVariableA("Q4P_RECORDED", call.c_str());
}

int answer(const std::string& text, char* buffer, int* size) {
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    *size = static_cast<int>(text.size());
    return 0;
}

} // namespace

extern "C" {

__declspec(dllexport) int WINAPI PltGetPath(int kind, char* buffer, int* size) {
    record("PltGetPath|" + std::to_string(kind) + "|" + std::to_string(*size));
    answer("C:\\Palm", buffer, size);
    return kind;
}

__declspec(dllexport) int WINAPI PltGetUserCount() {
    record("PltGetUserCount");
    return 3;
}

__declspec(dllexport) int WINAPI PltGetUser(int index, char* buffer, int* size) {
    record("PltGetUser|" + std::to_string(index) + "|" + std::to_string(*size));
    return answer("User" + std::to_string(index), buffer, size);
}

__declspec(dllexport) int WINAPI PltGetUserDirectory(char* user, char* buffer, int* size) {
    record(std::string("PltGetUserDirectory|") + user + "|" + std::to_string(*size));
    return answer(std::string("C:\\Palm\\") + user, buffer, size);
}

__declspec(dllexport) int WINAPI PltInstallFile(char* user, char* path) {
    record(std::string("PltInstallFile|") + user + "|" + path);
    return -5;
}

__declspec(dllexport) int WINAPI dllFindFile(char* start, char* name, char* buffer) {
    record(std::string("dllFindFile|") + start + "|" + name);
    const std::string found = std::string(start) + "\\Office\\" + name;
    std::memcpy(buffer, found.c_str(), found.size() + 1);
    return 1;
}

__declspec(dllexport) int WINAPI
    CreateShortcut(char* path, char* target, char* third, short* flag) {
    record(std::string("CreateShortcut|") + path + "|" + target + "|" + third + "|" +
           std::to_string(*flag));
    *flag = 42;
    return 1;
}

__declspec(dllexport) int WINAPI
    InstallShieldInstallConduit(int first, char* second, char* third, char* fourth, char* fifth) {
    record("InstallShieldInstallConduit|" + std::to_string(first) + "|" + second + "|" + third +
           "|" + fourth + "|" + fifth);
    return 7;
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer() {
    record("DllUnregisterServer");
    return S_FALSE;
}

// What the loading tests call through a pointer they resolved themselves.
__declspec(dllexport) int WINAPI RecorderSum(int a, int b) {
    return a + b;
}

} // extern "C"
