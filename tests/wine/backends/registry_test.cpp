#include "common/error.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"
#include "probes/registry.h"
#include "tests/wine/backends/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::RegDisposition;
using platform::RegKey;
using platform::RegStatus;
using platform::win32::Win32Registry;

class WinRegistry : public testing::Test {
protected:
    void TearDown() override {
        for (RegKey key : open_) {
            registry_.closeKey(key);
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
    }

    RegKey create(const std::string& path, RegDisposition* disposition = nullptr) {
        RegKey key = 0;
        RegDisposition made = RegDisposition::OpenedExistingKey;
        EXPECT_EQ(registry_.createKey(platform::kHkeyCurrentUser, path, key, made), RegStatus::Ok)
            << path;
        open_.push_back(key);
        if (disposition != nullptr) {
            *disposition = made;
        }
        return key;
    }

    RegStatus setBytes(RegKey key, const std::string& name, const std::string& bytes) {
        return registry_.setValue(key, name, platform::kRegSz,
                                  reinterpret_cast<const unsigned char*>(bytes.data()),
                                  static_cast<std::uint32_t>(bytes.size()));
    }

    std::uint32_t sizeOf(RegKey key, const std::string& name) {
        std::uint32_t type = 0, count = 0;
        EXPECT_EQ(registry_.queryValue(key, name, type, nullptr, count), RegStatus::Ok) << name;
        return count;
    }

    Win32Registry registry_;
    const std::string base_ = "Software\\Q4P Backend Tests\\" + backend_tests::currentTestName();
    std::vector<RegKey> open_;
};

TEST_F(WinRegistry, CreateReportsANewKeyThenTheExistingOne) {
    RegDisposition first{}, second{};
    create(base_, &first);
    create(base_, &second);
    EXPECT_EQ(first, RegDisposition::CreatedNewKey);
    EXPECT_EQ(second, RegDisposition::OpenedExistingKey);
}

TEST_F(WinRegistry, ByteCountsAreTheStoredBytes) {
    const RegKey key = create(base_);
    ASSERT_EQ(setBytes(key, "with", std::string("abcd", 5)), RegStatus::Ok);
    // Not followed by a NUL in memory, which the system would count.
    const unsigned char bare[] = {'a', 'b', 'c', 'd', 'x'};
    ASSERT_EQ(registry_.setValue(key, "without", platform::kRegSz, bare, 4), RegStatus::Ok);
    ASSERT_EQ(setBytes(key, "", std::string("default", 8)), RegStatus::Ok);
    EXPECT_EQ(sizeOf(key, "with"), 5u);
    EXPECT_EQ(sizeOf(key, "without"), 4u);

    // The default value is the one with the empty name.
    unsigned char data[16] = {};
    std::uint32_t type = 0, count = sizeof data;
    ASSERT_EQ(registry_.queryValue(key, "", type, data, count), RegStatus::Ok);
    EXPECT_EQ(type, platform::kRegSz);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), count), std::string("default", 8));

    // Too small a buffer: MoreData, and the count still tells the size needed.
    count = 3;
    EXPECT_EQ(registry_.queryValue(key, "with", type, data, count), RegStatus::MoreData);
    EXPECT_EQ(count, 5u);

    count = sizeof data;
    EXPECT_EQ(registry_.queryValue(key, "absent", type, data, count), RegStatus::NotFound);
}

TEST_F(WinRegistry, ReadOnlyOpenFindsOnlyExistingKeysAndCannotWrite) {
    RegKey key = 0;
    EXPECT_EQ(registry_.openKeyReadOnly(platform::kHkeyCurrentUser, base_, key),
              RegStatus::NotFound);
    create(base_);
    ASSERT_EQ(registry_.openKeyReadOnly(platform::kHkeyCurrentUser, base_, key), RegStatus::Ok);
    open_.push_back(key);
    EXPECT_EQ(setBytes(key, "name", "text"), RegStatus::AccessDenied);
}

