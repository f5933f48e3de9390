#include "plot/mpScaleY.h"

#include <wx/dc.h>

#include "plot/core/Ticks.h"
#include "plot/mpWindow.h"

wxIMPLEMENT_DYNAMIC_CLASS(mpScaleY, mpLayer);

mpScaleY::mpScaleY(const wxString& n, int f, bool t, bool stop)
    : flags(f), ticks(t), stopBeforeRightAxis(stop), header(n.BeforeFirst(' ')) {
    name = n;
    type = mpLAYER_AXIS;
    pen = *wxGREY_PEN;
    font = *wxSMALL_FONT;
}

void mpScaleY::Plot(wxDC& dc, mpWindow& w) {
    dc.SetPen(pen);
    dc.SetFont(font);
    const int W = w.GetScrX(), H = w.GetScrY(), bottomMargin = w.GetBottomMargin();
    const plotcore::ViewState& v = w.GetView();
    int orgx;
    switch (flags) {
        case mpAXIS_AT_ORIGIN:
            orgx = -plotcore::TruncToPixel(v.posX * v.scaleX);
            break;
        case mpAXIS_LOW_INSET:
            orgx = 50 - W / 2;
            break;
        case mpAXIS_HIGH_INSET:
            orgx = W / 2 - 20;
            break;
        case mpAXIS_HIGH_BORDER:
            orgx = W / 2 - 1;
            break;
        default:
            orgx = -W / 2;
            break;
    }
    dc.DrawLine(orgx, -H / 2, orgx, H / 2 - bottomMargin);

    const plotcore::TickStep step = plotcore::ComputeTickStep(v.scaleY);
    const double start = v.posY - (H / 2) / v.scaleY, end = v.posY + (H / 2) / v.scaleY;
    const int gridEnd = stopBeforeRightAxis ? W / 2 - 50 : W / 2;
    int prevP = 0;
    bool firstLabel = true;
    plotcore::ForEachTick(start, end, step, [&](double t) {
        const int p = plotcore::PixelY(t, v);
        if (!(30 - H / 2 < p && p < H / 2 - bottomMargin)) return;
        if (ticks) {
            if (flags == mpAXIS_LOW_BORDER)
                dc.DrawLine(orgx, p, orgx + 4, p);
            else
                dc.DrawLine(orgx - 4, p, orgx, p);
        } else {
            dc.SetPen(wxPen(pen.GetColour(), pen.GetWidth(), wxPENSTYLE_DOT));
            dc.DrawLine(orgx, p, gridEnd, p);
            dc.SetPen(pen);
        }
        if (!firstLabel && prevP - p <= 32) return;
        const wxString label =
            plotcore::FormatAxisLabel(t, step.e, plotcore::AxisLabelKind::PrimaryY);
        wxCoord tw = 0, th = 0;
        dc.GetTextExtent(label, &tw, &th);
        if (flags == mpAXIS_LOW_BORDER)
            dc.DrawText(label, orgx + 4, p - th / 2);
        else
            dc.DrawText(label, orgx - tw - 4, p - th / 2);
        prevP = p;
        firstLabel = false;
    });

    if (flags == mpAXIS_HIGH_INSET) return;
    wxCoord tw = 0, th = 0;
    dc.GetTextExtent(name, &tw, &th);
    if (flags == mpAXIS_LOW_BORDER)
        dc.DrawText(name, orgx - tw - 4, th - H / 2 + 4);
    else if (flags == mpAXIS_HIGH_BORDER)
        dc.DrawText(name, orgx - tw - 4, 4 - H / 2);
    else
        dc.DrawRotatedText(name, orgx - 48, tw / 2, 90);
    if (flags == mpAXIS_AT_ORIGIN || flags == mpAXIS_LOW_INSET || flags == mpAXIS_HIGH_BORDER) {
        for (const auto& [text, row] : {std::pair{header2, 10}, std::pair{header, 22}}) {
            if (text.IsEmpty()) continue;
            dc.GetTextExtent(text, &tw, &th);
            dc.DrawText(text, 80 - W / 2, row - H / 2 - th / 2);
        }
    }
}
