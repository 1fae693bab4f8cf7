#include "platform/win32/library_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/win32.h"

namespace platform::win32 {

namespace {

constexpr const char* kInstallAide = "instaide.dll";

// The install aide's entry points: ANSI texts, results and sizes as 32-bit
// integers, the size in/out through a pointer.
using PltGetPathFunction = int(WINAPI*)(int pathKind, char* buffer, int* size);
using PltGetUserCountFunction = int(WINAPI*)();
using PltGetUserFunction = int(WINAPI*)(int index, char* buffer, int* size);
using PltGetUserDirectoryFunction = int(WINAPI*)(char* userName, char* buffer, int* size);
using PltInstallFileFunction = int(WINAPI*)(char* userName, char* filePath);

} // namespace

std::int32_t Win32InstallAide::PltGetPath(std::int32_t pathKind, char* buffer, std::int32_t& size) {
    Library library(kInstallAide);
    const auto function = library.function<PltGetPathFunction>("PltGetPath");
    return function(pathKind, buffer, &size);
}

std::int32_t Win32InstallAide::PltGetUserCount() {
    Library library(kInstallAide);
    const auto function = library.function<PltGetUserCountFunction>("PltGetUserCount");
    return function();
}

std::int32_t Win32InstallAide::PltGetUser(std::int32_t index, char* buffer, std::int32_t& size) {
    Library library(kInstallAide);
    const auto function = library.function<PltGetUserFunction>("PltGetUser");
    return function(index, buffer, &size);
}

std::int32_t Win32InstallAide::PltGetUserDirectory(const std::string& userName, char* buffer,
                                                   std::int32_t& size) {
    Library library(kInstallAide);
    const auto function = library.function<PltGetUserDirectoryFunction>("PltGetUserDirectory");
    std::vector<char> name = callText(userName);
    return function(name.data(), buffer, &size);
}

std::int32_t Win32InstallAide::PltInstallFile(const std::string& userName,
                                              const std::string& filePath) {
    Library library(kInstallAide);
    const auto function = library.function<PltInstallFileFunction>("PltInstallFile");
    std::vector<char> name = callText(userName);
    std::vector<char> path = callText(filePath);
    return function(name.data(), path.data());
}

} // namespace platform::win32
