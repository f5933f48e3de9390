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

void mpScaleX::Plot(wxDC& dc, mpWindow& w) {
    dc.SetPen(pen);
    dc.SetFont(font);
    int bottomMargin = w.GetBottomMargin();
    bool absolute = w.GetAbsoluteTime();
    const wxDateTime recordStart = w.GetRecordStart();
    if (!recordStart.IsValid()) {
        absolute = false;
        w.SetBottomMargin(35);
        bottomMargin = 35;
    }
    const plotcore::HorizontalAxis axis =
        plotcore::TimeAxisLayout(flags, ticks, stopBeforeRightAxis, {w.GetScrX(), w.GetScrY()},
                                 bottomMargin, w.HasSecondAxisSeries(), absolute, w.GetView());
    const auto timeText = [&](double t, int) {
        return absolute ? plotcore::FormatAbsoluteLabel(recordStart, t).time
                        : plotcore::FormatElapsedLabel(t);
    };
    // Absolute time adds the date as a second line, placed with the width of the time text; below
    // the axis a 5 px mark joins each label to it.
    const bool above = flags == mpAXIS_LOW_BORDER;
    DrawHorizontalAxis(
        dc, pen, w.GetView(), axis, name, timeText, [&](const plotcore::AxisTick& t) {
            if (absolute) {
                const wxString date = plotcore::FormatAbsoluteLabel(recordStart, t.value).date;
                if (!date.IsEmpty())
                    dc.DrawText(date, t.labelAt.x, t.labelAt.y + (above ? -10 : 10));
            }
            if (!above) dc.DrawLine(t.pixel, axis.row + 5, t.pixel, axis.row);
        });
}
