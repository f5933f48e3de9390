#include <gtest/gtest.h>

#include "widgets/core/ButtonLayout.h"

using namespace button;

TEST(ButtonPicture, FirstMatchWins) {
    const Pictures all{true, true, true, true, true};
    const Pictures normalOnly{true, false, false, false, false};
    const Pictures noHover{true, true, false, true, true};
    const struct {
        State state;
        Pictures have;
        Picture expected;
        const char* what;
    } cases[] = {
        {{false, false, false, true}, all, Picture::Normal, "idle"},
        {{true, true, true, true}, all, Picture::Pressed, "pressed beats hover and focus"},
        {{false, true, true, true}, all, Picture::Hover, "hover beats focus"},
        {{false, false, true, true}, all, Picture::Focused, "focused"},
        {{false, false, false, false}, all, Picture::Disabled, "disabled"},
        {{false, true, false, false}, all, Picture::Hover, "hover beats disabled"},
        {{false, false, true, false}, all, Picture::Focused, "focus beats disabled"},
        {{true, true, true, false}, normalOnly, Picture::Normal, "only a normal picture"},
        {{false, true, false, false}, noHover, Picture::Disabled, "no hover picture: disabled"},
        {{true, false, false, true}, noHover, Picture::Pressed, "pressed without hover picture"},
        {{false, false, false, true}, Pictures{}, Picture::None, "no picture at all"},
        {{false, true, false, true},
         Pictures{false, false, true, false, false},
         Picture::Hover,
         "hover without a normal picture"},
    };
    for (const auto& c : cases) EXPECT_EQ(ChoosePicture(c.state, c.have), c.expected) << c.what;
}

TEST(ButtonPicture, PlacementByAlignment) {
    const struct {
        Alignment align;
        Offset at;
        const char* what;
    } cases[] = {
        {{}, {2, 5}, "centred: (55 - 50) / 2 and (60 - 50) / 2"},
        {{true, false, false, false}, {4, 5}, "left"},
        {{false, true, false, false}, {1, 5}, "right: 55 - 50 - 4"},
        {{false, false, true, false}, {2, 4}, "top"},
        {{false, false, false, true}, {2, 6}, "bottom: 60 - 50 - 4"},
        {{true, false, true, false}, {4, 4}, "left top"},
    };
    for (const auto& c : cases) EXPECT_EQ(PlacePicture(55, 60, 50, 50, c.align), c.at) << c.what;
}

TEST(ButtonPicture, CentringTruncatesTowardsZero) {
    EXPECT_EQ(PlacePicture(55, 50, 35, 30, {}), (Offset{10, 10}));
    EXPECT_EQ(PlacePicture(55, 60, 20, 21, {}), (Offset{17, 19}));
    // A picture larger than the button hangs over both sides about equally.
    EXPECT_EQ(PlacePicture(55, 60, 70, 70, {}), (Offset{-7, -5}));
}

TEST(ButtonCaption, CentredAndTouchingTheBottom) {
    EXPECT_EQ(PlaceCaption(55, 60, 25, 15), (Offset{15, 45}));
    EXPECT_EQ(PlaceCaption(55, 50, 26, 15), (Offset{14, 35}));
    // Wider than the button: clipped about equally on both sides.
    EXPECT_EQ(PlaceCaption(55, 60, 95, 15), (Offset{-20, 45}));
}

TEST(ButtonHover, RepaintOnlyWhenEnabledWithAHoverPicture) {
    EXPECT_TRUE(RepaintsOnHover(true, true));
    EXPECT_FALSE(RepaintsOnHover(true, false));
    EXPECT_FALSE(RepaintsOnHover(false, true));
    EXPECT_FALSE(RepaintsOnHover(false, false));
}
