#include "plot/mpScaleX.h"

#include <wx/dc.h>

#include "plot/core/Ticks.h"
#include "plot/core/TimeLabels.h"
#include "plot/mpWindow.h"

wxIMPLEMENT_DYNAMIC_CLASS(mpScaleX, mpLayer);

mpScaleX::mpScaleX(const wxString& n, int f, bool t, bool stop)
    : flags(f), ticks(t), stopBeforeRightAxis(stop) {
    name = n;
    type = mpLAYER_AXIS;
    pen = *wxGREY_PEN;
    font = *wxNORMAL_FONT;
}

void mpScaleX::Plot(wxDC& dc, mpWindow& w) {
    dc.SetPen(pen);
    dc.SetFont(font);
    int bottomMargin = w.GetBottomMargin();
    bool absolute = w.GetAbsoluteTime();
    if (!w.GetRecordStart().IsValid()) {
        absolute = false;
        w.SetBottomMargin(35);
        bottomMargin = 35;
    }
    const int W = w.GetScrX(), H = w.GetScrY();
    const int rightEnd = w.HasSecondAxisSeries() ? W / 2 - 50 : W / 2;
    int orgy;
    switch (flags) {
        case mpAXIS_AT_ORIGIN:
            orgy = plotcore::TruncToPixel(w.GetPosY() * w.GetScaleY());
            break;
        case mpAXIS_HIGH_INSET:
            orgy = 10 - H / 2;
            break;
        case mpAXIS_LOW_INSET:
            orgy = H / 2 - bottomMargin;
            break;
        case mpAXIS_LOW_BORDER:
            orgy = H / 2 - 1;
            break;
        default:
            orgy = -H / 2;
            break;
    }
    dc.DrawLine(50 - W / 2, orgy, rightEnd, orgy);

    const plotcore::ViewState& v = w.GetView();
    const plotcore::TickStep step = plotcore::ComputeTickStep(v.scaleX);
    const double start = v.posX - (W / 2) / v.scaleX, end = v.posX + rightEnd / v.scaleX;
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
        wxString time, date;
        if (absolute) {
            const plotcore::AbsoluteLabel l = plotcore::FormatAbsoluteLabel(w.GetRecordStart(), t);
            time = l.time;
            date = l.date;
        } else {
            time = plotcore::FormatElapsedLabel(t);
        }
        wxCoord tw = 0, th = 0;
        dc.GetTextExtent(time, &tw, &th);
        if (p - tw / 2 <= prevRight + 10) return;
        if (flags == mpAXIS_LOW_BORDER) {
            dc.DrawText(time, p - tw / 2, orgy - th - 4);
            if (!date.IsEmpty()) dc.DrawText(date, p - tw / 2, orgy - th - 14);
        } else {
            dc.DrawText(time, p - tw / 2, orgy + 4);
            if (!date.IsEmpty()) dc.DrawText(date, p - tw / 2, orgy + 14);
            dc.DrawLine(p, orgy + 5, p, orgy);
        }
        prevRight = p + tw / 2;
    });

    if (flags != mpAXIS_HIGH_INSET) {
        wxCoord tw = 0, th = 0;
        dc.GetTextExtent(name, &tw, &th);
        if (flags == mpAXIS_LOW_BORDER)
            dc.DrawText(name, W / 2 - tw - 4, orgy - 2 * th - 4);
        else
            dc.DrawText(name, 0, orgy + th + (absolute ? 12 : 0));
    }
}
