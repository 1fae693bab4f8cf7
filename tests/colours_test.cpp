#include "common/colours.h"

#include <gtest/gtest.h>

namespace {

using common::colourOf;
using common::Paint;
using common::SystemColour;

// What is drawn on what. With high contrast on, each text must take the
// system colour meant for the ground it lies on, or it may vanish into it;
// together the pairs hold every paint.
struct OnGround {
    Paint text, ground;
    SystemColour textColour, groundColour;
};

constexpr OnGround kPairs[] = {
    {Paint::Text, Paint::Picture, SystemColour::WindowText, SystemColour::Window},
    {Paint::Title, Paint::Picture, SystemColour::WindowText, SystemColour::Window},
    {Paint::FooterText, Paint::Ground, SystemColour::ButtonText, SystemColour::ButtonFace},
    {Paint::Link, Paint::Ground, SystemColour::HotLight, SystemColour::ButtonFace},
    {Paint::Rule, Paint::Ground, SystemColour::ButtonText, SystemColour::ButtonFace},
    {Paint::StripText, Paint::Strip, SystemColour::WindowText, SystemColour::Window},
    {Paint::BannerText, Paint::Banner, SystemColour::ButtonText, SystemColour::ButtonFace},
    {Paint::AccentText, Paint::Accent, SystemColour::HighlightText, SystemColour::Highlight},
    {Paint::GlyphEdge, Paint::GlyphFace, SystemColour::WindowText, SystemColour::Window},
};

TEST(Colours, HighContrastTakesTheUsersPairsAndOtherwiseTheOwnScheme) {
    for (const OnGround& pair : kPairs) {
        SCOPED_TRACE(static_cast<int>(pair.text));
        const common::Colour text = colourOf(pair.text, true);
        const common::Colour ground = colourOf(pair.ground, true);
        EXPECT_TRUE(text.system && ground.system);
        EXPECT_EQ(text.which, pair.textColour);
        EXPECT_EQ(ground.which, pair.groundColour);
        EXPECT_FALSE(colourOf(pair.text, false).system || colourOf(pair.ground, false).system);
        EXPECT_NE(colourOf(pair.text, false).rgb, colourOf(pair.ground, false).rgb);
    }
    // The pages keep the light grey picture they were designed on.
    EXPECT_EQ(colourOf(Paint::Picture, false).rgb, 0xCCCCCCu);
}

} // namespace
