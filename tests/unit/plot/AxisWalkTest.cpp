#include <gtest/gtest.h>

#include <vector>

#include "plot/core/AxisPlacement.h"
#include "plot/core/AxisWalk.h"
#include "plot/core/CornerLegend.h"

using namespace plotcore;

namespace {

// Every character 10 px wide, every line 12 px high.
PlotSize Measure(const wxString& s) { return {10 * static_cast<int>(s.length()), 12}; }

wxString Number(double t, int) { return wxString::Format("%g", t); }

ViewState View(double posX, double scaleX, double posY, double scaleY) {
    ViewState v;
    v.posX = posX;
    v.scaleX = scaleX;
    v.posY = posY;
    v.scaleY = scaleY;
    return v;
}

std::vector<int> Pixels(const std::vector<AxisTick>& ticks) {
    std::vector<int> out;
    for (const AxisTick& t : ticks) out.push_back(t.pixel);
    return out;
}

std::vector<int> LabelledPixels(const std::vector<AxisTick>& ticks) {
    std::vector<int> out;
    for (const AxisTick& t : ticks)
        if (t.labelled) out.push_back(t.pixel);
    return out;
}

}  // namespace

TEST(AxisWalk, PlacementGivesTheAxisLine) {
    const ViewState v = View(3, 10, 2, 20);  // x = 0 at column -30, y = 0 at row 40
    struct Case {
        int placement, row, column, secondColumn;
    };
    const Case cases[] = {
        {mpAXIS_HIGH_INSET, 10 - 150, 300 - 20, 300 - 20}, {mpAXIS_AT_ORIGIN, 40, -30, -30},
        {mpAXIS_LOW_INSET, 150 - 35, 50 - 300, 40 - 300},  {mpAXIS_LOW_BORDER, 150 - 1, -300, -300},
        {mpAXIS_HIGH_BORDER, -150, 300 - 1, 300 - 50},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HorizontalAxisRow(c.placement, 300, 35, v), c.row) << c.placement;
        EXPECT_EQ(PrimaryVerticalAxisLayout(c.placement, true, false, {600, 300}, 30, v).column,
                  c.column)
            << c.placement;
        EXPECT_EQ(SecondVerticalAxisLayout(c.placement, true, {600, 300}, 30, v).column,
                  c.secondColumn)
            << c.placement;
    }
}

TEST(AxisWalk, HorizontalTicksStayInTheirBand) {
    // Step 125 px: ticks at -375 ... 250; the band leaves out the first 50 px, and the last 50 px
    // when the axis stops before the right axis.
    const ViewState v = View(0, 1, 0, 1);
    HorizontalAxis a = NumericAxisLayout(mpAXIS_LOW_INSET, true, false, {600, 300}, v);
    EXPECT_EQ(Pixels(WalkHorizontalAxis(v, a, Number, Measure)),
              (std::vector<int>{-125, 0, 125, 250}));
    a.stopBeforeRightAxis = true;
    EXPECT_EQ(Pixels(WalkHorizontalAxis(v, a, Number, Measure)), (std::vector<int>{-125, 0, 125}));
    // The time axis stops its ticks at its right end, short of a second axis.
    const HorizontalAxis time =
        TimeAxisLayout(mpAXIS_LOW_INSET, true, false, {600, 300}, 30, true, false, v);
    EXPECT_EQ(time.rightEnd, 250);
    EXPECT_EQ(Pixels(WalkHorizontalAxis(v, time, Number, Measure)),
              (std::vector<int>{-125, 0, 125}));
}

TEST(AxisWalk, HorizontalLabelsThatWouldCrowdAreLeftOutButKeepTheirMark) {
    // Ticks 64 px apart with labels 100 px wide: every other one fits 10 px apart, every third
    // one 64 px apart.
    const ViewState v = View(0, 0.512, 0, 1);
    const auto wide = [](double, int) { return wxString("0123456789"); };
    struct Case {
        int gap;
        std::vector<int> labelled;
    };
    const Case cases[] = {{10, {-192, -64, 64, 192}}, {64, {-192, 0, 192}}};
    for (const Case& c : cases) {
        HorizontalAxis a = NumericAxisLayout(mpAXIS_LOW_INSET, true, false, {600, 300}, v);
        a.labelGap = c.gap;
        const std::vector<AxisTick> ticks = WalkHorizontalAxis(v, a, wide, Measure);
        EXPECT_EQ(Pixels(ticks), (std::vector<int>{-192, -128, -64, 0, 64, 128, 192, 256}));
        EXPECT_EQ(LabelledPixels(ticks), c.labelled) << c.gap;
    }
}

