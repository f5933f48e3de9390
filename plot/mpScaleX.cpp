#include "plot/mpScaleX.h"

#include <wx/dc.h>

#include "plot/AxisDrawing.h"
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

mpScaleX::Setup mpScaleX::Prepare(mpWindow& w) {
    Setup s;
    int bottomMargin = w.GetBottomMargin();
    s.absolute = w.GetAbsoluteTime();
    s.start = w.GetRecordStart();
    if (!s.start.IsValid()) {
        s.absolute = false;
        w.SetBottomMargin(35);
        bottomMargin = 35;
    }
    s.axis =
        plotcore::TimeAxisLayout(flags, ticks, stopBeforeRightAxis, {w.GetScrX(), w.GetScrY()},
                                 bottomMargin, w.HasSecondAxisSeries(), s.absolute, w.GetView());
    return s;
}

plotcore::TickLabel mpScaleX::TimeText(const Setup& s) {
    return [absolute = s.absolute, start = s.start](double t, int) {
        // Labels show whole seconds: a tick between two would repeat its neighbour's label.
        if (!plotcore::IsWholeSecond(t)) return wxString();
        return absolute ? plotcore::FormatAbsoluteLabel(start, t).time
                        : plotcore::FormatElapsedLabel(t);
    };
}

std::vector<plotcore::AxisTick> mpScaleX::Walk(wxDC& dc, mpWindow& w) {
    dc.SetFont(font);
    const Setup s = Prepare(w);
    return plotcore::WalkHorizontalAxis(w.GetView(), s.axis, TimeText(s), MeasureWith(dc));
}

void mpScaleX::Plot(wxDC& dc, mpWindow& w) {
    dc.SetPen(pen);
    dc.SetFont(font);
    const Setup s = Prepare(w);
    const std::vector<plotcore::AxisTick> walked =
        plotcore::WalkHorizontalAxis(w.GetView(), s.axis, TimeText(s), MeasureWith(dc));
    // Absolute time adds the date as a second line, placed with the width of the time text; below
    // the axis a 5 px mark joins each label to it.
    const bool above = flags == mpAXIS_LOW_BORDER;
    DrawWalkedHorizontalAxis(dc, pen, s.axis, name, walked, [&](const plotcore::AxisTick& t) {
        if (s.absolute) {
            const wxString date = plotcore::FormatAbsoluteLabel(s.start, t.value).date;
            if (!date.IsEmpty()) dc.DrawText(date, t.labelAt.x, t.labelAt.y + (above ? -10 : 10));
        }
        if (!above) dc.DrawLine(t.pixel, s.axis.row + 5, t.pixel, s.axis.row);
    });
}
