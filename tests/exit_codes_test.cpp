#include "common/exit_codes.h"
#include "common/twips.h"

#include <gtest/gtest.h>

namespace {

using common::exitCodeFor;
using common::Outcome;
using common::Scale;

// Whether the installation run placed everything; nothing when none ran.
constexpr std::optional<bool> kComplete = true;
constexpr std::optional<bool> kSomeFailed = false;

TEST(ExitCode, EachEndingHasItsInstallerCode) {
    EXPECT_EQ(exitCodeFor(Outcome::Installed, kComplete), 0);
    EXPECT_EQ(exitCodeFor(Outcome::StartFailed, std::nullopt), 1);
    EXPECT_EQ(exitCodeFor(Outcome::Cancelled, std::nullopt), 2);
    EXPECT_EQ(exitCodeFor(Outcome::Incomplete, kSomeFailed), 4);
    EXPECT_EQ(exitCodeFor(Outcome::Stopped, std::nullopt), 7);
}

TEST(ExitCode, ClosingTheWindowOtherwiseReportsWhatTheInstallationDid) {
    // Closed from the system menu: the wizard's outcome is still Running.
    EXPECT_EQ(exitCodeFor(Outcome::Running, std::nullopt), 2);
    EXPECT_EQ(exitCodeFor(Outcome::Running, kComplete), 0);
    EXPECT_EQ(exitCodeFor(Outcome::Running, kSomeFailed), 4);
}

TEST(Scale, TwipsBecomePixelsWithTheScreensResolution) {
    const Scale standard{96};
    EXPECT_EQ(standard.twips(8250), 550);
    EXPECT_EQ(standard.twips(5685), 379);
    EXPECT_EQ(standard.twips(15), 1);
    EXPECT_EQ(standard.twips(0), 0);

    // 1155 twips at 120 dpi are 96.25 pixels, 1095 are 91.25, 375 are 31.25.
    const Scale large{120};
    EXPECT_EQ(large.twips(1155), 96);
    EXPECT_EQ(large.twips(1095), 91);
    EXPECT_EQ(large.twips(8250), 688); // 687.5 rounds up

    const Scale double_{192};
    EXPECT_EQ(double_.twips(8325), 1110);
    EXPECT_EQ(double_.design(16), 32);
}

TEST(Scale, FontHeightsAreNegativeCharacterHeights) {
    EXPECT_EQ(Scale{96}.fontHeight(8), -11); // 10.67 pixels
    EXPECT_EQ(Scale{96}.fontHeight(9), -12);
    EXPECT_EQ(Scale{144}.fontHeight(8), -16);
}

} // namespace