TEST(AxisWalk, HorizontalLabelsAreNeverCutAtTheWindowEdges) {
    // The time axis: labels 10 px apart, 600 px wide, ticks 125 px apart; posX moves a tick to 5 px
    // from the right edge (t = 250), or just inside the band that starts 50 px from the left edge
    // (t = -250). Labels are drawn 2 px or more from either edge, still spanning their tick, or
    // left out when moving them would crowd the previous label.
    struct Case {
        double posX;
        const char* text;
        int pixel;
        bool labelled;
        int labelX;
    };
    const Case cases[] = {
        {-45, "250", 295, true, 300 - 2 - 30},     // moved left inside the window
        {-45, "0123456789", 295, false, 0},        // moved, it would crowd the one at 170
        {1, "0123456789", -126, true, -176},       // centred: it fits
        {-1, "0123456789", -249, true, -300 + 2},  // moved right inside the window,
        {-1, "0123456789", -124, true, -174},      // its neighbour still centred
    };
    for (const Case& c : cases) {
        const ViewState v = View(c.posX, 1, 0, 1);
        const HorizontalAxis a =
            TimeAxisLayout(mpAXIS_LOW_INSET, true, false, {600, 300}, 35, false, false, v);
        const auto text = [&](double, int) { return wxString(c.text); };
        bool found = false;
        for (const AxisTick& t : WalkHorizontalAxis(v, a, text, Measure)) {
            if (t.labelled) {
                EXPECT_GE(t.labelAt.x, -300 + 2) << c.posX << " " << t.pixel;
                EXPECT_LE(t.labelAt.x + t.labelSize.w, 300 - 2) << c.posX << " " << t.pixel;
                EXPECT_LE(t.labelAt.x, t.pixel);
                EXPECT_GE(t.labelAt.x + t.labelSize.w, t.pixel);
            }
            if (t.pixel != c.pixel) continue;
            found = true;
            EXPECT_EQ(t.labelled, c.labelled) << c.posX << " " << c.text;
            if (c.labelled) {
                EXPECT_EQ(t.labelAt.x, c.labelX) << c.posX << " " << c.text;
            }
        }
        EXPECT_TRUE(found) << "no tick at " << c.pixel;
    }
}

TEST(AxisWalk, ATickWithAnEmptyLabelKeepsItsMarkAndLeavesRoomForTheNext) {
    // The time axis: ticks 64 px apart, labels 100 px wide on every other tick only: each fits
    // 28 px after the previous one (the last moved 58 px left, inside the window), which a blank
    // label in between must not block.
    const ViewState v = View(0, 0.512, 0, 1);
    const auto everyOther = [](double t, int) {
        return static_cast<long long>(t / 125) % 2 == 0 ? wxString("0123456789") : wxString();
    };
    const HorizontalAxis a =
        TimeAxisLayout(mpAXIS_LOW_INSET, true, false, {600, 300}, 35, false, false, v);
    const std::vector<AxisTick> ticks = WalkHorizontalAxis(v, a, everyOther, Measure);
    EXPECT_EQ(Pixels(ticks), (std::vector<int>{-192, -128, -64, 0, 64, 128, 192, 256}));
    EXPECT_EQ(LabelledPixels(ticks), (std::vector<int>{-128, 0, 128, 256}));
}

