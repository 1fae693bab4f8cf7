#include "probes/registry.h"

#include "common/error.h"
#include "probes/registry_key.h"

#include <array>
#include <cstdint>

namespace HandleRegistry {

namespace {

using platform::RegStatus;

// RegQueryValueExA's buffer for a text value: a value fits when it needs at
// most this many bytes, its terminating NUL included.
constexpr std::uint32_t kReadBufferBytes = 255;

} // namespace

// Every read opens in create-or-open mode, so that a read of a missing key
// leaves it created (and fails).
std::string ReadRegString(platform::RegistryService& registry, const std::string& keyPath,
                          const std::string& valueName, platform::RegRoot root) {
    const RegistryKey key = RegistryKey::createOrRead(registry, root, keyPath);
    if (!key || key.created()) {
        throw common::SetupError(common::kKeyUnavailable);
    }

    std::array<unsigned char, kReadBufferBytes> buffer{};
    std::uint32_t byteCount = kReadBufferBytes;
    std::uint32_t type = 0;
    if (registry.queryValue(key.handle(), valueName, type, buffer.data(), byteCount) !=
        RegStatus::Ok) {
        throw common::SetupError(common::kKeyUnavailable);
    }
    // A number or binary data where a path is expected would otherwise become
    // a text of its bytes ("AAAA\" from a REG_DWORD) and a path be built on it.
    if (type != platform::kRegSz && type != platform::kRegExpandSz) {
        throw common::SetupError(common::kKeyUnavailable);
    }
    if (byteCount == 0) {
        throw common::SetupError("Invalid procedure call or argument");
    }
    if (byteCount > kReadBufferBytes) {
        byteCount = kReadBufferBytes;
    }
    // The count includes the terminating NUL when the writer stored one; values
    // written without it (by earlier versions of this program) keep their last
    // character. Earlier NULs are kept as they are.
    std::size_t length = byteCount;
    if (buffer[length - 1] == 0) {
        --length;
    }
    return std::string(reinterpret_cast<const char*>(buffer.data()), length);
}

void WriteRegString(platform::RegistryService& registry, const std::string& keyPath,
                    const std::string& valueName, const std::string& value,
                    platform::RegRoot root) {
    // Stored with its terminating NUL so that the read gives back every character.
    RegistryKey::create(registry, root, keyPath).setString(valueName, value);
}

bool RegValueExists(platform::RegistryService& registry, const std::string& keyPath,
                    const std::string& valueName, platform::RegRoot root) {
    const RegistryKey key = RegistryKey::createOrRead(registry, root, keyPath);
    if (!key) {
        return false;
    }
    std::uint32_t type = 0;
    std::uint32_t byteCount = 0;
    return registry.queryValue(key.handle(), valueName, type, nullptr, byteCount) == RegStatus::Ok;
}

} // namespace HandleRegistry
