#pragma once
// Seven-segment geometry of the LCD readout, in canvas units: the segment table, the cell layout,
// the segment polygons, the decimal point, the colon and the fit of the canvas into a window.
// Plain values only, so tests and the drawing code share one set of numbers.

#include <array>
#include <cstdint>

namespace lcd {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

// Bit i of a segment code lights segment i.
enum Segment : int {
    Top,
    UpperLeft,
    UpperRight,
    LowerLeft,
    LowerRight,
    Bottom,
    Middle,
    SegmentCount
};

// A segment outline: four corners, or six for the middle hexagon.
struct Polygon {
    std::array<Point, 6> corners{};
    int count = 0;
};

// Code of a character (by its low 8 bits); 0, all segments unlit, for one missing from the table.
std::uint8_t SegmentCode(unsigned char c);

inline bool IsLit(std::uint8_t code, Segment s) { return (code >> s) & 1u; }

// The cell row: L segment length, W segment width, the gap between cells and the margin.
struct Geometry {
    int segmentLength = 40;
    int segmentWidth = 11;
    int space = 5;
    int digits = 5;

    int CellWidth() const { return segmentLength + segmentWidth + space; }
    int CellHeight() const { return 2 * (space + segmentLength); }
    int CanvasWidth() const { return CellWidth() * digits + space; }
    int CanvasHeight() const { return CellHeight(); }
    // Cell d counts from the right, starting at 0.
    Point CellOrigin(int d) const { return {CanvasWidth() - CellWidth() * (d + 1), space}; }
};

Polygon SegmentPolygon(Segment s, Point origin, int L, int W);
// The decimal point is a filled circle in this box, right of the bottom segment.
Box DecimalPointBox(Point origin, int L, int W);
// The colon's two dots, upper then lower, each a filled circle in its box.
std::array<Box, 2> ColonBoxes(Point origin, int L, int W);

// Scale and device origin that fit the canvas into a client area, keeping its proportions and
// centring it; scale 0 when either has no area, meaning there is nothing to draw.
struct Fit {
    double scale = 0;
    int originX = 0;
    int originY = 0;
};
Fit FitCanvas(int clientWidth, int clientHeight, int canvasWidth, int canvasHeight);

}  // namespace lcd
