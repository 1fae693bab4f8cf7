#include "platform/win32/library_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/win32.h"

namespace platform::win32 {

namespace {

using InstallConduitFunction = int(WINAPI*)(int first, char* second, char* third, char* fourth,
                                            char* fifth);

} // namespace

std::int32_t Win32ConduitInstaller::InstallShieldInstallConduit(std::int32_t first,
                                                                const std::string& second,
                                                                const std::string& third,
                                                                const std::string& fourth,
                                                                const std::string& fifth) {
    Library library("condinst.dll");
    const auto function = library.function<InstallConduitFunction>("InstallShieldInstallConduit");
    std::vector<char> texts[] = {callText(second), callText(third), callText(fourth),
                                 callText(fifth)};
    return function(first, texts[0].data(), texts[1].data(), texts[2].data(), texts[3].data());
}

} // namespace platform::win32
