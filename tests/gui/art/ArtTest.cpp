// Every picture of the program renders, at the size the program uses it and at twice that size.
#include <gtest/gtest.h>
#include <wx/icon.h>

#include <algorithm>
#include <set>

#include "art/Art.h"
#include "tests/gui/art/ArtPixels.h"
#include "tests/gui/harness/GuiTest.h"

namespace {

// Bounding box of the near-white pixels (the splash lettering) inside `band`.
wxRect WhiteExtent(const wxImage& img, const wxRect& band) {
    int x0 = band.GetRight() + 1, y0 = band.GetBottom() + 1, x1 = band.x - 1, y1 = band.y - 1;
    for (int y = band.y; y <= band.GetBottom(); ++y)
        for (int x = band.x; x <= band.GetRight(); ++x)
            if (std::min({img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y)}) > 225) {
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y),
                y1 = std::max(y1, y);
            }
    return x1 < x0 ? wxRect() : wxRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
}

std::string TestName(const testing::TestParamInfo<wxString>& info) {
    std::string s = info.param.utf8_string();
    for (char& c : s)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
    return s;
}

class EveryPicture : public testing::TestWithParam<wxString> {};

TEST_P(EveryPicture, RendersVisibleDetailAtItsSizeAndTwiceIt) {
    const wxString name = GetParam();
    const wxSize size = ArtDefaultSize(name);
    ASSERT_TRUE(size.IsFullySpecified()) << name;
    for (int scale : {1, 2}) {
        SCOPED_TRACE(testing::Message() << "scale " << scale);
        const wxSize want(size.x * scale, size.y * scale);
        const wxBitmap bmp = ArtBitmap(name, want);
        ASSERT_TRUE(bmp.IsOk());
        EXPECT_EQ(bmp.GetSize(), want);
        const PixelStats s = Measure(WithAlpha(bmp));
        // A real drawing covers a good part of its square and has shading, not one flat colour.
        EXPECT_GT(s.visible, want.x * want.y / 5);
        EXPECT_GE(s.colours, 8);
    }
}

TEST_P(EveryPicture, BundleRendersSharpAtHighResolution) {
    const wxString name = GetParam();
    const wxBitmapBundle bundle = ArtBundle(name);
    ASSERT_TRUE(bundle.IsOk());
    EXPECT_EQ(bundle.GetDefaultSize(), ArtDefaultSize(name));
    const wxSize twice = ArtDefaultSize(name) * 2;
    const wxBitmap big = bundle.GetBitmap(twice);
    ASSERT_EQ(big.GetSize(), twice);
    // Drawn from the vector source, not the small picture blown up: twice the size carries more
    // distinct colours (antialiased edges and gradients get more room).
    wxImage blownUp = WithAlpha(bundle.GetBitmap(ArtDefaultSize(name)));
    blownUp.Rescale(twice.x, twice.y, wxIMAGE_QUALITY_NEAREST);
    EXPECT_GT(DifferingPixels(WithAlpha(big), blownUp, 24), 0);
}

INSTANTIATE_TEST_SUITE_P(Art, EveryPicture, testing::ValuesIn(ArtNames()), TestName);

TEST(ArtCatalogue, NamesAreUniqueAndEachHasASize) {
    std::set<wxString> seen;
    for (const wxString& name : ArtNames()) {
        EXPECT_TRUE(seen.insert(name).second) << "twice: " << name;
        EXPECT_TRUE(ArtDefaultSize(name).IsFullySpecified()) << name;
    }
}

// The pictures other parts of the program ask for, at the sizes their layouts give them.
TEST(ArtCatalogue, ServesEveryPictureTheProgramUsesAtItsSize) {
    const struct {
        const char* name;
        int w, h;
    } uses[] = {
        {"menu-open", 16, 15},
        {"menu-save", 16, 15},
        {"menu-print", 16, 15},
        {"tool-open", 50, 50},
        {"tool-save", 50, 50},
        {"tool-print", 50, 50},
        {"tool-capture", 50, 50},
        {"version", 98, 60},
        {"graph-flow-on", 50, 50},
        {"graph-flow-off", 50, 50},
        {"graph-volume-on", 50, 50},
        {"graph-volume-off", 50, 50},
        {"graph-pressure-on", 50, 50},
        {"graph-pressure-off", 50, 50},
        {"zoom-in", 35, 30},
        {"zoom-out", 35, 30},
        {"measure-flow-on", 35, 30},
        {"measure-flow-off", 35, 30},
        {"measure-pressure-on", 35, 30},
        {"measure-pressure-off", 35, 30},
        {"grid-on", 35, 30},
        {"grid-off", 35, 30},
        {"points-on", 35, 30},
        {"points-off", 35, 30},
        {"filter-on", 35, 30},
        {"filter-off", 35, 30},
        {"live-start", 70, 70},
        {"live-stop", 70, 70},
        {"meter-settings", 70, 70},
        {"meter-erase", 70, 70},
        {"meter-download", 70, 70},
        {"tip-live", 70, 70},
        {"tip-settings", 70, 70},
        {"tip-download", 70, 70},
        {"tip-erase", 70, 70},
        {"tip-open", 50, 50},
        {"tip-hover", 70, 70},
        {"tip-capture", 50, 50},
        {"meter-connected", 280, 70},
        {"meter-sent", 280, 70},
        {"meter-disconnected", 280, 70},
        {"splash", 640, 540},
        {"app-icon", 48, 48},
    };
    for (const auto& u : uses) EXPECT_EQ(ArtDefaultSize(u.name), wxSize(u.w, u.h)) << u.name;
}

