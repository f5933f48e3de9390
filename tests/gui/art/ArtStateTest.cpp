// The faces of a button: hover, pressed and disabled are derived the same way for every picture,
// and the "on" face of a two-state button is told apart from its "off" face at a glance.
#include <gtest/gtest.h>

#include "art/Art.h"
#include "tests/gui/art/ArtPixels.h"

namespace {

std::string TestName(const testing::TestParamInfo<wxString>& info) {
    std::string s = info.param.utf8_string();
    for (char& c : s)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
    return s;
}

wxImage Face(const wxString& name, ArtState state, int scale = 1) {
    return WithAlpha(ArtBitmap(name, ArtDefaultSize(name) * scale, state));
}

// Mean luminance of the middle of the picture, away from the ring and the pad's edge.
double CentreLuminance(const wxImage& img) {
    const int w = img.GetWidth(), h = img.GetHeight();
    return Measure(img.GetSubImage(wxRect(w / 5, h / 5, w - 2 * (w / 5), h - 2 * (h / 5))))
        .luminance;
}

bool IsBluish(const wxImage& img, int x, int y) {
    return img.GetAlpha(x, y) > 160 && img.GetBlue(x, y) > img.GetRed(x, y) + 40;
}

class Faces : public testing::TestWithParam<wxString> {};

TEST_P(Faces, EachStateDiffersVisiblyFromNormal) {
    const wxString name = GetParam();
    const wxImage normal = Face(name, ArtState::Normal);
    const int area = normal.GetWidth() * normal.GetHeight();
    for (ArtState state : {ArtState::Hover, ArtState::Pressed, ArtState::Disabled}) {
        SCOPED_TRACE(static_cast<int>(state));
        const wxImage face = Face(name, state);
        ASSERT_EQ(face.GetSize(), normal.GetSize());
        EXPECT_GT(DifferingPixels(face, normal), area / 10);
    }
}

TEST_P(Faces, HoverIsLighterAndRingedInTheHighlightBlue) {
    const wxString name = GetParam();
    for (int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        const wxImage normal = Face(name, ArtState::Normal, scale),
                      hover = Face(name, ArtState::Hover, scale);
        const int w = hover.GetWidth(), h = hover.GetHeight();
        // The ring runs along all four edges, over the picture if it reaches the edge.
        EXPECT_TRUE(IsBluish(hover, w / 2, 0) || IsBluish(hover, w / 2, 1));
        EXPECT_TRUE(IsBluish(hover, w / 2, h - 1) || IsBluish(hover, w / 2, h - 2));
        EXPECT_TRUE(IsBluish(hover, 0, h / 2) || IsBluish(hover, 1, h / 2));
        EXPECT_TRUE(IsBluish(hover, w - 1, h / 2) || IsBluish(hover, w - 2, h / 2));
        EXPECT_GT(CentreLuminance(hover), CentreLuminance(normal));
    }
}

TEST_P(Faces, PressedIsDarkerAndMovesDownRight) {
    const wxString name = GetParam();
    const wxImage normal = Face(name, ArtState::Normal), pressed = Face(name, ArtState::Pressed);
    const int w = normal.GetWidth(), h = normal.GetHeight();
    auto lum = [](const wxImage& img, int x, int y) {
        return 0.30 * img.GetRed(x, y) + 0.59 * img.GetGreen(x, y) + 0.11 * img.GetBlue(x, y);
    };
    // Where the picture is solid, the pressed face shows the same pixel one step down-right,
    // darker. Alpha tells where: the pad under the picture is never fully opaque, so solid means
    // picture.
    double normalLum = 0, pressedLum = 0;
    int matchShifted = 0, matchInPlace = 0;
    for (int y = 1; y < h - 2; ++y)
        for (int x = 1; x < w - 2; ++x) {
            const bool solid = normal.GetAlpha(x, y) == 255;
            matchShifted += solid == (pressed.GetAlpha(x + 1, y + 1) == 255);
            matchInPlace += solid == (pressed.GetAlpha(x, y) == 255);
            if (!solid) continue;
            normalLum += lum(normal, x, y);
            pressedLum += lum(pressed, x + 1, y + 1);
        }
    EXPECT_LT(pressedLum, normalLum * 0.95);
    EXPECT_GE(matchShifted, matchInPlace);
}

TEST_P(Faces, DisabledIsGreyAndFaded) {
    const wxString name = GetParam();
    const PixelStats disabled = Measure(Face(name, ArtState::Disabled));
    const PixelStats original = Measure(Face(name, ArtState::Normal));
    EXPECT_LE(disabled.maxChroma, 12);
    EXPECT_LT(disabled.alphaSum, original.alphaSum * 0.75);
    // Faded, not erased: the shape keeps enough weight to be read.
    EXPECT_GT(disabled.alphaSum, original.alphaSum * 0.4);
}

TEST_P(Faces, StateFacesStaySharpOnHighResolutionScreens) {
    const wxString name = GetParam();
    const wxSize twice = ArtDefaultSize(name) * 2;
    for (ArtState state : {ArtState::Hover, ArtState::Pressed, ArtState::Disabled}) {
        SCOPED_TRACE(static_cast<int>(state));
        const wxBitmapBundle bundle = ArtBundle(name, state);
        ASSERT_TRUE(bundle.IsOk());
        EXPECT_EQ(bundle.GetDefaultSize(), ArtDefaultSize(name));
        const wxBitmap big = bundle.GetBitmap(twice);
        ASSERT_EQ(big.GetSize(), twice);
        EXPECT_EQ(DifferingPixels(WithAlpha(big), Face(name, state, 2)), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Art, Faces, testing::ValuesIn(ArtNames()), TestName);

// Every "on" face has its "off" partner; "on" sits on the blue latched pad, "off" does not.
TEST(TwoStateButtons, OnFaceSitsOnALatchedPadTheOffFaceLacks) {
    int pairs = 0;
    for (const wxString& name : ArtNames()) {
        if (!name.EndsWith("-on")) continue;
        SCOPED_TRACE(name.utf8_string());
        ++pairs;
        const wxString off = name.BeforeLast('-') + "-off";
        ASSERT_TRUE(ArtDefaultSize(off).IsFullySpecified()) << "missing " << off;
        ASSERT_EQ(ArtDefaultSize(off), ArtDefaultSize(name));
        for (int scale : {1, 2}) {
            const wxImage on = Face(name, ArtState::Normal, scale),
                          offFace = Face(off, ArtState::Normal, scale);
            const int w = on.GetWidth(), h = on.GetHeight();
            EXPECT_GT(DifferingPixels(on, offFace), w * h / 4);
            // The pad fills the square right up to its rounded corners.
            for (const wxPoint p : {wxPoint(w / 2, 2), wxPoint(2, h / 2), wxPoint(w / 2, h - 3)})
                EXPECT_EQ(on.GetAlpha(p.x, p.y), 255) << p.x << "," << p.y;
            EXPECT_GT(Measure(on).visible, Measure(offFace).visible);
        }
    }
    EXPECT_GT(pairs, 0);
}

}  // namespace
