#pragma once
// The plot window's view transform and the arithmetic of every input that changes it.
#include "plot/core/PlotTypes.h"

namespace plotcore {

struct ViewState {
    double posX = 150.0;
    double posY = 100.0;
    double posY2 = 0.0;
    double scaleX = 1.0;
    double scaleY = 1.0;
    double scaleY2 = 1.0;
};

// Bounds as gathered by the window: the first series gives x and primary y, the last further one
// y2.
struct ViewBounds {
    double minX = 0, maxX = 0, minY = 0, maxY = 0, minY2 = 0, maxY2 = 0;
};

// Truncates toward zero like an int conversion, but saturates instead of overflowing (NaN gives 0),
// so an extreme zoom cannot produce undefined pixel values.
int TruncToPixel(double v);

inline int PixelX(double x, const ViewState& v) { return TruncToPixel((x - v.posX) * v.scaleX); }
inline int PixelY(double y, const ViewState& v) { return TruncToPixel((v.posY - y) * v.scaleY); }
inline int PixelY2(double y, const ViewState& v) { return TruncToPixel((v.posY2 - y) * v.scaleY2); }
// World x under a centre-relative pixel column.
inline double WorldX(double px, const ViewState& v) { return px / v.scaleX + v.posX; }

// Fits x and the primary y into the client area less 50 px each side and bottomMargin top and
// bottom; the second axis gets the same height. Empty ranges keep their scale and centre.
void FitView(ViewState& v, const ViewBounds& b, PlotSize client, int bottomMargin);
void ZoomView(ViewState& v, double factor);
// Moves the view so that the window pixel p (from the top-left corner) becomes the centre.
void CenterViewAt(ViewState& v, PlotPoint p, PlotSize client);
// Right-button pan by the pointer step (previous minus current); moves all three axes.
void PanView(ViewState& v, int dx, int dy);
// Wheel without modifiers scrolls the primary y, with Shift the x; rotation in raw wheel units.
void WheelScrollY(ViewState& v, int rotation);
void WheelScrollX(ViewState& v, int rotation);

struct ScrollLayout {
    int virtualW = 0, virtualH = 0, posX = 0, posY = 0;
};
ScrollLayout ComputeScrollLayout(const ViewState& v, const ViewBounds& b, PlotSize client);
// View centre after the scroll bars moved to view start (vx, vy).
double PosXFromScroll(int vx, PlotSize client, const ViewState& v, const ViewBounds& b);
double PosYFromScroll(int vy, PlotSize client, const ViewState& v, const ViewBounds& b);

}  // namespace plotcore
