#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The handheld desktop software's install-aide library "instaide.dll".
// Each call loads the library and its function; when either cannot be loaded
// the call raises SetupError. Buffers are the caller's (255 bytes), `size`
// their capacity on entry; answers come as UTF-8, and `size` as their length
// in bytes. The library itself speaks the system code page: a text it cannot
// hold raises SetupError before the call, and an answer whose UTF-8 form does
// not fit the buffer raises SetupError after it.
class InstallAide {
public:
    virtual ~InstallAide() = default;
    virtual std::int32_t PltGetPath(std::int32_t pathKind, char* buffer, std::int32_t& size) = 0;
    virtual std::int32_t PltGetUserCount() = 0;
    virtual std::int32_t PltGetUser(std::int32_t index, char* buffer, std::int32_t& size) = 0;
    virtual std::int32_t PltGetUserDirectory(const std::string& userName, char* buffer,
                                             std::int32_t& size) = 0;
    virtual std::int32_t PltInstallFile(const std::string& userName,
                                        const std::string& filePath) = 0;
};

} // namespace platform
