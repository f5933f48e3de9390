#include "plot/mpScaleXKest.h"

#include <wx/dc.h>

#include "plot/core/Ticks.h"
#include "plot/mpWindow.h"

wxIMPLEMENT_DYNAMIC_CLASS(mpScaleXKest, mpLayer);

mpScaleXKest::mpScaleXKest(const wxString& n, int f, bool t, bool stop)
    : flags(f), ticks(t), stopBeforeRightAxis(stop) {
    name = n;
    type = mpLAYER_AXIS;
    pen = *wxGREY_PEN;
    font = *wxNORMAL_FONT;
}

void mpScaleXKest::Plot(wxDC& dc, mpWindow& w) {
    dc.SetPen(pen);
    dc.SetFont(font);
    const int W = w.GetScrX(), H = w.GetScrY();
    int orgy;
    switch (flags) {
        case mpAXIS_AT_ORIGIN:
            orgy = plotcore::TruncToPixel(w.GetPosY() * w.GetScaleY());
            break;
        case mpAXIS_HIGH_INSET:
            orgy = 10 - H / 2;
            break;
        case mpAXIS_LOW_INSET:
            orgy = H / 2 - 35;
            break;
        case mpAXIS_LOW_BORDER:
            orgy = H / 2 - 1;
            break;
        default:
            orgy = -H / 2;
            break;
    }
    dc.DrawLine(-W / 2, orgy, W / 2, orgy);

    const plotcore::ViewState& v = w.GetView();
    const plotcore::TickStep step = plotcore::ComputeTickStep(v.scaleX);
    const double start = v.posX - (W / 2) / v.scaleX, end = v.posX + (W / 2) / v.scaleX;
    int prevRight = -65535;
    plotcore::ForEachTick(start, end, step, [&](double t) {
        const int p = plotcore::PixelX(t, v);
        if (!(p > 50 - W / 2 && (p < W / 2 - 50 || !stopBeforeRightAxis))) return;
        if (ticks) {
            dc.DrawLine(p, orgy, p, flags == mpAXIS_LOW_BORDER ? orgy - 4 : orgy + 4);
        } else {
            dc.SetPen(wxPen(pen.GetColour(), pen.GetWidth(), wxPENSTYLE_DOT));
            dc.DrawLine(p, 30 - H / 2, p, orgy);
            dc.SetPen(pen);
        }
        const wxString label =
            plotcore::FormatAxisLabel(t, step.e, plotcore::AxisLabelKind::NumericX);
        wxCoord tw = 0, th = 0;
        dc.GetTextExtent(label, &tw, &th);
        if (p - tw / 2 <= prevRight + 64) return;
        if (flags == mpAXIS_LOW_BORDER)
            dc.DrawText(label, p - tw / 2, orgy - th - 4);
        else
            dc.DrawText(label, p - tw / 2, orgy + 4);
        prevRight = p + tw / 2;
    });

    if (flags != mpAXIS_HIGH_INSET) {
        wxCoord tw = 0, th = 0;
        dc.GetTextExtent(name, &tw, &th);
        if (flags == mpAXIS_LOW_BORDER)
            dc.DrawText(name, W / 2 - tw - 4, orgy - 2 * th - 4);
        else
            dc.DrawText(name, 0, orgy + th);
    }
}
