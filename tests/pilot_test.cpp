#include "common/error.h"
#include "handheld/pilot.h"
#include "tests/doubles/fake_outside.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

doubles::FakeInstallAide aideWith(const Names& names) {
    doubles::FakeInstallAide aide;
    for (const std::string& name : names) {
        aide.users.push_back({name, "C:\\Palm\\" + name});
    }
    return aide;
}

TEST(GetHandheldUsers, SortedByLowerCaseFormAndStable) {
    auto aide = aideWith({"Beta", "alpha", "Gamma"});
    EXPECT_EQ(Pilot::GetHandheldUsers(aide), (Names{"alpha", "Beta", "Gamma"}));
    aide = aideWith({"b", "A", "c"});
    EXPECT_EQ(Pilot::GetHandheldUsers(aide), (Names{"A", "b", "c"}));
    aide = aideWith({"Zed", "bob", "BOB", "Bob", "bob"});
    EXPECT_EQ(Pilot::GetHandheldUsers(aide), (Names{"bob", "BOB", "Bob", "bob", "Zed"}));
    // By character code: '_' (95) lies between the upper- and lower-case letters,
    // and bytes above 127 come after every ASCII character.
    aide = aideWith({"\xE9mile", "_x", "zoe"});
    EXPECT_EQ(Pilot::GetHandheldUsers(aide), (Names{"_x", "zoe", "\xE9mile"}));
}

TEST(GetHandheldUsers, CountOfZeroOrLessAsksForNoUser) {
    for (std::int32_t count : {0, -1}) {
        auto aide = aideWith({"a"});
        aide.countOverride = count;
        EXPECT_TRUE(Pilot::GetHandheldUsers(aide).empty());
        EXPECT_EQ(aide.calls, (Names{"PltGetUserCount"}));
    }
}

TEST(GetHandheldUsers, FailingUserStopsTheListThere) {
    auto aide = aideWith({"e", "d", "c", "b", "a"});
    aide.failGetUserAt = 2;
    EXPECT_EQ(Pilot::GetHandheldUsers(aide), (Names{"d", "e"}));
    EXPECT_EQ(aide.calls.back(), "PltGetUser 2");
}

TEST(GetHandheldUsers, ResultsOutside16BitsRaise) {
    auto aide = aideWith({"a"});
    aide.countOverride = 40000;
    EXPECT_THROW(Pilot::GetHandheldUsers(aide), common::SetupError);
    aide.countOverride = -40000;
    EXPECT_THROW(Pilot::GetHandheldUsers(aide), common::SetupError);
    aide.countOverride.reset();
    aide.getUserResult = 70000;
    EXPECT_THROW(Pilot::GetHandheldUsers(aide), common::SetupError);
    aide.getUserResult = 32767;
    EXPECT_EQ(Pilot::GetHandheldUsers(aide), (Names{"a"}));
    aide.loadable = false;
    EXPECT_THROW(Pilot::GetHandheldUsers(aide), common::SetupError);
}

TEST(Pilot, AnswerIsCutByTheReportedSize) {
    auto aide = aideWith({"Ann"});
    aide.desktopPath = "C:\\Palm";
    EXPECT_EQ(Pilot::GetUserDirectory(aide, "Ann"), "C:\\Palm\\Ann");
    EXPECT_EQ(Pilot::GetDesktopPath(aide), "C:\\Palm");
    EXPECT_EQ(aide.calls.back(), "PltGetPath 2");

    aide.sizeOverride = 300; // the whole buffer, NUL padding included
    EXPECT_EQ(Pilot::GetUserDirectory(aide, "Ann"), "C:\\Palm\\Ann" + std::string(244, '\0'));
    EXPECT_EQ(Pilot::GetDesktopPath(aide).size(), 255u);
    aide.sizeOverride = 2;
    EXPECT_EQ(Pilot::GetDesktopPath(aide), "C:");
    aide.sizeOverride = -1;
    EXPECT_THROW(Pilot::GetUserDirectory(aide, "Ann"), common::SetupError);
    EXPECT_THROW(Pilot::GetDesktopPath(aide), common::SetupError);
}

TEST(Pilot, FailuresReportedByTheInstallAide) {
    auto aide = aideWith({"Ann"});
    EXPECT_EQ(Pilot::GetUserDirectory(aide, "Bob"), "");
    EXPECT_EQ(Pilot::GetDesktopPath(aide), ""); // PltGetPath fails
    EXPECT_TRUE(Pilot::InstallToHandheld(aide, "Ann", "C:\\Q\\Quintara.prc"));
    EXPECT_EQ(aide.queue["Ann"], (Names{"C:\\Q\\Quintara.prc"}));
    aide.refuseAll = true;
    EXPECT_FALSE(Pilot::InstallToHandheld(aide, "Ann", "C:\\Q\\MathLib.prc"));
    aide.loadable = false;
    EXPECT_THROW(Pilot::GetDesktopPath(aide), common::SetupError);
    EXPECT_THROW(Pilot::GetUserDirectory(aide, "Ann"), common::SetupError);
    EXPECT_THROW(Pilot::InstallToHandheld(aide, "Ann", "x"), common::SetupError);
}

} // namespace
