#include "common/error.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"

#include <cstring>
#include <vector>

namespace platform::win32 {

using common::SetupError;

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

bool isText(std::uint32_t type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

std::vector<wchar_t> expanded(std::vector<wchar_t> text) {
    text.push_back(L'\0');
    std::vector<wchar_t> result(text.size() + 64);
    for (;;) {
        const DWORD needed = ExpandEnvironmentStringsW(text.data(), result.data(),
                                                       static_cast<DWORD>(result.size()));
        if (needed == 0) {
            throw SetupError("Cannot expand the value");
        }
        if (needed <= result.size()) {
            result.resize(needed - 1); // without the NUL
            return result;
        }
        result.resize(needed);
    }
}

// A text value as UTF-8, expanded when it is REG_EXPAND_SZ, with the NUL it
// was stored with (if any) kept at its end.
std::string textOf(HKEY key, const WideText& name, DWORD stored, DWORD& type) {
    std::vector<wchar_t> units(stored / sizeof(wchar_t) + 1, L'\0');
    DWORD count = stored;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(units.data()),
                         &count) != ERROR_SUCCESS) {
        throw SetupError("The value changed while it was read");
    }
    units.resize(count / sizeof(wchar_t));
    const bool terminated = !units.empty() && units.back() == L'\0';
    if (terminated) {
        units.pop_back();
    }
    if (type == REG_EXPAND_SZ) {
        units = expanded(std::move(units));
    }
    std::string text = utf8Of(units.data(), units.size());
    if (terminated) {
        text.push_back('\0');
    }
    return text;
}

// The longest value or key name the registry holds, terminating NUL included.
constexpr DWORD kLongestName = 16384;

// Walks a key's names with RegEnumValueW or RegEnumKeyExW until
// ERROR_NO_MORE_ITEMS; nothing may be added or removed meanwhile.
template <typename Enumerate>
RegStatus collectNames(Enumerate enumerate, std::vector<std::string>& names) {
    names.clear();
    std::vector<wchar_t> buffer(kLongestName);
    for (DWORD index = 0;; ++index) {
        DWORD length = kLongestName;
        const LONG result = enumerate(index, buffer.data(), &length);
        if (result == ERROR_NO_MORE_ITEMS) {
            return RegStatus::Ok;
        }
        if (result != ERROR_SUCCESS) {
            return statusOf(result);
        }
        names.push_back(utf8Of(buffer.data(), length));
    }
}

} // namespace

RegStatus Win32Registry::createKey(RegRoot root, const std::string& subKey, RegKey& key,
                                   RegDisposition& disposition) {
    HKEY opened = nullptr;
    DWORD created = 0;
    LONG result = ERROR_INVALID_PARAMETER;
    common::ignoreFailure("a path that is not UTF-8 names no key", [&] {
        result =
            RegCreateKeyExW(rootHandle(root), wideOf(subKey).c_str(), 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &opened, &created);
    });
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
    LONG result = ERROR_INVALID_PARAMETER;
    common::ignoreFailure("a path that is not UTF-8 names no key", [&] {
        result = RegOpenKeyExW(rootHandle(root), wideOf(subKey).c_str(), 0, KEY_READ, &opened);
    });
    if (result != ERROR_SUCCESS) {
        return statusOf(result);
    }
    key = reinterpret_cast<RegKey>(opened);
    return RegStatus::Ok;
}

RegStatus Win32Registry::queryValue(RegKey key, const std::string& valueName, std::uint32_t& type,
                                    unsigned char* data, std::uint32_t& byteCount) {
    try {
        const WideText name = wideOf(valueName);
        DWORD valueType = 0;
        DWORD stored = 0;
        const LONG result =
            RegQueryValueExW(keyHandle(key), name.c_str(), nullptr, &valueType, nullptr, &stored);
        type = valueType;
        if (result != ERROR_SUCCESS) {
            return statusOf(result);
        }
        if (!isText(valueType)) {
            if (data == nullptr) {
                byteCount = stored;
                return RegStatus::Ok;
            }
            DWORD count = byteCount;
            const LONG copied =
                RegQueryValueExW(keyHandle(key), name.c_str(), nullptr, &valueType, data, &count);
            byteCount = count;
            return statusOf(copied);
        }
        const std::string text = textOf(keyHandle(key), name, stored, valueType);
        const std::uint32_t capacity = byteCount;
        byteCount = static_cast<std::uint32_t>(text.size());
        if (data == nullptr) {
            return RegStatus::Ok;
        }
        if (text.size() > capacity) {
            return RegStatus::MoreData;
        }
        std::memcpy(data, text.data(), text.size());
        return RegStatus::Ok;
    } catch (const SetupError&) {
        return RegStatus::Failed;
    }
}

// A REG_SZ count that leaves out the terminating NUL gets it counted all the
// same when a NUL follows the data in memory (NT does this, and so does Wine),
// so the converted text is followed by one only when the caller counted it.
RegStatus Win32Registry::setValue(RegKey key, const std::string& valueName, std::uint32_t type,
                                  const unsigned char* data, std::uint32_t byteCount) {
    try {
        const WideText name = wideOf(valueName);
        if (!isText(type)) {
            return statusOf(RegSetValueExW(keyHandle(key), name.c_str(), 0, type, data, byteCount));
        }
        // A NUL the caller counted converts with the rest and stays counted.
        const std::string given = data != nullptr
                                      ? std::string(reinterpret_cast<const char*>(data), byteCount)
                                      : std::string();
        WideText text = wideOf(given);
        const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (text.size() > 0 && text.c_str()[text.size() - 1] != L'\0') {
            // Not followed by a NUL either, so that the count stays as given.
            text.data()[text.size()] = L' ';
        }
        return statusOf(RegSetValueExW(keyHandle(key), name.c_str(), 0, type,
                                       reinterpret_cast<const BYTE*>(text.c_str()), bytes));
    } catch (const SetupError&) {
        return RegStatus::Failed;
    }
}

void Win32Registry::closeKey(RegKey key) {
    RegCloseKey(keyHandle(key));
}

RegStatus Win32Registry::deleteKey(RegRoot root, const std::string& subKey) {
    try {
        return statusOf(RegDeleteKeyW(rootHandle(root), wideOf(subKey).c_str()));
    } catch (const SetupError&) {
        return RegStatus::Failed;
    }
}

RegStatus Win32Registry::valueNames(RegKey key, std::vector<std::string>& names) {
    return collectNames(
        [key](DWORD index, wchar_t* name, DWORD* length) {
            return RegEnumValueW(keyHandle(key), index, name, length, nullptr, nullptr, nullptr,
                                 nullptr);
        },
        names);
}

RegStatus Win32Registry::subkeyNames(RegKey key, std::vector<std::string>& names) {
    return collectNames(
        [key](DWORD index, wchar_t* name, DWORD* length) {
            return RegEnumKeyExW(keyHandle(key), index, name, length, nullptr, nullptr, nullptr,
                                 nullptr);
        },
        names);
}

} // namespace platform::win32
