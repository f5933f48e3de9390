#pragma once
// The measuring cursor both series families share: the sample nearest to the last left click, a
// grey crosshair through the click's column and the sample's row, the measure event and the
// marker square. Each family keeps what differs: its flag, its vertical transform, its event text.
#include <wx/dc.h>

#include <functional>
#include <optional>

#include "plot/core/ViewState.h"

class mpLayer;
class mpWindow;

struct CursorHit {
    double x = 0, y = 0, z = 0;  // the sample
    wxPoint pixel;               // the click's column, the sample's row
};

// nearest: the series' FindNearest, from a rewound series; pixelY its vertical transform.
// Draws the crosshair when a sample is found.
std::optional<CursorHit> MeasureNearestToClick(
    wxDC& dc, mpWindow& w, const std::function<bool(double, double&, double&, double&)>& nearest,
    int (*pixelY)(double, const plotcore::ViewState&));
// The same for a series: rewinds it and asks its FindNearest.
template <class Series>
std::optional<CursorHit> MeasureAtClick(wxDC& dc, mpWindow& w, Series& series,
                                        int (*pixelY)(double, const plotcore::ViewState&)) {
    series.Rewind();
    const auto nearest = [&series](double x, double& sx, double& sy, double& sz) {
        return series.FindNearest(x, sx, sy, sz);
    };
    return MeasureNearestToClick(dc, w, nearest, pixelY);
}
// mpEVT_MEASURE from layer to the plot window's parent; which: 1 primary, 2 second axis.
void SendMeasure(mpWindow& w, mpLayer& layer, int which, const wxString& text);
// The 10 x 10 marker centred on at, filled with the background whatever brush an earlier layer
// left.
void DrawMeasureMarker(wxDC& dc, mpWindow& w, wxPoint at);
