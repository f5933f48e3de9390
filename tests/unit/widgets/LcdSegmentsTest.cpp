#include <gtest/gtest.h>

#include <vector>

#include "widgets/core/LcdSegments.h"

using namespace lcd;

namespace {

// Even-odd point-in-polygon test on the segment outline (points on an edge count either way,
// so tests only probe interior points).
bool Inside(const Polygon& p, double x, double y) {
    bool in = false;
    for (int i = 0, j = p.count - 1; i < p.count; j = i++) {
        const Point a = p.corners[i];
        const Point b = p.corners[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / double(b.y - a.y) + a.x)
            in = !in;
    }
    return in;
}

struct Centre {
    double x, y;
};
Centre Centroid(const Polygon& p) {
    Centre c{0, 0};
    for (int i = 0; i < p.count; ++i) {
        c.x += p.corners[i].x;
        c.y += p.corners[i].y;
    }
    return {c.x / p.count, c.y / p.count};
}

std::vector<Segment> LitSegments(unsigned char c) {
    std::vector<Segment> lit;
    for (int s = 0; s < SegmentCount; ++s)
        if (IsLit(SegmentCode(c), static_cast<Segment>(s))) lit.push_back(static_cast<Segment>(s));
    return lit;
}

}  // namespace

TEST(SegmentTable, CodesOfEveryCharacterInTheTable) {
    const struct {
        char c;
        int code;
    } table[] = {{'0', 0x3F}, {'1', 0x14}, {'2', 0x6D}, {'3', 0x75}, {'4', 0x56}, {'5', 0x73},
                 {'6', 0x7B}, {'7', 0x15}, {'8', 0x7F}, {'9', 0x77}, {' ', 0x00}, {'-', 0x40},
                 {'r', 0x48}, {'o', 0x78}, {'^', 0x47}, {'A', 0x5F}, {'B', 0x7A}, {'C', 0x2B},
                 {'D', 0x7C}, {'E', 0x6B}, {'F', 0x4B}, {'H', 0x5E}};
    for (const auto& row : table)
        EXPECT_EQ(SegmentCode(static_cast<unsigned char>(row.c)), row.code) << row.c;
}

TEST(SegmentTable, MissingCharactersLightNothing) {
    for (const int c : std::initializer_list<int>{'a', 'b', 'c', 'd', 'e', 'f', 'G', 'x', '.', ':',
                                                  0, 0xB0, 0xFF})
        EXPECT_EQ(SegmentCode(static_cast<unsigned char>(c)), 0) << c;
}

TEST(SegmentTable, ShapesOfFamiliarDigits) {
    EXPECT_EQ(LitSegments('8').size(), 7u);
    EXPECT_EQ(LitSegments('1'), (std::vector<Segment>{UpperRight, LowerRight}));
    EXPECT_EQ(LitSegments('-'), (std::vector<Segment>{Middle}));
    EXPECT_EQ(LitSegments('^'), (std::vector<Segment>{Top, UpperLeft, UpperRight, Middle}));
    EXPECT_EQ(LitSegments('0'),
              (std::vector<Segment>{Top, UpperLeft, UpperRight, LowerLeft, LowerRight, Bottom}));
}

TEST(LcdGeometry, CellAndCanvasSizes) {
    const struct { int digits, canvasWidth; } cases[] = {{5, 285}, {6, 341}, {7, 397}, {1, 61}};
    for (const auto& c : cases) {
        Geometry g;
        g.digits = c.digits;
        EXPECT_EQ(g.CellWidth(), 56);
        EXPECT_EQ(g.CellHeight(), 90);
        EXPECT_EQ(g.CanvasWidth(), c.canvasWidth) << c.digits;
        EXPECT_EQ(g.CanvasHeight(), 90);
    }
}

TEST(LcdGeometry, CellsCountFromTheRightAndLeaveTheMarginAtTheLeft) {
    Geometry g;
    g.digits = 6;
    EXPECT_EQ(g.CellOrigin(0), (Point{285, 5}));
    EXPECT_EQ(g.CellOrigin(1), (Point{229, 5}));
    EXPECT_EQ(g.CellOrigin(5), (Point{5, 5}));
}

