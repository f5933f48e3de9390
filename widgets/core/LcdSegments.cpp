#include "widgets/core/LcdSegments.h"

#include <algorithm>

namespace lcd {
namespace {

struct Glyph {
    char c;
    std::uint8_t code;
};

// Bit 0 top, 1 upper left, 2 upper right, 3 lower left, 4 lower right, 5 bottom, 6 middle.
// '^' is a degree sign; lower-case hex digits are deliberately absent and show blank.
constexpr std::array<Glyph, 22> kGlyphs{{
    {'0', 0x3F}, {'1', 0x14}, {'2', 0x6D}, {'3', 0x75}, {'4', 0x56}, {'5', 0x73},
    {'6', 0x7B}, {'7', 0x15}, {'8', 0x7F}, {'9', 0x77}, {' ', 0x00}, {'-', 0x40},
    {'r', 0x48}, {'o', 0x78}, {'^', 0x47}, {'A', 0x5F}, {'B', 0x7A}, {'C', 0x2B},
    {'D', 0x7C}, {'E', 0x6B}, {'F', 0x4B}, {'H', 0x5E},
}};

}  // namespace

std::uint8_t SegmentCode(unsigned char c) {
    const auto it = std::find_if(kGlyphs.begin(), kGlyphs.end(), [c](const Glyph& g) {
        return static_cast<unsigned char>(g.c) == c;
    });
    return it == kGlyphs.end() ? 0 : it->code;
}

Polygon SegmentPolygon(Segment s, Point o, int L, int W) {
    const int x = o.x;
    const int y = o.y;
    const int h = W / 2;
    switch (s) {
        case Top:
            return {{{{x, y}, {x + L, y}, {x + L - W, y + W}, {x + W, y + W}}}, 4};
        case UpperLeft:
            return {{{{x, y}, {x, y + L}, {x + W, y + L - h}, {x + W, y + W}}}, 4};
        case UpperRight:
            return {{{{x + L - W, y + W}, {x + L, y}, {x + L, y + L}, {x + L - W, y + L - h}}}, 4};
        case LowerLeft:
            return {{{{x, y + L}, {x, y + 2 * L}, {x + W, y + 2 * L - W}, {x + W, y + L + W - h}}},
                    4};
        case LowerRight:
            return {{{{x + L - W, y + L + h},
                      {x + L, y + L},
                      {x + L, y + 2 * L},
                      {x + L - W, y + 2 * L - W}}},
                    4};
        case Bottom:
            return {{{{x + W, y + 2 * L - W},
                      {x + L - W, y + 2 * L - W},
                      {x + L, y + 2 * L},
                      {x, y + 2 * L}}},
                    4};
        case Middle:
            return {{{{x, y + L},
                      {x + W, y + L - h},
                      {x + L - W, y + L - h},
                      {x + L, y + L},
                      {x + L - W, y + L - h + W},
                      {x + W, y + L - h + W}}},
                    6};
        case SegmentCount:
            break;
    }
    return {};
}

Box DecimalPointBox(Point o, int L, int W) { return {o.x + L + 1, o.y + 2 * L - W, W, W}; }

std::array<Box, 2> ColonBoxes(Point o, int L, int W) {
    const int x = o.x + L / 2 - W;
    const int y = o.y + L / 2 - W;
    return {{{x, y, 2 * W, 2 * W}, {x, y + L, 2 * W, 2 * W}}};
}

Fit FitCanvas(int clientWidth, int clientHeight, int canvasWidth, int canvasHeight) {
    if (clientWidth <= 0 || clientHeight <= 0 || canvasWidth <= 0 || canvasHeight <= 0) return {};
    const double s = std::min(static_cast<double>(clientWidth) / canvasWidth,
                              static_cast<double>(clientHeight) / canvasHeight);
    return {s, static_cast<int>((clientWidth - s * canvasWidth) / 2),
            static_cast<int>((clientHeight - s * canvasHeight) / 2)};
}

}  // namespace lcd
