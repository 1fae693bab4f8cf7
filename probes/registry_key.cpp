#include "probes/registry_key.h"

#include <utility>

namespace HandleRegistry {

using platform::RegStatus;

RegistryKey RegistryKey::create(platform::RegistryService& registry, platform::RegRoot root,
                                const std::string& path) {
    RegistryKey key(registry);
    platform::RegDisposition disposition = platform::RegDisposition::OpenedExistingKey;
    key.status_ = registry.createKey(root, path, key.key_, disposition);
    key.open_ = key.status_ == RegStatus::Ok;
    key.created_ = key.open_ && disposition == platform::RegDisposition::CreatedNewKey;
    return key;
}

RegistryKey RegistryKey::createOrRead(platform::RegistryService& registry, platform::RegRoot root,
                                      const std::string& path) {
    RegistryKey key = create(registry, root, path);
    if (key.status_ == RegStatus::AccessDenied) {
        return openExisting(registry, root, path);
    }
    return key;
}

RegistryKey RegistryKey::openExisting(platform::RegistryService& registry, platform::RegRoot root,
                                      const std::string& path) {
    RegistryKey key(registry);
    key.status_ = registry.openKeyReadOnly(root, path, key.key_);
    key.open_ = key.status_ == RegStatus::Ok;
    return key;
}

RegistryKey::~RegistryKey() {
    if (open_) {
        registry_->closeKey(key_);
    }
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : registry_(other.registry_), key_(other.key_), open_(std::exchange(other.open_, false)),
      status_(other.status_), created_(other.created_) {}

bool RegistryKey::setString(const std::string& name, const std::string& text) {
    return open_ &&
           registry_->setValue(key_, name, platform::kRegSz,
                               reinterpret_cast<const unsigned char*>(text.c_str()),
                               static_cast<std::uint32_t>(text.size() + 1)) == RegStatus::Ok;
}

bool RegistryKey::setDword(const std::string& name, std::uint32_t value) {
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    return open_ && registry_->setValue(key_, name, platform::kRegDword, bytes, sizeof bytes) ==
                        RegStatus::Ok;
}

bool RegistryKey::readString(const std::string& name, std::string& text) {
    if (!open_) {
        return false;
    }
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (registry_->queryValue(key_, name, type, nullptr, size) != RegStatus::Ok ||
        type != platform::kRegSz) {
        return false;
    }
    std::vector<unsigned char> bytes(size + 1, 0);
    if (registry_->queryValue(key_, name, type, bytes.data(), size) != RegStatus::Ok) {
        return false;
    }
    // A writer may or may not have stored the terminating NUL.
    std::size_t length = size;
    while (length > 0 && bytes[length - 1] == 0) {
        --length;
    }
    text.assign(reinterpret_cast<const char*>(bytes.data()), length);
    return true;
}

std::vector<std::string> RegistryKey::valueNames() {
    std::vector<std::string> names;
    if (!open_ || registry_->valueNames(key_, names) != RegStatus::Ok) {
        names.clear();
    }
    return names;
}

std::vector<std::string> RegistryKey::subkeyNames() {
    std::vector<std::string> names;
    if (!open_ || registry_->subkeyNames(key_, names) != RegStatus::Ok) {
        names.clear();
    }
    return names;
}

bool RegistryKey::empty() {
    std::vector<std::string> values;
    std::vector<std::string> subkeys;
    return open_ && registry_->valueNames(key_, values) == RegStatus::Ok && values.empty() &&
           registry_->subkeyNames(key_, subkeys) == RegStatus::Ok && subkeys.empty();
}

} // namespace HandleRegistry
