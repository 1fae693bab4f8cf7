#include "common/error.h"
#include "probes/registry.h"
#include "tests/doubles/fake_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using HandleRegistry::ReadRegString;
using HandleRegistry::RegValueExists;
using HandleRegistry::WriteRegString;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

const std::string kProductKey = "Software\\Quintara\\Quintara4Palm";

std::string readFailure(doubles::FakeRegistry& registry, const std::string& key,
                        const std::string& name) {
    try {
        ReadRegString(registry, key, name, kHkeyLocalMachine);
    } catch (const common::SetupError& error) {
        return error.what();
    }
    return "no failure";
}

TEST(Registry, ReadFitsAtMost255BytesIncludingTheTerminator) {
    doubles::FakeRegistry registry;
    registry.putString(kHkeyLocalMachine, "K", "", "default");
    registry.putString(kHkeyLocalMachine, "K", "fits", std::string(254, 'x'));
    registry.putString(kHkeyLocalMachine, "K", "tooLong", std::string(255, 'x'));
    registry.putString(kHkeyLocalMachine, "K", "empty", "");
    EXPECT_EQ(ReadRegString(registry, "K", "", kHkeyLocalMachine), "default");
    EXPECT_EQ(ReadRegString(registry, "K", "fits", kHkeyLocalMachine), std::string(254, 'x'));
    EXPECT_EQ(readFailure(registry, "K", "tooLong"), common::kKeyUnavailable);
    EXPECT_EQ(ReadRegString(registry, "K", "empty", kHkeyLocalMachine), "");
    EXPECT_TRUE(RegValueExists(registry, "K", "empty", kHkeyLocalMachine));
    EXPECT_TRUE(RegValueExists(registry, "K", "tooLong", kHkeyLocalMachine));
    EXPECT_EQ(registry.openKeys(), 0u);
}

TEST(Registry, ReadOfUnterminatedOrOtherTypedValues) {
    doubles::FakeRegistry registry;
    // As earlier versions stored them: no terminator, so nothing is dropped.
    registry.putRaw(kHkeyLocalMachine, "K", "old", platform::kRegSz, {'a', 'b', 'c', 'd'});
    registry.putRaw(kHkeyLocalMachine, "K", "full", platform::kRegSz,
                    std::vector<unsigned char>(255, 'y'));
    registry.putRaw(kHkeyLocalMachine, "K", "dword", 4, {'*', 0, 0, 0});
    registry.putRaw(kHkeyLocalMachine, "K", "zero", platform::kRegSz, {});
    EXPECT_EQ(ReadRegString(registry, "K", "old", kHkeyLocalMachine), "abcd");
    EXPECT_EQ(ReadRegString(registry, "K", "full", kHkeyLocalMachine), std::string(255, 'y'));
    // Only text types are text: a number where a path is expected is unavailable.
    EXPECT_EQ(readFailure(registry, "K", "dword"), common::kKeyUnavailable);
    // A zero-byte value fails too, though not with "Key unavailable".
    const std::string zero = readFailure(registry, "K", "zero");
    EXPECT_NE(zero, "no failure");
    EXPECT_NE(zero, common::kKeyUnavailable);
    EXPECT_EQ(registry.openKeys(), 0u);
}

TEST(Registry, ReadOfMissingKeyLeavesItCreatedAndFailsAgainAtTheQuery) {
    doubles::FakeRegistry registry;
    EXPECT_EQ(readFailure(registry, "SOFTWARE\\Missing", "Path"), common::kKeyUnavailable);
    EXPECT_TRUE(registry.hasKey(kHkeyLocalMachine, "SOFTWARE\\Missing"));
    EXPECT_EQ(registry.valueCount(kHkeyLocalMachine, "SOFTWARE\\Missing"), 0u);
    EXPECT_EQ(readFailure(registry, "SOFTWARE\\Missing", "Path"), common::kKeyUnavailable);

    EXPECT_FALSE(RegValueExists(registry, "SOFTWARE\\Other", "Path", kHkeyLocalMachine));
    EXPECT_TRUE(registry.hasKey(kHkeyLocalMachine, "SOFTWARE\\Other"));
    EXPECT_EQ(registry.openKeys(), 0u);
}

TEST(Registry, LimitedUserReadsExistingKeysReadOnly) {
    doubles::FakeRegistry registry;
    registry.putString(kHkeyLocalMachine, "SOFTWARE\\App", "Path", "C:\\App");
    registry.denyRoot(kHkeyLocalMachine);

    EXPECT_EQ(ReadRegString(registry, "SOFTWARE\\App", "Path", kHkeyLocalMachine), "C:\\App");
    EXPECT_TRUE(RegValueExists(registry, "SOFTWARE\\App", "Path", kHkeyLocalMachine));
    EXPECT_FALSE(RegValueExists(registry, "SOFTWARE\\App", "Other", kHkeyLocalMachine));
    EXPECT_EQ(readFailure(registry, "SOFTWARE\\App", "Other"), common::kKeyUnavailable);
    // Nothing can be created under the root: a missing key stays missing.
    EXPECT_EQ(readFailure(registry, "SOFTWARE\\None", "Path"), common::kKeyUnavailable);
    EXPECT_FALSE(RegValueExists(registry, "SOFTWARE\\None", "Path", kHkeyLocalMachine));
    EXPECT_FALSE(registry.hasKey(kHkeyLocalMachine, "SOFTWARE\\None"));
    // Nothing to write through a read-only key: the write does not retry.
    WriteRegString(registry, "SOFTWARE\\App", "v", "x", kHkeyLocalMachine);
    EXPECT_EQ(registry.setCalls, 0);
    EXPECT_EQ(registry.openKeys(), 0u);
}

TEST(Registry, WriteStoresTheTerminatorSoTheReadGivesEveryCharacterBack) {
    doubles::FakeRegistry registry;
    WriteRegString(registry, kProductKey, "formWidth", "2355", kHkeyCurrentUser);
    WriteRegString(registry, kProductKey, "LastUserName", "", kHkeyCurrentUser);

    const auto* stored = registry.value(kHkeyCurrentUser, kProductKey, "formWidth");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->type, platform::kRegSz);
    EXPECT_EQ(stored->bytes, (std::vector<unsigned char>{'2', '3', '5', '5', 0}));
    EXPECT_EQ(ReadRegString(registry, kProductKey, "formWidth", kHkeyCurrentUser), "2355");
    EXPECT_EQ(ReadRegString(registry, kProductKey, "LastUserName", kHkeyCurrentUser), "");
    EXPECT_EQ(registry.openKeys(), 0u);
}

} // namespace
