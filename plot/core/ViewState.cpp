#include "plot/core/ViewState.h"

#include <algorithm>
#include <cmath>

namespace plotcore {

namespace {
constexpr double kPixelLimit = 1 << 30;

// GCC 12's vectoriser drops a float round trip when two of them sit side by side (PanView):
// the volatile keeps the rounding the view arithmetic relies on.
double RoundToFloat(double v) {
    volatile float f = static_cast<float>(v);
    return f;
}
}  // namespace

int TruncToPixel(double v) {
    if (std::isnan(v)) return 0;
    if (v >= kPixelLimit) return static_cast<int>(kPixelLimit);
    if (v <= -kPixelLimit) return -static_cast<int>(kPixelLimit);
    return static_cast<int>(v);
}

void FitView(ViewState& v, const ViewBounds& b, PlotSize client, int bottomMargin) {
    // A window smaller than its borders would get a negative scale and draw mirrored: keep 1 px.
    const double usableW = std::max(1, client.w - 100);
    const double usableH = std::max(1, client.h - 2 * bottomMargin);
    if (b.maxX != b.minX) {
        v.scaleX = usableW / (b.maxX - b.minX);
        v.posX = b.minX + (b.maxX - b.minX) / 2;
    }
    if (b.maxY != b.minY) {
        v.scaleY = usableH / (b.maxY - b.minY);
        v.posY = b.minY + (b.maxY - b.minY) / 2;
        if (b.maxY2 != b.minY2) {
            v.scaleY2 = usableH / (b.maxY2 - b.minY2);
            v.posY2 = b.minY2 + (b.maxY2 - b.minY2) / 2;
        }
    }
}

void ZoomView(ViewState& v, double factor) {
    v.scaleX *= factor;
    v.scaleY *= factor;
}

void CenterViewAt(ViewState& v, PlotPoint p, PlotSize client) {
    v.posX += (p.x - client.w / 2) / v.scaleX;
    v.posY += (client.h / 2 - p.y) / v.scaleY;
}

void PanView(ViewState& v, int dx, int dy) {
    v.posX += RoundToFloat(dx / v.scaleX);
    v.posY += RoundToFloat(-dy / v.scaleY);
    v.posY2 -= dy / v.scaleY2;
}

void WheelScrollY(ViewState& v, int rotation) {
    const double change = -rotation;
    v.posY -= RoundToFloat(change / v.scaleY);
}

void WheelScrollX(ViewState& v, int rotation) {
    const double change = -rotation;
    v.posX += RoundToFloat(change / v.scaleX);
}

ScrollLayout ComputeScrollLayout(const ViewState& v, const ViewBounds& b, PlotSize client) {
    ScrollLayout s;
    s.virtualW = TruncToPixel((b.maxX - b.minX) * v.scaleX);
    s.virtualH = TruncToPixel((b.maxY - b.minY) * v.scaleY);
    s.posX = TruncToPixel((v.posX - b.minX) * v.scaleX - (client.w >> 1));
    s.posY = TruncToPixel((b.maxY - v.posY) * v.scaleY - (client.h >> 1));
    return s;
}

double PosXFromScroll(int vx, PlotSize client, const ViewState& v, const ViewBounds& b) {
    return (vx + (client.w >> 1)) / v.scaleX + b.minX;
}

double PosYFromScroll(int vy, PlotSize client, const ViewState& v, const ViewBounds& b) {
    return b.maxY - (vy + (client.h >> 1)) / v.scaleY;
}

}  // namespace plotcore
