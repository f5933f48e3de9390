// Hover, pressed and disabled faces derived from small hand-made pictures, pixel by pixel.
#include <gtest/gtest.h>

#include "art/ArtStates.h"

namespace {

// A transparent square with optional opaque pixels.
wxImage Picture(int side, std::initializer_list<std::pair<wxPoint, wxColour>> pixels = {}) {
    wxImage img(side, side);
    img.InitAlpha();
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) img.SetAlpha(x, y, 0);
    for (const auto& [p, c] : pixels) {
        img.SetRGB(p.x, p.y, c.Red(), c.Green(), c.Blue());
        img.SetAlpha(p.x, p.y, 255);
    }
    return img;
}

bool IsRing(const wxImage& img, int x, int y) {
    return img.GetAlpha(x, y) > 200 && img.GetBlue(x, y) > img.GetRed(x, y) + 60;
}

TEST(ArtFaces, NormalIsThePictureItself) {
    const wxImage pic = Picture(30, {{{5, 5}, *wxRED}});
    const wxImage same = ApplyArtState(pic, ArtState::Normal);
    EXPECT_EQ(same.GetAlpha(5, 5), 255);
    EXPECT_EQ(same.GetRed(5, 5), 255);
    EXPECT_EQ(same.GetAlpha(6, 6), 0);
}

TEST(ArtFaces, InvalidPictureStaysInvalid) {
    for (ArtState s : {ArtState::Hover, ArtState::Pressed, ArtState::Disabled})
        EXPECT_FALSE(ApplyArtState(wxImage(), s).IsOk());
}

TEST(ArtFaces, PressedMovesThePictureByOnePixelPerScaleStepAndDarkensIt) {
    const wxColour grey(200, 200, 200);
    for (double scale : {1.0, 2.0, 3.0}) {
        SCOPED_TRACE(scale);
        const wxImage face =
            ApplyArtState(Picture(60, {{{20, 20}, grey}}), ArtState::Pressed, scale);
        const int d = static_cast<int>(scale);
        EXPECT_EQ(face.GetAlpha(20 + d, 20 + d), 255);
        EXPECT_LT(face.GetRed(20 + d, 20 + d), 200);
        EXPECT_GT(face.GetRed(20 + d, 20 + d), 150);
        // Where the picture was, only the half-transparent pad remains.
        EXPECT_LT(face.GetAlpha(20, 20), 255);
    }
}

TEST(ArtFaces, HoverRingIsOnePixelPerScaleStepAlongEveryEdge) {
    for (double scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        const int side = static_cast<int>(30 * scale), ring = static_cast<int>(scale);
        const wxImage face = ApplyArtState(Picture(side), ArtState::Hover, scale);
        for (int i = 0; i < ring; ++i) {
            EXPECT_TRUE(IsRing(face, side / 2, i));
            EXPECT_TRUE(IsRing(face, side / 2, side - 1 - i));
            EXPECT_TRUE(IsRing(face, i, side / 2));
            EXPECT_TRUE(IsRing(face, side - 1 - i, side / 2));
        }
        EXPECT_FALSE(IsRing(face, side / 2, ring));
        // Inside: a pale pad the picture sits on; outside the rounded corner: nothing.
        EXPECT_GT(face.GetAlpha(side / 2, side / 2), 150);
        EXPECT_GT(face.GetRed(side / 2, side / 2), 200);
        EXPECT_EQ(face.GetAlpha(0, 0), 0);
    }
}

TEST(ArtFaces, HoverRingStaysVisibleOverAPictureThatFillsItsSquare) {
    wxImage full(30, 30);
    full.InitAlpha();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            full.SetRGB(x, y, 240, 240, 240);
            full.SetAlpha(x, y, 255);
        }
    const wxImage face = ApplyArtState(full, ArtState::Hover);
    EXPECT_TRUE(IsRing(face, 15, 0));
    EXPECT_GE(face.GetRed(15, 15), 240);  // lighter, never darker
}

TEST(ArtFaces, HoverLightensByTheSameShareForEveryColour) {
    const wxImage face =
        ApplyArtState(Picture(30, {{{15, 15}, wxColour(128, 0, 255)}}), ArtState::Hover);
    EXPECT_NEAR(face.GetRed(15, 15), 128 + 127 * 0.12, 1.0);
    EXPECT_NEAR(face.GetGreen(15, 15), 255 * 0.12, 1.0);
    EXPECT_EQ(face.GetBlue(15, 15), 255);
}

TEST(ArtFaces, DisabledIsGreyFadedAndAddsNothing) {
    const wxImage face = ApplyArtState(
        Picture(30, {{{3, 3}, wxColour(220, 30, 30)}, {{4, 3}, wxColour(30, 30, 220)}}),
        ArtState::Disabled);
    for (int x : {3, 4}) {
        EXPECT_NEAR(face.GetRed(x, 3), face.GetGreen(x, 3), 2);
        EXPECT_NEAR(face.GetGreen(x, 3), face.GetBlue(x, 3), 8);
        EXPECT_NEAR(face.GetAlpha(x, 3), 153, 2);
    }
    // Red reads lighter than blue, as it does in colour: the shapes stay apart.
    EXPECT_GT(face.GetRed(3, 3), face.GetRed(4, 3));
    EXPECT_EQ(face.GetAlpha(15, 15), 0);
    EXPECT_EQ(face.GetAlpha(0, 15), 0);
}

}  // namespace
