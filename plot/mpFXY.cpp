#include "plot/mpFXY.h"

#include <wx/dc.h>

#include <cmath>

#include "plot/NearestByScan.h"
#include "plot/mpEvents.h"
#include "plot/mpWindow.h"

wxIMPLEMENT_ABSTRACT_CLASS(mpFXY, mpLayer);

mpFXY::mpFXY(const wxString& n, int f) : flags(f) {
    name = n;
    type = mpLAYER_PLOT;
    markerShown = false;
}

bool mpFXY::FindNearest(double x, double& sx, double& sy, double& sz) {
    return NearestByScan(*this, x, sx, sy, sz);
}

void mpFXY::Plot(wxDC& dc, mpWindow& w) {
    dc.SetPen(pen);
    Rewind();
    if (!visible) return;
    const int W = w.GetScrX(), H = w.GetScrY();
    const plotcore::ColumnTransform t{w.GetPosX(), w.GetScaleX(), w.GetPosY(), w.GetScaleY()};
    SeriesPainter painter(dc, wxSize(W, H), t);
    const SeriesSamples s = Samples();
    if (s.n > 0) {
        painter.Draw(s, continuous, fastDrawing_);
    } else {
        painter.DrawEverySegment([this](double& x, double& y) { return GetNextXY(x, y); },
                                 continuous);
    }
    if (continuous) {
        if (!referenceLine)
            dc.DrawLine(55 - W / 2, 22 - H / 2, 75 - W / 2, 22 - H / 2);
        else if (!hideSample)
            dc.DrawLine(55 - W / 2, 10 - H / 2, 75 - W / 2, 10 - H / 2);
    }
    if (!name.IsEmpty()) DrawTexts(dc, W, H);
    if (referenceLine) return;

    if (w.GetMeasurePrimary()) {
        Rewind();
        const double worldX = (w.GetLastLeftX() - W / 2) / w.GetScaleX() + w.GetPosX();
        double sx = 0, sy = 0, sz = 0;
        if (FindNearest(worldX, sx, sy, sz)) {
            const int cx = w.GetLastLeftX() - W / 2;
            const int cy = plotcore::PixelY(sy, w.GetView());
            dc.SetPen(*wxGREY_PEN);
            dc.DrawLine(cx, -H / 2, cx, H / 2);
            dc.DrawLine(-W / 2, cy, W / 2, cy);
            markerShown = true;
            markerY = sy;
            markerZ = sz;
            markerPixel_ = wxPoint(cx, cy);
            wxCommandEvent evt(mpEVT_MEASURE, -1);
            evt.SetEventObject(this);
            evt.SetInt(1);
            evt.SetString(wxString::Format("%f %f", sx, sy));
            if (wxWindow* parent = w.GetParent()) parent->GetEventHandler()->ProcessEvent(evt);
        }
    }
    if (markerShown) {
        // Filled with the background even when a layer before this one left another brush.
        dc.SetBrush(wxBrush(w.GetBackgroundColour()));
        dc.DrawRectangle(markerPixel_.x - 5, markerPixel_.y - 5, 10, 10);
    }
}

void mpFXY::DrawTexts(wxDC& dc, int W, int H) {
    font.SetPointSize(11);
    dc.SetFont(font);
    wxCoord tw = 0, th = 0;
    dc.GetTextExtent(name, &tw, &th);
    switch (flags & 3) {
        case mpNAME_TOP_CENTRE:
            dc.DrawText(name, 10 - tw / 2, 6 - H / 2);
            break;
        case mpNAME_TOP_LEFT:
            dc.DrawText(name, 8 - W / 2, 6 - H / 2);
            break;
        case mpNAME_BOTTOM_LEFT:
            dc.DrawText(name, 8 - W / 2, H / 2 - th - 6);
            break;
        default:
            dc.DrawText(name, W / 2 - tw - 8, H / 2 - th - 6);
            break;
    }
    if (!title.IsEmpty()) {
        font.SetPointSize(10);
        dc.SetFont(font);
        dc.GetTextExtent(title, &tw, &th);
        dc.DrawText(title, 10 - tw / 2, 20 - H / 2);
    }
    if (!footer.IsEmpty()) {
        font.SetPointSize(8);
        dc.SetFont(font);
        dc.GetTextExtent(footer, &tw, &th);
        dc.DrawText(footer, 60 - W / 2, H / 2 - th);
    }
}