TEST(AxisWalk, HorizontalMarksAndLabelsFaceAwayFromTheBorder) {
    const ViewState v = View(0, 1, 0, 1);
    struct Case {
        int placement;
        bool ticks;
        PlotPoint markFrom, markTo, labelAt;
    };
    // Tick 0, label "0" 10 x 12; row 115 for the inset axis, 149 on the border.
    const Case cases[] = {
        {mpAXIS_LOW_INSET, true, {0, 115}, {0, 119}, {-5, 119}},
        {mpAXIS_LOW_BORDER, true, {0, 149}, {0, 145}, {-5, 149 - 12 - 4}},
        {mpAXIS_LOW_INSET, false, {0, 30 - 150}, {0, 115}, {-5, 119}},
    };
    for (const Case& c : cases) {
        const HorizontalAxis a = NumericAxisLayout(c.placement, c.ticks, false, {600, 300}, v);
        for (const AxisTick& t : WalkHorizontalAxis(v, a, Number, Measure)) {
            if (t.pixel != 0) continue;
            EXPECT_EQ(t.markFrom, c.markFrom) << c.placement << c.ticks;
            EXPECT_EQ(t.markTo, c.markTo) << c.placement << c.ticks;
            EXPECT_EQ(t.labelAt, c.labelAt) << c.placement << c.ticks;
            EXPECT_EQ(t.label, "0");
        }
    }
}

TEST(AxisWalk, VerticalLabelsKeep32PixelsAndTheFirstIsAlwaysShown) {
    // Ticks 31.25 px apart: the first in the band is labelled, then every other one.
    const ViewState v = View(0, 1, 0, 0.25);
    const VerticalAxis a =
        PrimaryVerticalAxisLayout(mpAXIS_LOW_INSET, true, false, {600, 300}, 30, v);
    const std::vector<AxisTick> ticks = WalkVerticalAxis(v, a, Measure);
    EXPECT_EQ(Pixels(ticks), (std::vector<int>{93, 62, 31, 0, -31, -62, -93}));
    EXPECT_EQ(LabelledPixels(ticks), (std::vector<int>{93, 31, -31, -93}));
    // Right-aligned 4 px left of the axis, vertically centred; one decimal below a step of 5.
    EXPECT_EQ(ticks[0].label, "-375");
    EXPECT_EQ(ticks[0].labelAt, (PlotPoint{-250 - 40 - 4, 93 - 6}));
    EXPECT_EQ(ticks[0].markFrom, (PlotPoint{-254, 93}));
    EXPECT_EQ(ticks[0].markTo, (PlotPoint{-250, 93}));
}

TEST(AxisWalk, SecondVerticalAxisFollowsTheSecondScale) {
    ViewState v = View(0, 1, 1000, 1000);  // the primary y would give no tick at all in view
    v.posY2 = 0;
    v.scaleY2 = 0.5;  // step 125, 62.5 px
    const VerticalAxis a = SecondVerticalAxisLayout(mpAXIS_HIGH_BORDER, true, {600, 300}, 30, v);
    const std::vector<AxisTick> ticks = WalkVerticalAxis(v, a, Measure);
    // No upper limit to the band: only the bottom 30 px are left out.
    EXPECT_EQ(Pixels(ticks), (std::vector<int>{62, 0, -62, -125}));
    EXPECT_EQ(ticks[1].label, "0.0");  // always one decimal
    EXPECT_EQ(ticks[1].markFrom, (PlotPoint{250, 0}));
    EXPECT_EQ(ticks[1].markTo, (PlotPoint{254, 0}));
    EXPECT_EQ(ticks[1].labelAt, (PlotPoint{256, -6}));  // 6 px right of the axis
    // Without ticks the grid line crosses the whole window.
    const VerticalAxis grid =
        SecondVerticalAxisLayout(mpAXIS_HIGH_BORDER, false, {600, 300}, 30, v);
    const AxisTick g = WalkVerticalAxis(v, grid, Measure)[1];
    EXPECT_EQ(g.markFrom, (PlotPoint{-300, 0}));
    EXPECT_EQ(g.markTo, (PlotPoint{300, 0}));
}

