#pragma once

#include "platform/registry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace HandleRegistry {

// One open registry key, closed when the owner goes: the one owner of a key
// in the program. HandleRegistry's calls use it and report only what their
// callers rely on; the installation's record uses it directly, for it must
// be able to say every value was written, and opens keys without creating
// them.
class RegistryKey {
public:
    // Opens or creates the key with full access.
    static RegistryKey create(platform::RegistryService& registry, platform::RegRoot root,
                              const std::string& path);
    // Opens or creates the key with full access, as create does. A limited
    // user is refused full access under HKEY_LOCAL_MACHINE; the key is then
    // opened for reading only, which finds only keys that already exist.
    static RegistryKey createOrRead(platform::RegistryService& registry, platform::RegRoot root,
                                    const std::string& path);
    // Opens an existing key for reading only; a missing key stays missing.
    static RegistryKey openExisting(platform::RegistryService& registry, platform::RegRoot root,
                                    const std::string& path);

    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&&) = delete;

    explicit operator bool() const { return open_; }
    platform::RegStatus status() const { return status_; } // of the open
    bool created() const { return created_; }              // the open made the key
    platform::RegKey handle() const { return key_; }

    // Stored with its terminating NUL.
    bool setString(const std::string& name, const std::string& text);
    bool setDword(const std::string& name, std::uint32_t value);
    // A REG_SZ value of any length, without its terminating NUL. False when
    // it is missing or of another type.
    bool readString(const std::string& name, std::string& text);
    std::vector<std::string> valueNames();
    std::vector<std::string> subkeyNames();
    // True when the key holds neither values nor subkeys; false also when
    // either cannot be listed.
    bool empty();

private:
    explicit RegistryKey(platform::RegistryService& registry) : registry_(&registry) {}

    platform::RegistryService* registry_;
    platform::RegKey key_ = 0;
    bool open_ = false;
    platform::RegStatus status_ = platform::RegStatus::Failed;
    bool created_ = false;
};

} // namespace HandleRegistry
