#include "common/colours.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using common::colourOf;
using common::Paint;
using common::SystemColour;

constexpr Paint kEveryPaint[] = {
    Paint::Ground,     Paint::Picture, Paint::Text,       Paint::Title,     Paint::FooterText,
    Paint::Link,       Paint::Rule,    Paint::Strip,      Paint::StripText, Paint::Banner,
    Paint::BannerText, Paint::Accent,  Paint::AccentText, Paint::GlyphEdge, Paint::GlyphFace,
};

// What is drawn on what: with high contrast on, each text must take the
// system colour meant for the ground it lies on, or it may vanish into it.
struct OnGround {
    Paint text;
    Paint ground;
    SystemColour textColour;
    SystemColour groundColour;
};

constexpr OnGround kPairs[] = {
    {Paint::Text, Paint::Picture, SystemColour::WindowText, SystemColour::Window},
    {Paint::Title, Paint::Picture, SystemColour::WindowText, SystemColour::Window},
    {Paint::FooterText, Paint::Ground, SystemColour::ButtonText, SystemColour::ButtonFace},
    {Paint::Rule, Paint::Ground, SystemColour::ButtonText, SystemColour::ButtonFace},
    {Paint::StripText, Paint::Strip, SystemColour::WindowText, SystemColour::Window},
    {Paint::BannerText, Paint::Banner, SystemColour::ButtonText, SystemColour::ButtonFace},
    {Paint::AccentText, Paint::Accent, SystemColour::HighlightText, SystemColour::Highlight},
    {Paint::GlyphEdge, Paint::GlyphFace, SystemColour::WindowText, SystemColour::Window},
};

TEST(Colours, HighContrastDrawsEveryPartInTheUsersColours) {
    for (Paint paint : kEveryPaint) {
        EXPECT_TRUE(colourOf(paint, true).system) << static_cast<int>(paint);
        EXPECT_FALSE(colourOf(paint, false).system) << static_cast<int>(paint);
    }
    EXPECT_EQ(colourOf(Paint::Link, true).which, SystemColour::HotLight);
}

TEST(Colours, HighContrastPairsEachTextWithItsGround) {
    for (const OnGround& pair : kPairs) {
        EXPECT_EQ(colourOf(pair.text, true).which, pair.textColour) << static_cast<int>(pair.text);
        EXPECT_EQ(colourOf(pair.ground, true).which, pair.groundColour)
            << static_cast<int>(pair.ground);
    }
}

TEST(Colours, OwnSchemeKeepsItsTextsOffTheirGrounds) {
    for (const OnGround& pair : kPairs) {
        EXPECT_NE(colourOf(pair.text, false).rgb, colourOf(pair.ground, false).rgb)
            << static_cast<int>(pair.text);
    }
    // The page picture stays the light grey the pages were designed on.
    EXPECT_EQ(colourOf(Paint::Picture, false).rgb, 0xCCCCCCu);
}

} // namespace