TEST(AxisWalk, PrimaryGridLinesStopBeforeTheRightAxisWhenAsked) {
    const ViewState v = View(0, 1, 0, 1);
    for (const bool stop : {false, true}) {
        const VerticalAxis a =
            PrimaryVerticalAxisLayout(mpAXIS_LOW_INSET, false, stop, {600, 300}, 30, v);
        const AxisTick t = WalkVerticalAxis(v, a, Measure).at(0);
        EXPECT_EQ(t.markFrom, (PlotPoint{-250, t.pixel}));
        EXPECT_EQ(t.markTo, (PlotPoint{stop ? 250 : 300, t.pixel}));
    }
}

TEST(AxisWalk, AxisNamesByPlacement) {
    const ViewState v = View(0, 1, 0, 1);
    const PlotSize text{80, 12};
    struct Case {
        int placement;
        std::optional<PlotPoint> time, numeric, primary, second;
        int primaryAngle, secondAngle;
    };
    const Case cases[] = {
        {mpAXIS_HIGH_INSET, {}, {}, {}, {}, 0, 0},
        {mpAXIS_LOW_INSET, PlotPoint{0, 120 + 12 + 12}, PlotPoint{0, 115 + 12},
         PlotPoint{-250 - 48, 40}, PlotPoint{-260 + 4, 4 - 150}, 90, 0},
        {mpAXIS_LOW_BORDER, PlotPoint{300 - 80 - 4, 149 - 24 - 4},
         PlotPoint{300 - 80 - 4, 149 - 24 - 4}, PlotPoint{-300 - 80 - 4, 12 - 150 + 4},
         PlotPoint{-300 - 80 - 4, 12 - 150 + 4}, 0, 0},
        {mpAXIS_HIGH_BORDER, PlotPoint{0, -150 + 12 + 12}, PlotPoint{0, -150 + 12},
         PlotPoint{299 - 80 - 4, 4 - 150}, PlotPoint{300 - 5, -40}, 0, -90},
    };
    for (const Case& c : cases) {
        // Absolute time moves the time axis's name 12 px lower, under the date line.
        const auto time = HorizontalAxisNameAt(
            TimeAxisLayout(c.placement, true, false, {600, 300}, 30, false, true, v), text);
        const auto numeric =
            HorizontalAxisNameAt(NumericAxisLayout(c.placement, true, false, {600, 300}, v), text);
        const auto primary = VerticalAxisNameAt(
            PrimaryVerticalAxisLayout(c.placement, true, false, {600, 300}, 30, v), text);
        const auto second = VerticalAxisNameAt(
            SecondVerticalAxisLayout(c.placement, true, {600, 300}, 30, v), text);
        ASSERT_EQ(time.has_value(), c.time.has_value()) << c.placement;
        ASSERT_EQ(primary.has_value(), c.primary.has_value()) << c.placement;
        if (!c.time) {
            EXPECT_FALSE(numeric || second);
            continue;
        }
        EXPECT_EQ(time->at, *c.time) << c.placement;
        EXPECT_EQ(numeric->at, *c.numeric) << c.placement;
        EXPECT_EQ(primary->at, *c.primary) << c.placement;
        EXPECT_EQ(primary->angle, c.primaryAngle) << c.placement;
        EXPECT_EQ(second->at, *c.second) << c.placement;
        EXPECT_EQ(second->angle, c.secondAngle) << c.placement;
    }
}

TEST(AxisWalk, CornerLegendRows) {
    const PlotSegment s = CornerLegendSample(kLegendRowSecond, 600, 300);
    EXPECT_EQ(s.from, (PlotPoint{55 - 300, 35 - 150}));
    EXPECT_EQ(s.to, (PlotPoint{75 - 300, 35 - 150}));
    EXPECT_EQ(CornerLegendTextAt(kLegendRowHeader, 600, 300, 12), (PlotPoint{80 - 300, 22 - 156}));
    for (int p : {mpAXIS_AT_ORIGIN, mpAXIS_LOW_INSET, mpAXIS_HIGH_BORDER})
        EXPECT_TRUE(WritesCornerLegend(p)) << p;
    for (int p : {mpAXIS_HIGH_INSET, mpAXIS_LOW_BORDER}) EXPECT_FALSE(WritesCornerLegend(p)) << p;
}
