#include "plot/mpScaleYKest.h"

#include <wx/dc.h>

#include "plot/core/Ticks.h"
#include "plot/mpWindow.h"

wxIMPLEMENT_DYNAMIC_CLASS(mpScaleYKest, mpLayer);

mpScaleYKest::mpScaleYKest(const wxString& n, int f, bool t) : flags(f), ticks(t) {
    name = n;
    type = mpLAYER_AXIS;
    pen = *wxGREY_PEN;
    font = *wxSMALL_FONT;
}

void mpScaleYKest::Plot(wxDC& dc, mpWindow& w) {
    pen = *wxGREY_PEN;
    dc.SetPen(pen);
    dc.SetFont(font);
    const int W = w.GetScrX(), H = w.GetScrY();
    const plotcore::ViewState& v = w.GetView();
    int orgx;
    switch (flags) {
        case mpAXIS_AT_ORIGIN:
            orgx = -plotcore::TruncToPixel(v.posX * v.scaleX);
            break;
        case mpAXIS_LOW_INSET:
            orgx = 40 - W / 2;
            break;
        case mpAXIS_HIGH_INSET:
            orgx = W / 2 - 20;
            break;
        case mpAXIS_HIGH_BORDER:
            orgx = W / 2 - 50;
            break;
        default:
            orgx = -W / 2;
            break;
    }
    dc.DrawLine(orgx, -H / 2, orgx, H / 2 - w.GetBottomMargin());

    const plotcore::TickStep step = plotcore::ComputeTickStep(v.scaleY2);
    const double start = v.posY2 - (H / 2) / v.scaleY2, end = v.posY2 + (H / 2) / v.scaleY2;
    int prevP = 0;
    bool firstLabel = true;
    plotcore::ForEachTick(start, end, step, [&](double t) {
        const int p = plotcore::PixelY2(t, v);
        if (!(p < H / 2 - 30)) return;
        if (ticks) {
            dc.DrawLine(orgx, p, orgx + 4, p);
        } else {
            dc.SetPen(wxPen(pen.GetColour(), pen.GetWidth(), wxPENSTYLE_DOT));
            dc.DrawLine(-W / 2, p, W / 2, p);
            dc.SetPen(pen);
        }
        if (!firstLabel && prevP - p <= 32) return;
        const wxString label =
            plotcore::FormatAxisLabel(t, step.e, plotcore::AxisLabelKind::SecondY);
        wxCoord tw = 0, th = 0;
        dc.GetTextExtent(label, &tw, &th);
        dc.DrawText(label, orgx + (flags == mpAXIS_LOW_BORDER ? 4 : 6), p - th / 2);
        prevP = p;
        firstLabel = false;
    });

    if (flags == mpAXIS_HIGH_INSET) return;
    wxCoord tw = 0, th = 0;
    dc.GetTextExtent(name, &tw, &th);
    if (flags == mpAXIS_LOW_BORDER)
        dc.DrawText(name, orgx - tw - 4, th - H / 2 + 4);
    else if (flags == mpAXIS_HIGH_BORDER)
        dc.DrawRotatedText(name, W / 2 - 5, -tw / 2, -90);
    else
        dc.DrawText(name, orgx + 4, 4 - H / 2);
    if (flags == mpAXIS_AT_ORIGIN || flags == mpAXIS_LOW_INSET || flags == mpAXIS_HIGH_BORDER) {
        const wxString word = name.BeforeFirst(' ');
        dc.GetTextExtent(word, &tw, &th);
        dc.DrawText(word, 80 - W / 2, 35 - H / 2 - th / 2);
    }
}
