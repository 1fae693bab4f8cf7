#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The conduit installer "condinst.dll". Raises SetupError when the library or
// the function cannot be loaded, or when the system code page (in which the
// library takes its texts) cannot hold one of the texts.
class ConduitInstaller {
public:
    virtual ~ConduitInstaller() = default;
    virtual std::int32_t InstallShieldInstallConduit(std::int32_t first, const std::string& second,
                                                     const std::string& third,
                                                     const std::string& fourth,
                                                     const std::string& fifth) = 0;
};

} // namespace platform
