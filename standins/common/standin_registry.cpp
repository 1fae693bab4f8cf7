#include "standins/common/standin_registry.h"

#include <cstdlib>
#include <vector>

namespace standins {

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
        key_ = other.key_;
        other.key_ = nullptr;
    }
    return *this;
}

RegKey::~RegKey() {
    if (key_ != nullptr) {
        RegCloseKey(key_);
    }
}

RegKey openKey(HKEY parent, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return RegKey();
    }
    return RegKey(key);
}

RegKey createKey(HKEY parent, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return RegKey();
    }
    return RegKey(key);
}

bool readString(HKEY key, const char* name, std::string& value) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
        return false;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return false;
    }
    // One spare byte: the stored data need not carry its terminating NUL.
    std::vector<char> data(bytes + 1, '\0');
    DWORD size = bytes;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    data[size < bytes ? size : bytes] = '\0';
    value.assign(data.data());
    return true;
}

bool writeString(HKEY key, const char* name, const std::string& value) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool incrementCounter(HKEY key, const char* name) {
    std::string text;
    long count = 0;
    if (readString(key, name, text)) {
        count = std::strtol(text.c_str(), nullptr, 10);
    }
    if (count < 0) {
        count = 0;
    }
    return writeString(key, name, std::to_string(count + 1));
}

} // namespace standins
