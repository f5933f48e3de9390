#include "plot/mpFXYKest.h"

#include <wx/dc.h>

#include <cmath>

#include "plot/NearestByScan.h"
#include "plot/mpEvents.h"
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
    const plotcore::ColumnTransform t{w.GetPosX(), w.GetScaleX(), w.GetPosY2(), w.GetScaleY2()};
    SeriesPainter painter(dc, wxSize(W, H), t);
    const SeriesSamples s = Samples();
    if (s.n > 0) {
        painter.Draw(s, continuous, fastDrawing_);
    } else {
        painter.DrawEverySegment([this](double& x, double& y) { return GetNextXY(x, y); },
                                 continuous);
    }
    if (continuous) dc.DrawLine(55 - W / 2, 35 - H / 2, 75 - W / 2, 35 - H / 2);

    if (w.GetMeasureSecond()) {
        Rewind();
        const double worldX = (w.GetLastLeftX() - W / 2) / w.GetScaleX() + w.GetPosX();
        double sx = 0, sy = 0, sz = 0;
        if (FindNearest(worldX, sx, sy, sz)) {
            const int cx = w.GetLastLeftX() - W / 2;
            const int cy = plotcore::PixelY2(sy, w.GetView());
            dc.SetPen(*wxGREY_PEN);
            dc.DrawLine(cx, -H / 2, cx, H / 2);
            dc.DrawLine(-W / 2, cy, W / 2, cy);
            markerShown = true;
            markerY = sy;
            markerPixel_ = wxPoint(cx, cy);
            wxCommandEvent evt(mpEVT_MEASURE, -1);
            evt.SetEventObject(this);
            evt.SetInt(2);
            evt.SetString(wxString::Format("%f ", sy));
            if (wxWindow* parent = w.GetParent()) parent->GetEventHandler()->ProcessEvent(evt);
        }
    }
    if (markerShown) {
        // Filled with the background even when a layer before this one left another brush.
        dc.SetBrush(wxBrush(w.GetBackgroundColour()));
        dc.DrawRectangle(markerPixel_.x - 5, markerPixel_.y - 5, 10, 10);
    }
}
