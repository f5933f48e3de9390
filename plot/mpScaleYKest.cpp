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
        case 1:
            orgx = -plotcore::TruncToPixel(v.posX * v.scaleX);
            break;
        case 2:
            orgx = 40 - W / 2;
            break;
        case 0:
            orgx = W / 2 - 20;
            break;
        case 5:
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
        dc.DrawText(label, orgx + (flags == 4 ? 4 : 6), p - th / 2);
        prevP = p;
        firstLabel = false;
    });

    if (flags == 0) return;
    wxCoord tw = 0, th = 0;
    dc.GetTextExtent(name, &tw, &th);
    if (flags == 4)
        dc.DrawText(name, orgx - tw - 4, th - H / 2 + 4);
    else if (flags == 5)
        dc.DrawRotatedText(name, W / 2 - 5, -tw / 2, -90);
    else
        dc.DrawText(name, orgx + 4, 4 - H / 2);
    if (flags == 1 || flags == 2 || flags == 5) {
        const wxString word = name.BeforeFirst(' ');
        dc.GetTextExtent(word, &tw, &th);
        dc.DrawText(word, 80 - W / 2, 35 - H / 2 - th / 2);
    }
}
