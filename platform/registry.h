#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// A predefined registry root as its 32-bit handle value.
using RegRoot = std::uint32_t;
inline constexpr RegRoot kHkeyCurrentUser = 0x80000001u;
inline constexpr RegRoot kHkeyLocalMachine = 0x80000002u;

inline constexpr std::uint32_t kRegSz = 1;       // REG_SZ
inline constexpr std::uint32_t kRegExpandSz = 2; // REG_EXPAND_SZ
inline constexpr std::uint32_t kRegDword = 4;    // REG_DWORD: four bytes, least significant first

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

// The four registry operations the program uses, plus a read-only open for the
// retry of a limited user. Key paths, value names and text data are UTF-8; the
// service speaks to the registry in UTF-16.
class RegistryService {
public:
    virtual ~RegistryService() = default;

    // RegCreateKeyEx with KEY_ALL_ACCESS: opens the key or creates it empty.
    virtual RegStatus createKey(RegRoot root, const std::string& subKey, RegKey& key,
                                RegDisposition& disposition) = 0;
    // RegOpenKeyEx with KEY_READ: opens an existing key only.
    virtual RegStatus openKeyReadOnly(RegRoot root, const std::string& subKey, RegKey& key) = 0;
    // RegQueryValueEx. `data` may be null (presence and size only). On return
    // `byteCount` holds the bytes the value occupies, also when it did not fit.
    // Text values (REG_SZ, REG_EXPAND_SZ) come as UTF-8, counted in UTF-8
    // bytes, a terminating NUL included when one was stored; REG_EXPAND_SZ
    // comes with its environment variables expanded. Other types come as stored.
    virtual RegStatus queryValue(RegKey key, const std::string& valueName, std::uint32_t& type,
                                 unsigned char* data, std::uint32_t& byteCount) = 0;
    // RegSetValueEx. Text data (REG_SZ, REG_EXPAND_SZ) is UTF-8 and stored as text.
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
