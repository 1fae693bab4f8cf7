#pragma once

#include "platform/win32/win32.h"

#include <string>

// Where every stand-in of an outside library keeps its state: values under
// HKEY_CURRENT_USER, so that a test or the demo can seed and inspect them.
namespace standins {

inline constexpr const char* kStandInsKey = "Software\\Q4P Stand-ins";

class RegKey {
public:
    RegKey() = default;
    explicit RegKey(HKEY key) : key_(key) {}
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey(RegKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    RegKey& operator=(RegKey&& other) noexcept;
    ~RegKey();

    explicit operator bool() const { return key_ != nullptr; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// An existing key opened for reading, or an empty RegKey: never creates anything.
RegKey openKey(HKEY parent, const std::string& path);
// The key, made (with its missing parents) when absent.
RegKey createKey(HKEY parent, const std::string& path);

// A REG_SZ or REG_EXPAND_SZ value (not expanded); false when missing or of
// another type.
bool readString(HKEY key, const char* name, std::string& value);
bool writeString(HKEY key, const char* name, const std::string& value);

// Adds one to a counter kept as decimal text; a missing or unreadable counter
// counts as 0. Answers false when the new count cannot be stored.
bool incrementCounter(HKEY key, const char* name);

} // namespace standins
