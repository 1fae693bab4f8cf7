#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// A predefined registry root as its 32-bit handle value.
using RegRoot = std::uint32_t;
inline constexpr RegRoot kHkeyCurrentUser = 0x80000001u;
inline constexpr RegRoot kHkeyLocalMachine = 0x80000002u;

inline constexpr std::uint32_t kRegSz = 1;    // REG_SZ
inline constexpr std::uint32_t kRegDword = 4; // REG_DWORD: four bytes, least significant first

// An open key; opaque to the core, meaningful only to the service that made it.
using RegKey = std::uintptr_t;

enum class RegStatus {
    Ok,
    NotFound,     // key or value missing
    AccessDenied, // the key exists but may not be opened with the access asked for
    MoreData,     // the value does not fit the buffer offered
    Failed,       // anything else
};

enum class RegDisposition : std::uint32_t {
    CreatedNewKey = 1,     // REG_CREATED_NEW_KEY
    OpenedExistingKey = 2, // REG_OPENED_EXISTING_KEY
};

// The four registry operations the program uses (advapi32's ANSI functions),
// plus a read-only open for the retry of a limited user. Texts are ANSI.
class RegistryService {
public:
    virtual ~RegistryService() = default;

    // RegCreateKeyExA with KEY_ALL_ACCESS: opens the key or creates it empty.
    virtual RegStatus createKey(RegRoot root, const std::string& subKey, RegKey& key,
                                RegDisposition& disposition) = 0;
    // RegOpenKeyExA with KEY_READ: opens an existing key only.
    virtual RegStatus openKeyReadOnly(RegRoot root, const std::string& subKey, RegKey& key) = 0;
    // RegQueryValueExA. `data` may be null (presence and size only). On return
    // `byteCount` holds the bytes the value occupies, also when it did not fit.
    virtual RegStatus queryValue(RegKey key, const std::string& valueName, std::uint32_t& type,
                                 unsigned char* data, std::uint32_t& byteCount) = 0;
    // RegSetValueExA.
    virtual RegStatus setValue(RegKey key, const std::string& valueName, std::uint32_t type,
                               const unsigned char* data, std::uint32_t byteCount) = 0;
    // RegCloseKey; its result is never looked at.
    virtual void closeKey(RegKey key) = 0;

    // RegDeleteKeyA: removes a key with its values. Windows NT refuses a key
    // that still has subkeys; Windows 9x removes them too, so callers that
    // must keep other keys look first.
    virtual RegStatus deleteKey(RegRoot root, const std::string& subKey) = 0;
    // The names of a key's values (RegEnumValueA) or of its subkeys
    // (RegEnumKeyExA), in the case they were stored with.
    virtual RegStatus valueNames(RegKey key, std::vector<std::string>& names) = 0;
    virtual RegStatus subkeyNames(RegKey key, std::vector<std::string>& names) = 0;
};

} // namespace platform
