#include <gtest/gtest.h>

#include "plot/core/InfoLayout.h"

using namespace plotcore;

TEST(InfoLayout, LegendValuesSwitchToWholeNumbersAt30) {
    EXPECT_EQ(LegendValueText(25.5), " 25.50 ");
    EXPECT_EQ(LegendValueText(300), " 300 ");
    EXPECT_EQ(LegendValueText(30), " 30 ");
    EXPECT_EQ(LegendValueText(29.996), " 30.00 ");
    EXPECT_EQ(LegendValueText(-40), " -40.00 ");
}

TEST(InfoLayout, LegendBoxFitsItsWidestLine) {
    EXPECT_FALSE(LegendBoxSize({}));
    EXPECT_EQ(*LegendBoxSize({{100, 14}}), (PlotSize{125, 24}));
    EXPECT_EQ(*LegendBoxSize({{100, 14}, {140, 14}, {50, 14}}), (PlotSize{165, 52}));
    EXPECT_EQ(*LegendBoxSize({{0, 14}}), (PlotSize{25, 24}));  // 20 <= 0 + 20
}

TEST(InfoLayout, TextBoxIsTheLongerLinePlus10ByBothLinesPlus10) {
    EXPECT_EQ(*TextBoxSize({{80, 15}, {120, 15}}), (PlotSize{130, 40}));
    EXPECT_EQ(*TextBoxSize({{60, 15}}), (PlotSize{70, 25}));
    // A single line is measured as it is; only several lines start from a 5-pixel minimum.
    EXPECT_EQ(*TextBoxSize({{3, 15}}), (PlotSize{13, 25}));
    EXPECT_EQ(*TextBoxSize({{3, 15}, {2, 15}}), (PlotSize{15, 40}));
    EXPECT_FALSE(TextBoxSize({}));
    EXPECT_FALSE(TextBoxSize({{0, 0}}));
    EXPECT_EQ(TextLineOffsets({{80, 15}, {120, 17}, {3, 9}}),
              (std::vector<PlotPoint>{{5, 5}, {5, 20}, {5, 37}}));
}

TEST(InfoLayout, SplitsAtEveryLineFeed) {
    EXPECT_EQ(SplitTextLines("uno\ndue"), (std::vector<wxString>{"uno", "due"}));
    EXPECT_EQ(SplitTextLines("uno"), (std::vector<wxString>{"uno"}));
    EXPECT_EQ(SplitTextLines("a\n\nb\n"), (std::vector<wxString>{"a", "", "b", ""}));
}

TEST(InfoLayout, InsideIncludesTheEdges) {
    const PlotRect box{10, 20, 30, 40};
    EXPECT_TRUE(InsideBox({10, 20}, box));
    EXPECT_TRUE(InsideBox({40, 60}, box));
    EXPECT_FALSE(InsideBox({41, 60}, box));
    EXPECT_FALSE(InsideBox({10, 19}, box));
}

TEST(InfoLayout, ResizeKeepsTheProportionalPlace) {
    EXPECT_EQ(RescaleBoxPosition({150, -50}, {600, 300}, {1200, 300}), (PlotPoint{300, -50}));
    EXPECT_EQ(RescaleBoxPosition({-101, 75}, {600, 300}, {300, 200}), (PlotPoint{-50, 50}));
    EXPECT_EQ(RescaleBoxPosition({40, 40}, {1, 1}, {600, 300}),
              (PlotPoint{40, 40}));  // first paint
}

TEST(InfoLayout, SetPositionClampsIntoTheWindow) {
    EXPECT_EQ(ClampBoxPosition(10000, 0, {600, 300}), (PlotPoint{300, 0}));
    EXPECT_EQ(ClampBoxPosition(-10000, -10000, {601, 301}), (PlotPoint{-300, -150}));
    EXPECT_EQ(ClampBoxPosition(12, -34, {600, 300}), (PlotPoint{12, -34}));
}
