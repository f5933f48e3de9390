#include "plot/mpFXY.h"

#include <wx/dc.h>

#include "plot/NearestByScan.h"
#include "plot/SeriesCursor.h"
#include "plot/core/CornerLegend.h"
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
    SeriesPainter painter(dc, wxSize(W, H),
                          {w.GetPosX(), w.GetScaleX(), w.GetPosY(), w.GetScaleY()});
    painter.DrawSeries(Samples(), continuous, fastDrawing_,
                       [this](double& x, double& y) { return GetNextXY(x, y); });
    // A reference line shows its legend sample on the upper row, and only when asked to.
    if (continuous && !referenceLine)
        painter.LegendSample(plotcore::kLegendRowHeader);
    else if (continuous && !hideSample)
        painter.LegendSample(plotcore::kLegendRowHeader2);
    if (!name.IsEmpty()) DrawTexts(dc, W, H);
    if (referenceLine) return;

    if (w.GetMeasurePrimary()) {
        if (const auto hit = MeasureAtClick(dc, w, *this, plotcore::PixelY)) {
            markerShown = true;
            markerX = hit->x;
            markerY = hit->y;
            markerZ = hit->z;
            markerPixel_ = hit->pixel;
            SendMeasure(w, *this, 1, wxString::Format("%f %f", hit->x, hit->y));
        }
    }
    if (markerShown) DrawMeasureMarker(dc, w, markerPixel_);
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
