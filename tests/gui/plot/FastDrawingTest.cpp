// The per-column drawing of a long series gives the pixels of drawing every segment.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "plot/mpFXYVector.h"
#include "plot/mpFXYVectorKest.h"
#include "tests/gui/plot/PlotFixture.h"

namespace {

// Noise with narrow spikes both ways, a step and a flat stretch: what hides most easily.
void SpikySeries(std::size_t n, std::vector<float>& xs, std::vector<float>& ys) {
    std::mt19937 rng(42);
    std::normal_distribution<float> noise(0, 0.3f);
    xs.resize(n);
    ys.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        xs[i] = static_cast<float>(i) * 0.001f;
        float y = 10 + 2 * std::sin(static_cast<float>(i) * 0.0002f) + noise(rng);
        if (i % 7919 == 0) y += 25;
        if (i % 10007 == 0) y -= 18;
        if (i > n / 2 && i < n / 2 + 3000) y = 4;
        ys[i] = y;
    }
}

bool IsInk(const wxColour& c) { return !IsWhite(c); }

// Pixels covered in one picture and not in the other. Drawing every segment paints the edge
// pixels of a dense column many times, so their antialiased shade differs from the few strokes
// of the fast drawing: only coverage counts, and a changed shade of a covered pixel does not.
struct Diff {
    int coverage = 0;  // covered in exactly one of the pictures
    int far = 0;       // of those, with no covered pixel within 1 px in the other picture
};

Diff Compare(const wxImage& a, const wxImage& b) {
    Diff d;
    const int w = a.GetWidth(), h = a.GetHeight();
    auto inkNear = [&](const wxImage& img, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int xx = x + dx, yy = y + dy;
                if (xx >= 0 && yy >= 0 && xx < w && yy < h && IsInk(PixelAt(img, xx, yy)))
                    return true;
            }
        return false;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool ia = IsInk(PixelAt(a, x, y)), ib = IsInk(PixelAt(b, x, y));
            if (ia == ib) continue;
            ++d.coverage;
            if (!inkNear(ia ? b : a, x, y)) ++d.far;
        }
    return d;
}

struct Case {
    const char* what;
    int penWidth;
    bool continuous;
    double zoom;  // 1: whole series in view; more: a part, the rest skipped
};

class FastDrawing : public ::testing::TestWithParam<Case> {};

}  // namespace

TEST_P(FastDrawing, SamePixelsAsEverySegment) {
    const Case c = GetParam();
    PlotFrame f(wxSize(800, 400));
    std::vector<float> xs, ys;
    SpikySeries(150000, xs, ys);
    mpFXYVector s;
    s.SetData(xs, ys, 0);
    s.SetPen(wxPen(*wxBLUE, c.penWidth));
    s.continuous = c.continuous;
    f.plot->AddLayer(&s);
    plotcore::ViewState v;
    v.scaleX = 700 / 150.0 * c.zoom;
    v.posX = 75 + 20 / c.zoom;
    v.scaleY = 8;
    v.posY = 12;
    f.plot->SetView(v);

    const wxSize size(800, 400);
    s.SetFastDrawing(false);
    const wxImage every = f.Render(size);
    s.SetFastDrawing(true);
    const wxImage fast = f.Render(size);

    const Diff d = Compare(every, fast);
    // Antialiasing may shade an edge pixel differently; a lost spike or step would be far.
    EXPECT_EQ(d.far, 0) << c.what;
    // A series this dense is stroked without smoothing, where the joins of the fast drawing's one
    // line and the ends of the separate segments cover a few pixels differently.
    EXPECT_LE(d.coverage, 800 * 400 / 1000) << c.what << " " << d.coverage;
    // The spikes are there at all: the picture reaches far above and below the noise band.
    const wxRect ink = BoundsOf(fast, IsBlueish);
    EXPECT_LT(ink.y, 200 - 8 * 15) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Series, FastDrawing,
                         ::testing::Values(Case{"line 1px", 1, true, 1},
                                           Case{"line 2px", 2, true, 1},
                                           Case{"line 3px zoomed", 3, true, 6},
                                           Case{"points 6px", 6, false, 1},
                                           Case{"points 1px zoomed", 1, false, 4}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(FastDrawingKest, SecondAxisSeriesDrawsTheSameAsEverySegment) {
    PlotFrame f(wxSize(600, 300));
    std::vector<float> xs, ys;
    SpikySeries(60000, xs, ys);
    mpFXYVectorKest s;
    s.SetData(xs, ys);
    s.SetPen(wxPen(*wxRED, 2));
    s.continuous = true;
    f.plot->AddLayer(&s);
    plotcore::ViewState v;
    v.scaleX = 500 / 60.0;
    v.posX = 30;
    v.scaleY2 = 6;
    v.posY2 = 12;
    f.plot->SetView(v);
    s.SetFastDrawing(false);
    const wxImage every = f.Render();
    s.SetFastDrawing(true);
    const wxImage fast = f.Render();
    EXPECT_EQ(Compare(every, fast).far, 0);
}

TEST(FastDrawingKest, UnorderedSeriesStillDrawsEverySegment) {
    PlotFrame f(wxSize(300, 200));
    mpFXYVector s;
    s.SetData({0, 10, 5, -5}, {0, 5, -5, 5}, 0);
    s.SetPen(wxPen(*wxBLUE, 1));
    s.continuous = true;
    f.plot->AddLayer(&s);
    plotcore::ViewState v;
    v.posX = 0;
    v.posY = 0;
    v.scaleX = 10;
    v.scaleY = 10;
    f.plot->SetView(v);
    const wxImage fast = f.Render(wxSize(300, 200));
    s.SetFastDrawing(false);
    const wxImage every = f.Render(wxSize(300, 200));
    EXPECT_EQ(Compare(every, fast).coverage, 0);
    // The segment back from x 10 to x 5 is there: pixel at world (7.5, 0).
    EXPECT_TRUE(IsBlueish(PixelAt(fast, 150 + 75, 100)));
}
