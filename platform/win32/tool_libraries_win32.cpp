#include "platform/win32/library_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/win32.h"

namespace platform::win32 {

namespace {

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
    return function(start.data(), name.data(), buffer);
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
