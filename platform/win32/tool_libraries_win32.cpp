#include "common/error.h"
#include "platform/win32/library_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/win32.h"

#include <algorithm>

namespace platform::win32 {

using common::SetupError;

namespace {

constexpr std::size_t kFindBufferChars = 260;

using DllFindFileFunction = int(WINAPI*)(char* startFolder, char* fileName, char* buffer);
using CreateShortcutFunction = int(WINAPI*)(char* shortcutPath, char* target, char* third,
                                            short* flag);
using DllUnregisterServerFunction = HRESULT(WINAPI*)();

} // namespace

std::int32_t Win32ToolLibrary::dllFindFile(const std::string& startFolder,
                                           const std::string& fileName, char* buffer) {
    Library library("quinTool.dll");
    const auto function = library.function<DllFindFileFunction>("dllFindFile");
    std::vector<char> start = callText(startFolder);
    std::vector<char> name = callText(fileName);
    // The search writes the system code page into a buffer like the caller's
    // (260 characters, spaces); the caller gets the found path as UTF-8.
    std::vector<char> own(buffer, buffer + kFindBufferChars);
    const std::int32_t result = function(start.data(), name.data(), own.data());
    const auto end = std::find(own.begin(), own.end(), '\0');
    if (result == 0 || end == own.end()) {
        std::copy(own.begin(), own.end(), buffer);
        return result;
    }
    std::int32_t size = static_cast<std::int32_t>(end - own.begin());
    answerText(own, buffer, size, static_cast<std::int32_t>(kFindBufferChars));
    if (static_cast<std::size_t>(size) >= kFindBufferChars) {
        throw SetupError("Found path too long for its buffer");
    }
    return result;
}

std::int32_t Win32ToolLibrary::CreateShortcut(const std::string& shortcutPath,
                                              const std::string& target, const std::string& third,
                                              std::int16_t& flag) {
    Library library("quinTool.dll");
    const auto function = library.function<CreateShortcutFunction>("CreateShortcut");
    std::vector<char> path = callText(shortcutPath);
    std::vector<char> goal = callText(target);
    std::vector<char> extra = callText(third);
    return function(path.data(), goal.data(), extra.data(), &flag);
}

std::int32_t Win32FormLibrary::DllUnregisterServer() {
    // Under the lower-case name the program has always declared it by.
    Library library("quinfrm.dll");
    const auto function = library.function<DllUnregisterServerFunction>("DllUnregisterServer");
    return function();
}

std::int32_t Win32FormLibrary::DllUnregisterServerFrom(const std::string& libraryPath) {
    const Library library = Library::atPath(libraryPath);
    const auto function = library.function<DllUnregisterServerFunction>("DllUnregisterServer");
    return function();
}

} // namespace platform::win32
