#include "plot/mpScaleYKest.h"

#include <wx/dc.h>

#include "plot/AxisDrawing.h"
#include "plot/core/CornerLegend.h"
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
    // Always grey: a pen set by the caller does not last.
    pen = *wxGREY_PEN;
    dc.SetPen(pen);
    dc.SetFont(font);
    const int W = w.GetScrX(), H = w.GetScrY();
    DrawVerticalAxis(
        dc, pen, w.GetView(),
        plotcore::SecondVerticalAxisLayout(flags, ticks, {W, H}, w.GetBottomMargin(), w.GetView()),
        name);
    if (!plotcore::WritesCornerLegend(flags)) return;
    // The first word of the name, in the corner legend beside the series' sample.
    const wxString word = name.BeforeFirst(' ');
    wxCoord tw = 0, th = 0;
    dc.GetTextExtent(word, &tw, &th);
    dc.DrawText(word, ToWx(plotcore::CornerLegendTextAt(plotcore::kLegendRowSecond, W, H, th)));
}
