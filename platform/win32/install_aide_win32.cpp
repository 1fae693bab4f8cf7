#include "platform/win32/library_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/win32.h"

namespace platform::win32 {

namespace {

constexpr const char* kInstallAide = "instaide.dll";

// The install aide's entry points: texts in the system code page, results and
// sizes as 32-bit integers, the size in/out through a pointer.
using PltGetPathFunction = int(WINAPI*)(int pathKind, char* buffer, int* size);
using PltGetUserCountFunction = int(WINAPI*)();
using PltGetUserFunction = int(WINAPI*)(int index, char* buffer, int* size);
using PltGetUserDirectoryFunction = int(WINAPI*)(char* userName, char* buffer, int* size);
using PltInstallFileFunction = int(WINAPI*)(char* userName, char* filePath);

// The install aide writes its answer in the system code page into a buffer of
// the caller's capacity; the caller gets it as UTF-8.
template <typename Call> std::int32_t answered(char* buffer, std::int32_t& size, Call call) {
    const std::int32_t capacity = size;
    std::vector<char> own(capacity > 0 ? static_cast<std::size_t>(capacity) : 0, '\0');
    const std::int32_t result = call(own.data(), &size);
    if (result >= 0) {
        answerText(own, buffer, size, capacity);
    }
    return result;
}

} // namespace

std::int32_t Win32InstallAide::PltGetPath(std::int32_t pathKind, char* buffer, std::int32_t& size) {
    Library library(kInstallAide);
    const auto function = library.function<PltGetPathFunction>("PltGetPath");
    return answered(buffer, size,
                    [&](char* own, int* ownSize) { return function(pathKind, own, ownSize); });
}

std::int32_t Win32InstallAide::PltGetUserCount() {
    Library library(kInstallAide);
    const auto function = library.function<PltGetUserCountFunction>("PltGetUserCount");
    return function();
}

std::int32_t Win32InstallAide::PltGetUser(std::int32_t index, char* buffer, std::int32_t& size) {
    Library library(kInstallAide);
    const auto function = library.function<PltGetUserFunction>("PltGetUser");
    return answered(buffer, size,
                    [&](char* own, int* ownSize) { return function(index, own, ownSize); });
}

std::int32_t Win32InstallAide::PltGetUserDirectory(const std::string& userName, char* buffer,
                                                   std::int32_t& size) {
    Library library(kInstallAide);
    const auto function = library.function<PltGetUserDirectoryFunction>("PltGetUserDirectory");
    std::vector<char> name = callText(userName);
    return answered(buffer, size,
                    [&](char* own, int* ownSize) { return function(name.data(), own, ownSize); });
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
