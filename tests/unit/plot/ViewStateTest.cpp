#include <gtest/gtest.h>

#include <cmath>

#include "plot/core/ViewState.h"

using namespace plotcore;

TEST(ViewState, TransformPutsPosAtCentreAndTruncatesTowardZero) {
    ViewState v;
    v.posX = 10;
    v.posY = 5;
    v.posY2 = 100;
    v.scaleX = 2.5;
    v.scaleY = 3;
    v.scaleY2 = 0.5;
    EXPECT_EQ(PixelX(10, v), 0);
    EXPECT_EQ(PixelX(11, v), 2);   // 2.5 truncated
    EXPECT_EQ(PixelX(9, v), -2);   // -2.5 truncated toward zero
    EXPECT_EQ(PixelY(6, v), -3);   // growing y goes up the screen
    EXPECT_EQ(PixelY2(90, v), 5);  // the second axis has its own transform
    EXPECT_DOUBLE_EQ(WorldX(5, v), 12.0);
}

TEST(ViewState, ExtremePixelsSaturateInsteadOfOverflowing) {
    EXPECT_EQ(TruncToPixel(1e300), 1 << 30);
    EXPECT_EQ(TruncToPixel(-1e300), -(1 << 30));
    EXPECT_EQ(TruncToPixel(std::nan("")), 0);
}

TEST(ViewState, FitFillsWidthLess100AndHeightLessTwoMargins) {
    ViewState v;
    const ViewBounds b{-0.5, 99.5, 4.5, 24.5, 0.5, 10.5};
    FitView(v, b, {600, 300}, 45);
    EXPECT_DOUBLE_EQ(v.scaleX, 500.0 / 100.0);
    EXPECT_DOUBLE_EQ(v.posX, 49.5);
    EXPECT_DOUBLE_EQ(v.scaleY, 210.0 / 20.0);
    EXPECT_DOUBLE_EQ(v.posY, 14.5);
    EXPECT_DOUBLE_EQ(v.scaleY2, 210.0 / 10.0);
    EXPECT_DOUBLE_EQ(v.posY2, 5.5);
    // The data's left edge lands 50 px in from the window's left edge.
    EXPECT_EQ(PixelX(b.minX, v), 50 - 300);
}

TEST(ViewState, FitKeepsScalesOfEmptyRanges) {
    struct Case {
        ViewBounds b;
        bool xChanges, yChanges, y2Changes;
    };
    const Case cases[] = {
        {{1, 1, 0, 10, 0, 5}, false, true, true},  // constant x
        {{0, 10, 3, 3, 0, 5},
         true,
         false,
         false},  // constant primary y: neither vertical axis moves
        {{0, 10, 0, 10, 2, 2}, true, true, false},  // no second-axis range
    };
    for (const Case& c : cases) {
        ViewState v;
        v.scaleY2 = 7;
        v.posY2 = 3;
        FitView(v, c.b, {600, 300}, 30);
        EXPECT_EQ(v.scaleX != 1.0, c.xChanges);
        EXPECT_EQ(v.scaleY != 1.0, c.yChanges);
        EXPECT_EQ(v.scaleY2 != 7.0, c.y2Changes);
        EXPECT_EQ(v.posY2 != 3.0, c.y2Changes);
    }
}

TEST(ViewState, FitInATinyWindowNeverMirrorsThePlot) {
    ViewState v;
    FitView(v, {0, 10, 0, 10, 0, 10}, {64, 64}, 45);
    EXPECT_GT(v.scaleX, 0);
    EXPECT_GT(v.scaleY, 0);
    EXPECT_GT(v.scaleY2, 0);
}

TEST(ViewState, ZoomScalesBothPrimaryAxesOnly) {
    ViewState v;
    v.scaleX = 2;
    v.scaleY = 3;
    v.scaleY2 = 4;
    ZoomView(v, 1.1);
    EXPECT_DOUBLE_EQ(v.scaleX, 2.2);
    EXPECT_DOUBLE_EQ(v.scaleY, 3.3);
    EXPECT_DOUBLE_EQ(v.scaleY2, 4);
    EXPECT_DOUBLE_EQ(v.posX, 150);
}

TEST(ViewState, CenterAtMovesClickedPointToCentreButNotSecondAxis) {
    ViewState v;
    v.scaleX = 2;
    v.scaleY = 4;
    v.posY2 = 9;
    const double wx = v.posX + (500 - 300) / 2.0;  // world x under pixel 500 of a 600 px window
    CenterViewAt(v, {500, 50}, {600, 301});
    EXPECT_DOUBLE_EQ(v.posX, wx);
    EXPECT_DOUBLE_EQ(v.posY, 100 + (150 - 50) / 4.0);
    EXPECT_DOUBLE_EQ(v.posY2, 9);
}

TEST(ViewState, PanMovesAllThreeAxesByThePointerStep) {
    ViewState v;
    v.scaleX = 3;
    v.scaleY = 7;
    v.scaleY2 = 0.5;
    PanView(v, 10, -20);  // pointer moved 10 left and 20 down
    EXPECT_DOUBLE_EQ(v.posX, 150.0 + static_cast<float>(10 / 3.0));
    EXPECT_DOUBLE_EQ(v.posY, 100.0 + static_cast<float>(20 / 7.0));
    EXPECT_DOUBLE_EQ(v.posY2, 40);
}

TEST(ViewState, WheelScrollsOneAxis) {
    ViewState v;
    v.scaleX = 2;
    v.scaleY = 4;
    WheelScrollY(v, 120);
    EXPECT_DOUBLE_EQ(v.posY, 130);
    EXPECT_DOUBLE_EQ(v.posX, 150);
    WheelScrollX(v, 120);
    EXPECT_DOUBLE_EQ(v.posX, 90);
    EXPECT_DOUBLE_EQ(v.posY2, 0);
}

TEST(ViewState, ScrollBarsRoundTripToTheSameCentre) {
    ViewState v;
    v.scaleX = 2;
    v.scaleY = 4;
    v.posX = 60;
    v.posY = 30;
    const ViewBounds b{0, 100, 0, 50, 0, 0};
    const PlotSize client{400, 200};
    const ScrollLayout s = ComputeScrollLayout(v, b, client);
    EXPECT_EQ(s.virtualW, 200);
    EXPECT_EQ(s.virtualH, 200);
    EXPECT_EQ(s.posX, 120 - 200);
    EXPECT_EQ(s.posY, 80 - 100);  // counted from maxY downward
    EXPECT_DOUBLE_EQ(PosXFromScroll(s.posX, client, v, b), 60);
    EXPECT_DOUBLE_EQ(PosYFromScroll(s.posY, client, v, b), 30);
}
