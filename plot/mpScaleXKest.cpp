#include "plot/mpScaleXKest.h"

#include <wx/dc.h>

#include "plot/AxisDrawing.h"
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
    const plotcore::HorizontalAxis axis = plotcore::NumericAxisLayout(
        flags, ticks, stopBeforeRightAxis, {w.GetScrX(), w.GetScrY()}, w.GetView());
    DrawHorizontalAxis(dc, pen, w.GetView(), axis, name, [](double t, int e) {
        return plotcore::FormatAxisLabel(t, e, plotcore::AxisLabelKind::NumericX);
    });
}
