#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The product's tool library "quinTool.dll". A call whose library or function
// cannot be loaded raises SetupError, and so does a text the system code page
// (in which the library takes its texts) cannot hold.
class ToolLibrary {
public:
    virtual ~ToolLibrary() = default;
    // `buffer` is the caller's, 260 bytes; the found path comes as UTF-8.
    virtual std::int32_t dllFindFile(const std::string& startFolder, const std::string& fileName,
                                     char* buffer) = 0;
    // The flag is a 16-bit integer passed by reference: -1 for a folder target.
    virtual std::int32_t CreateShortcut(const std::string& shortcutPath, const std::string& target,
                                        const std::string& third, std::int16_t& flag) = 0;
};

// The product's form library "QuinFrm.dll". Raises SetupError when the library
// or the function cannot be loaded.
class FormLibrary {
public:
    virtual ~FormLibrary() = default;
    virtual std::int32_t DllUnregisterServer() = 0;
    // The same call on the library at that full path (the installed copy).
    virtual std::int32_t DllUnregisterServerFrom(const std::string& libraryPath) = 0;
};

} // namespace platform
