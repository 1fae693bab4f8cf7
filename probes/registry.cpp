#include "probes/registry.h"

#include "common/error.h"

#include <array>
#include <cstdint>

namespace HandleRegistry {

namespace {

using platform::RegDisposition;
using platform::RegKey;
using platform::RegStatus;

// RegQueryValueExA's buffer for a text value: a value fits when it needs at
// most this many bytes, its terminating NUL included.
constexpr std::uint32_t kReadBufferBytes = 255;

// Closes the key it was given on every way out of the call.
class OpenKey {
public:
    explicit OpenKey(platform::RegistryService& registry) : registry_(registry) {}
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (open_) {
            registry_.closeKey(key_);
        }
    }

    void take(RegKey key) {
        key_ = key;
        open_ = true;
    }
    RegKey get() const { return key_; }

private:
    platform::RegistryService& registry_;
    RegKey key_ = 0;
    bool open_ = false;
};

enum class OpenResult { Existing, Created, Failed };

// Opens in create-or-open mode with full access, so that a read of a missing
// key leaves it created. A limited user is refused full access under
// HKEY_LOCAL_MACHINE; the key is then opened for reading only, which finds
// only keys that already exist.
OpenResult openForReading(platform::RegistryService& registry, platform::RegRoot root,
                          const std::string& keyPath, OpenKey& owner) {
    RegKey key = 0;
    RegDisposition disposition = RegDisposition::OpenedExistingKey;
    const RegStatus status = registry.createKey(root, keyPath, key, disposition);
    if (status == RegStatus::Ok) {
        owner.take(key);
        return disposition == RegDisposition::CreatedNewKey ? OpenResult::Created
                                                            : OpenResult::Existing;
    }
    if (status == RegStatus::AccessDenied &&
        registry.openKeyReadOnly(root, keyPath, key) == RegStatus::Ok) {
        owner.take(key);
        return OpenResult::Existing;
    }
    return OpenResult::Failed;
}

} // namespace

std::string ReadRegString(platform::RegistryService& registry, const std::string& keyPath,
                          const std::string& valueName, platform::RegRoot root) {
    OpenKey key(registry);
    if (openForReading(registry, root, keyPath, key) != OpenResult::Existing) {
        throw common::SetupError(common::kKeyUnavailable);
    }

    std::array<unsigned char, kReadBufferBytes> buffer{};
    std::uint32_t byteCount = kReadBufferBytes;
    std::uint32_t type = 0;
    if (registry.queryValue(key.get(), valueName, type, buffer.data(), byteCount) !=
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
    RegKey handle = 0;
    RegDisposition disposition = RegDisposition::OpenedExistingKey;
    if (registry.createKey(root, keyPath, handle, disposition) != RegStatus::Ok) {
        return;
    }
    OpenKey key(registry);
    key.take(handle);
    // Stored with its terminating NUL so that the read gives back every character.
    registry.setValue(key.get(), valueName, platform::kRegSz,
                      reinterpret_cast<const unsigned char*>(value.c_str()),
                      static_cast<std::uint32_t>(value.size() + 1));
}

bool RegValueExists(platform::RegistryService& registry, const std::string& keyPath,
                    const std::string& valueName, platform::RegRoot root) {
    OpenKey key(registry);
    if (openForReading(registry, root, keyPath, key) == OpenResult::Failed) {
        return false;
    }
    std::uint32_t type = 0;
    std::uint32_t byteCount = 0;
    return registry.queryValue(key.get(), valueName, type, nullptr, byteCount) == RegStatus::Ok;
}

} // namespace HandleRegistry
