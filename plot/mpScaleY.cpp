#include "plot/mpScaleY.h"

#include <wx/dc.h>

#include "plot/AxisDrawing.h"
#include "plot/core/CornerLegend.h"
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
    const int W = w.GetScrX(), H = w.GetScrY();
    DrawVerticalAxis(dc, pen, w.GetView(),
                     plotcore::PrimaryVerticalAxisLayout(flags, ticks, stopBeforeRightAxis, {W, H},
                                                         w.GetBottomMargin(), w.GetView()),
                     name);
    if (!plotcore::WritesCornerLegend(flags)) return;
    for (const auto& [caption, row] : {std::pair{header2, plotcore::kLegendRowHeader2},
                                       std::pair{header, plotcore::kLegendRowHeader}}) {
        if (caption.IsEmpty()) continue;
        wxCoord tw = 0, th = 0;
        dc.GetTextExtent(caption, &tw, &th);
        dc.DrawText(caption, ToWx(plotcore::CornerLegendTextAt(row, W, H, th)));
    }
}
