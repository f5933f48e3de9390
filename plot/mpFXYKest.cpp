#include "plot/mpFXYKest.h"

#include <wx/dc.h>

#include "plot/NearestByScan.h"
#include "plot/SeriesCursor.h"
#include "plot/core/CornerLegend.h"
#include "plot/mpWindow.h"

wxIMPLEMENT_ABSTRACT_CLASS(mpFXYKest, mpLayer);

mpFXYKest::mpFXYKest(const wxString& n, int f) : flags(f) {
    name = n;
    type = mpLAYER_PLOT_SECOND;
    markerShown = false;
}

bool mpFXYKest::FindNearest(double x, double& sx, double& sy, double& sz) {
    return NearestByScan(*this, x, sx, sy, sz);
}

void mpFXYKest::Plot(wxDC& dc, mpWindow& w) {
    dc.SetPen(pen);
    Rewind();
    const int W = w.GetScrX(), H = w.GetScrY();
    SeriesPainter painter(dc, wxSize(W, H),
                          {w.GetPosX(), w.GetScaleX(), w.GetPosY2(), w.GetScaleY2()});
    painter.DrawSeries(Samples(), continuous, fastDrawing_,
                       [this](double& x, double& y) { return GetNextXY(x, y); });
    if (continuous) painter.LegendSample(plotcore::kLegendRowSecond);

    if (w.GetMeasureSecond()) {
        // The third value is not kept: a second-axis series never sets markerZ.
        if (const auto hit = MeasureAtClick(dc, w, *this, plotcore::PixelY2)) {
            markerShown = true;
            markerX = hit->x;
            markerY = hit->y;
            markerPixel_ = hit->pixel;
            SendMeasure(w, *this, 2, wxString::Format("%f ", hit->y));
        }
    }
    if (markerShown) DrawMeasureMarker(dc, w, markerPixel_);
}