// The roots arrive as 32-bit values and must reach the system as its own predefined handles.
TEST_F(WinRegistry, LocalMachineRootReadsTheProgramFilesFolder) {
    RegKey key = 0;
    RegDisposition disposition{};
    ASSERT_EQ(registry_.createKey(platform::kHkeyLocalMachine,
                                  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", key, disposition),
              RegStatus::Ok);
    open_.push_back(key);
    EXPECT_EQ(disposition, RegDisposition::OpenedExistingKey);
    char data[255] = {};
    std::uint32_t type = 0, count = sizeof data;
    ASSERT_EQ(registry_.queryValue(key, "ProgramFilesDir", type,
                                   reinterpret_cast<unsigned char*>(data), count),
              RegStatus::Ok);
    EXPECT_EQ(std::string(data, count), std::string("C:\\Program Files", 17));
}

class HandleRegistryOnWine : public WinRegistry {};

TEST_F(HandleRegistryOnWine, WrittenValueReadsBackWhole) {
    HandleRegistry::WriteRegString(registry_, base_, "installdir", "C:\\Quintara4Palm",
                                   platform::kHkeyCurrentUser);
    EXPECT_EQ(
        HandleRegistry::ReadRegString(registry_, base_, "installdir", platform::kHkeyCurrentUser),
        "C:\\Quintara4Palm");
    EXPECT_TRUE(
        HandleRegistry::RegValueExists(registry_, base_, "installdir", platform::kHkeyCurrentUser));
    EXPECT_EQ(HandleRegistry::ReadRegString(registry_,
                                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                            "ProgramFilesDir", platform::kHkeyLocalMachine),
              "C:\\Program Files");
}

TEST_F(HandleRegistryOnWine, ReadFitsTwoHundredFiftyFourCharacters) {
    const RegKey key = create(base_);
    const std::string fits(254, 'f');
    const std::string tooLong(255, 't');
    ASSERT_EQ(setBytes(key, "fits", fits + '\0'), RegStatus::Ok);
    ASSERT_EQ(setBytes(key, "tooLong", tooLong + '\0'), RegStatus::Ok);
    EXPECT_EQ(HandleRegistry::ReadRegString(registry_, base_, "fits", platform::kHkeyCurrentUser),
              fits);
    EXPECT_THROW(
        HandleRegistry::ReadRegString(registry_, base_, "tooLong", platform::kHkeyCurrentUser),
        common::SetupError);
}

TEST_F(HandleRegistryOnWine, ReadOfAMissingKeyFailsAndLeavesItCreated) {
    const std::string missing = base_ + "\\Missing";
    EXPECT_THROW(HandleRegistry::ReadRegString(registry_, missing, "", platform::kHkeyCurrentUser),
                 common::SetupError);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, missing.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD values = 99;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(values, 0u);
}

// Text crosses as UTF-8 and is stored as UTF-16, so a path outside the system
// code page reads back exactly; REG_EXPAND_SZ reads expanded; a number where a
// text is expected is "Key unavailable", as a missing value is.
TEST_F(HandleRegistryOnWine, TextTypesOnlyReadExactlyAndExpanded) {
    const std::string folder = "C:\\Setup Files\\\xD0\x9A\xD0\xB2\xD0\xB0\xD1\x80\xD1\x82\xD0\xB8"
                               "\xD1\x80\xD0\xB0 \xE6\x95\xB0\xE6\x8D\xAE";
    HandleRegistry::WriteRegString(registry_, base_, "folder", folder, platform::kHkeyCurrentUser);
    EXPECT_EQ(HandleRegistry::ReadRegString(registry_, base_, "folder", platform::kHkeyCurrentUser),
              folder);
    wchar_t stored[64] = {};
    DWORD bytes = sizeof stored;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, platform::win32::wideOf(base_).c_str(), L"folder",
                           RRF_RT_REG_SZ, nullptr, stored, &bytes),
              ERROR_SUCCESS);
    EXPECT_STREQ(stored, L"C:\\Setup Files\\\x041A\x0432\x0430\x0440\x0442\x0438\x0440\x0430 "
                         L"\x6570\x636E");

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, base_.c_str(), 0, KEY_WRITE, &key), ERROR_SUCCESS);
    const DWORD number = 0x41414141;
    RegSetValueExW(key, L"Path", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    const wchar_t expandable[] = L"%WINDIR%\\Q4P";
    RegSetValueExW(key, L"expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expandable),
                   sizeof expandable);
    RegCloseKey(key);

    try {
        HandleRegistry::ReadRegString(registry_, base_, "Path", platform::kHkeyCurrentUser);
        ADD_FAILURE() << "a REG_DWORD was read as text";
    } catch (const common::SetupError& error) {
        EXPECT_STREQ(error.what(), common::kKeyUnavailable);
    }
    EXPECT_TRUE(
        HandleRegistry::RegValueExists(registry_, base_, "Path", platform::kHkeyCurrentUser));
    char windows[MAX_PATH] = {};
    GetEnvironmentVariableA("WINDIR", windows, MAX_PATH);
    EXPECT_EQ(HandleRegistry::ReadRegString(registry_, base_, "expand", platform::kHkeyCurrentUser),
              std::string(windows) + "\\Q4P");
}

} // namespace