TEST(ArtCatalogue, UnknownNamesGiveNothingAndSayWhy) {
    guitest::CapturedLog::Get().Clear();
    for (const char* name : {"no-such-picture", "", "Tool-Open", "tool-open.svg", "graph-flow"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(ArtBundle(name).IsOk());
        EXPECT_FALSE(ArtBundle(name, ArtState::Hover).IsOk());
        EXPECT_FALSE(ArtBitmap(name, wxSize(50, 50)).IsOk());
        EXPECT_FALSE(ArtBitmap(name, wxSize(50, 50), ArtState::Disabled).IsOk());
        EXPECT_EQ(ArtDefaultSize(name), wxDefaultSize);
    }
#if wxDEBUG_LEVEL
    EXPECT_TRUE(guitest::CapturedLog::Get().Contains("no-such-picture"));
#endif
}

TEST(ArtCatalogue, EmptyOrNegativeSizeGivesNoBitmap) {
    for (const wxSize size : {wxSize(0, 0), wxSize(0, 16), wxSize(16, -1), wxSize(-5, -5)})
        EXPECT_FALSE(ArtBitmap("tool-open", size).IsOk()) << size.x << "x" << size.y;
}

TEST(Splash, IsTheFullPictureWithTitleAndVersionDrawnOnIt) {
    const wxBitmap splash = SplashBitmap();
    ASSERT_TRUE(splash.IsOk());
    EXPECT_EQ(splash.GetSize(), wxSize(640, 540));
    const wxImage shown = splash.ConvertToImage();
    // Opaque all over: the splash window has no background of its own to show through.
    if (shown.HasAlpha()) {
        for (int y = 0; y < 540; y += 27)
            for (int x = 0; x < 640; x += 32) ASSERT_EQ(shown.GetAlpha(x, y), 255) << x << "," << y;
    }
    // The text band differs from the bare artwork, the scene above it does not.
    wxImage bare = WithAlpha(ArtBitmap("splash", wxSize(640, 540)));
    wxImage text = shown.HasAlpha() ? shown : WithAlpha(splash);
    const wxRect titleBand(0, 340, 640, 170), scene(0, 0, 640, 320);
    EXPECT_GT(DifferingPixels(text.GetSubImage(titleBand), bare.GetSubImage(titleBand), 40), 2000);
    EXPECT_EQ(DifferingPixels(text.GetSubImage(scene), bare.GetSubImage(scene), 12), 0);
}

TEST(Splash, HighResolutionSplashHasTwiceThePixelsOfTheSamePicture) {
    const wxBitmap one = SplashBitmap(), two = SplashBitmap(2.0);
    ASSERT_TRUE(two.IsOk());
    EXPECT_EQ(two.GetSize(), wxSize(1280, 1080));
    EXPECT_DOUBLE_EQ(two.GetScaleFactor(), 2.0);
    EXPECT_EQ(one.GetScaleFactor(), 1.0);
    wxImage reduced = two.ConvertToImage();
    reduced.Rescale(640, 540, wxIMAGE_QUALITY_BOX_AVERAGE);
    wxImage base = one.ConvertToImage();
    reduced.InitAlpha();
    base.InitAlpha();
    // Same scene; the texts in the same places and sizes (font hinting differs, so compare the
    // extent of the white lettering, not its pixels).
    const wxRect scene(0, 0, 640, 330);
    EXPECT_LT(DifferingPixels(reduced.GetSubImage(scene), base.GetSubImage(scene), 40),
              640 * 330 / 200);
    for (const wxRect band : {wxRect(0, 340, 640, 70), wxRect(0, 470, 640, 40)}) {
        const wxRect want = WhiteExtent(base, band), got = WhiteExtent(reduced, band);
        ASSERT_FALSE(want.IsEmpty());
        EXPECT_NEAR(got.x, want.x, 4);
        EXPECT_NEAR(got.width, want.width, 8);
        EXPECT_NEAR(got.y, want.y, 4);
        EXPECT_NEAR(got.height, want.height, 6);
    }
}

TEST(AppIcon, BundleHoldsEverySizeAWindowManagerAsksFor) {
    const wxIconBundle icons = AppIconBundle();
    ASSERT_FALSE(icons.IsEmpty());
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(side);
        const wxIcon icon = icons.GetIconOfExactSize(wxSize(side, side));
        ASSERT_TRUE(icon.IsOk());
        wxBitmap bmp;
        bmp.CopyFromIcon(icon);
        const PixelStats s = Measure(WithAlpha(bmp));
        EXPECT_GT(s.visible, side * side / 2);
    }
}

}  // namespace