TEST(LcdGeometry, SegmentCornersForTheInitialSizes) {
    const Point o{100, 5};
    const Polygon top = SegmentPolygon(Top, o, 40, 11);
    ASSERT_EQ(top.count, 4);
    EXPECT_EQ(top.corners[0], (Point{100, 5}));
    EXPECT_EQ(top.corners[2], (Point{129, 16}));

    // With W odd the lower side segments start one unit apart: y + L + W - h against y + L + h.
    const Polygon lowerLeft = SegmentPolygon(LowerLeft, o, 40, 11);
    const Polygon lowerRight = SegmentPolygon(LowerRight, o, 40, 11);
    EXPECT_EQ(lowerLeft.corners[3], (Point{111, 51}));
    EXPECT_EQ(lowerRight.corners[0], (Point{129, 50}));
    EXPECT_EQ(lowerLeft.corners[1], (Point{100, 85}));

    const Polygon middle = SegmentPolygon(Middle, o, 40, 11);
    ASSERT_EQ(middle.count, 6);
    EXPECT_EQ(middle.corners[0], (Point{100, 45}));
    EXPECT_EQ(middle.corners[1], (Point{111, 40}));
    EXPECT_EQ(middle.corners[3], (Point{140, 45}));
    EXPECT_EQ(middle.corners[4], (Point{129, 51}));
}

TEST(LcdGeometry, EverySegmentHoldsItsOwnCentreAndNoOtherSegmentDoes) {
    for (const int W : {11, 10, 6}) {
        const Point o{7, 5};
        const int L = 40;
        for (int s = 0; s < SegmentCount; ++s) {
            const Polygon own = SegmentPolygon(static_cast<Segment>(s), o, L, W);
            const Centre c = Centroid(own);
            EXPECT_TRUE(Inside(own, c.x, c.y)) << "segment " << s << " W " << W;
            EXPECT_GE(c.x, o.x);
            EXPECT_LE(c.x, o.x + L);
            EXPECT_GE(c.y, o.y);
            EXPECT_LE(c.y, o.y + 2 * L);
            for (int t = 0; t < SegmentCount; ++t) {
                if (t == s) continue;
                EXPECT_FALSE(Inside(SegmentPolygon(static_cast<Segment>(t), o, L, W), c.x, c.y))
                    << "centre of " << s << " inside " << t << " W " << W;
            }
        }
    }
}

TEST(LcdGeometry, SegmentsSitWhereTheirNamesSay) {
    const Point o{0, 0};
    const auto c = [&](Segment s) { return Centroid(SegmentPolygon(s, o, 40, 11)); };
    EXPECT_LT(c(Top).y, c(Middle).y);
    EXPECT_LT(c(Middle).y, c(Bottom).y);
    EXPECT_LT(c(UpperLeft).x, c(UpperRight).x);
    EXPECT_LT(c(LowerLeft).x, c(LowerRight).x);
    EXPECT_LT(c(UpperLeft).y, c(LowerLeft).y);
    EXPECT_LT(c(UpperRight).y, c(LowerRight).y);
}

TEST(LcdGeometry, DecimalPointAndColonBoxes) {
    const Point o{229, 5};
    EXPECT_EQ(DecimalPointBox(o, 40, 11), (Box{270, 74, 11, 11}));
    const auto colon = ColonBoxes(o, 40, 11);
    EXPECT_EQ(colon[0], (Box{238, 14, 22, 22}));
    EXPECT_EQ(colon[1], (Box{238, 54, 22, 22}));
    // L / 2 truncates with an odd segment length.
    EXPECT_EQ(ColonBoxes(Point{0, 0}, 41, 11)[0], (Box{9, 9, 22, 22}));
}

TEST(LcdFit, KeepsProportionsAndCentres) {
    const struct {
        int w, h;
        double scale;
        int ox, oy;
    } cases[] = {
        {285, 90, 1.0, 0, 0},
        {570, 360, 2.0, 0, 90},        // twice as high as the width allows: centred vertically
        {1000, 90, 1.0, 357, 0},       // wide: centred horizontally, (1000 - 285) / 2 truncated
        {100, 40, 100.0 / 285, 0, 4},  // the flow readout of the main window, 5 cells
        {0, 40, 0.0, 0, 0},
        {100, -3, 0.0, 0, 0},
    };
    for (const auto& c : cases) {
        const Fit f = FitCanvas(c.w, c.h, 285, 90);
        EXPECT_DOUBLE_EQ(f.scale, c.scale) << c.w << "x" << c.h;
        EXPECT_EQ(f.originX, c.ox) << c.w << "x" << c.h;
        EXPECT_EQ(f.originY, c.oy) << c.w << "x" << c.h;
    }
    EXPECT_EQ(FitCanvas(100, 100, 0, 90).scale, 0.0);
}
