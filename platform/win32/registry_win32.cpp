#include "platform/win32/services_win32.h"
#include "platform/win32/win32.h"

#include <vector>

namespace platform::win32 {

namespace {

// The predefined roots are negative 32-bit values (HKEY_CURRENT_USER is
// (LONG)0x80000001); on 64-bit Windows their handle is the sign extension.
HKEY rootHandle(RegRoot root) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<std::int32_t>(root)));
}

HKEY keyHandle(RegKey key) {
    return reinterpret_cast<HKEY>(key);
}

// Registry calls return their status directly; they never set GetLastError.
RegStatus statusOf(LONG result) {
    switch (result) {
    case ERROR_SUCCESS:
        return RegStatus::Ok;
    case ERROR_FILE_NOT_FOUND:
        return RegStatus::NotFound;
    case ERROR_ACCESS_DENIED:
        return RegStatus::AccessDenied;
    case ERROR_MORE_DATA:
        return RegStatus::MoreData;
    default:
        return RegStatus::Failed;
    }
}

// The longest value or key name the registry holds, terminating NUL included.
constexpr DWORD kLongestName = 16384;

// Walks a key's names with RegEnumValueA or RegEnumKeyExA until
// ERROR_NO_MORE_ITEMS; nothing may be added or removed meanwhile.
template <typename Enumerate>
RegStatus collectNames(Enumerate enumerate, std::vector<std::string>& names) {
    names.clear();
    std::vector<char> buffer(kLongestName);
    for (DWORD index = 0;; ++index) {
        DWORD length = kLongestName;
        const LONG result = enumerate(index, buffer.data(), &length);
        if (result == ERROR_NO_MORE_ITEMS) {
            return RegStatus::Ok;
        }
        if (result != ERROR_SUCCESS) {
            return statusOf(result);
        }
        names.emplace_back(buffer.data(), length);
    }
}

} // namespace

RegStatus Win32Registry::createKey(RegRoot root, const std::string& subKey, RegKey& key,
                                   RegDisposition& disposition) {
    HKEY opened = nullptr;
    DWORD created = 0;
    const LONG result =
        RegCreateKeyExA(rootHandle(root), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &opened, &created);
    if (result != ERROR_SUCCESS) {
        return statusOf(result);
    }
    key = reinterpret_cast<RegKey>(opened);
    disposition = created == REG_CREATED_NEW_KEY ? RegDisposition::CreatedNewKey
                                                 : RegDisposition::OpenedExistingKey;
    return RegStatus::Ok;
}

RegStatus Win32Registry::openKeyReadOnly(RegRoot root, const std::string& subKey, RegKey& key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(rootHandle(root), subKey.c_str(), 0, KEY_READ, &opened);
    if (result != ERROR_SUCCESS) {
        return statusOf(result);
    }
    key = reinterpret_cast<RegKey>(opened);
    return RegStatus::Ok;
}

RegStatus Win32Registry::queryValue(RegKey key, const std::string& valueName, std::uint32_t& type,
                                    unsigned char* data, std::uint32_t& byteCount) {
    DWORD valueType = 0;
    // In: the bytes offered. Out: the bytes the value occupies, also when they
    // did not fit (ERROR_MORE_DATA); a terminating NUL counts only when the
    // writer stored one.
    DWORD count = byteCount;
    const LONG result =
        RegQueryValueExA(keyHandle(key), valueName.c_str(), nullptr, &valueType, data, &count);
    type = valueType;
    byteCount = count;
    return statusOf(result);
}

// A REG_SZ count that leaves out the terminating NUL gets it counted all the
// same when a NUL follows the data in memory (NT does this, and so does Wine).
RegStatus Win32Registry::setValue(RegKey key, const std::string& valueName, std::uint32_t type,
                                  const unsigned char* data, std::uint32_t byteCount) {
    return statusOf(RegSetValueExA(keyHandle(key), valueName.c_str(), 0, type, data, byteCount));
}

void Win32Registry::closeKey(RegKey key) {
    RegCloseKey(keyHandle(key));
}

RegStatus Win32Registry::deleteKey(RegRoot root, const std::string& subKey) {
    return statusOf(RegDeleteKeyA(rootHandle(root), subKey.c_str()));
}

RegStatus Win32Registry::valueNames(RegKey key, std::vector<std::string>& names) {
    return collectNames(
        [key](DWORD index, char* name, DWORD* length) {
            return RegEnumValueA(keyHandle(key), index, name, length, nullptr, nullptr, nullptr,
                                 nullptr);
        },
        names);
}

RegStatus Win32Registry::subkeyNames(RegKey key, std::vector<std::string>& names) {
    return collectNames(
        [key](DWORD index, char* name, DWORD* length) {
            return RegEnumKeyExA(keyHandle(key), index, name, length, nullptr, nullptr, nullptr,
                                 nullptr);
        },
        names);
}

} // namespace platform::win32
