#pragma once

#include "platform/registry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace install {

// One open registry key, closed when the owner goes. Unlike HandleRegistry's
// calls it reports every failure, for the record that the run must be able to
// say it wrote, and it can open a key without creating it.
class RegistryKey {
public:
    // Opens or creates the key with full access.
    static RegistryKey create(platform::RegistryService& registry, platform::RegRoot root,
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
};

} // namespace install
