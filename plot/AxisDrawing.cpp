#include "plot/AxisDrawing.h"

#include <vector>

namespace {

void DrawTicks(wxDC& dc, const wxPen& pen, bool ticks, const std::vector<plotcore::AxisTick>& walk,
               const std::function<void(const plotcore::AxisTick&)>& afterLabel) {
    for (const plotcore::AxisTick& t : walk) {
        if (ticks) {
            dc.DrawLine(ToWx(t.markFrom), ToWx(t.markTo));
        } else {
            dc.SetPen(wxPen(pen.GetColour(), pen.GetWidth(), wxPENSTYLE_DOT));
            dc.DrawLine(ToWx(t.markFrom), ToWx(t.markTo));
            dc.SetPen(pen);
        }
        if (!t.labelled) continue;
        dc.DrawText(t.label, ToWx(t.labelAt));
        if (afterLabel) afterLabel(t);
    }
}

void DrawName(wxDC& dc, const wxString& name, const std::optional<plotcore::AxisName>& at) {
    if (!at) return;
    if (at->angle == 0)
        dc.DrawText(name, ToWx(at->at));
    else
        dc.DrawRotatedText(name, ToWx(at->at), at->angle);
}

}  // namespace

plotcore::TextMeasure MeasureWith(wxDC& dc) {
    return [&dc](const wxString& text) {
        wxCoord w = 0, h = 0;
        dc.GetTextExtent(text, &w, &h);
        return plotcore::PlotSize{w, h};
    };
}

void DrawHorizontalAxis(wxDC& dc, const wxPen& pen, const plotcore::ViewState& v,
                        const plotcore::HorizontalAxis& a, const wxString& name,
                        const plotcore::TickLabel& label,
                        const std::function<void(const plotcore::AxisTick&)>& afterLabel) {
    DrawWalkedHorizontalAxis(
        dc, pen, a, name, plotcore::WalkHorizontalAxis(v, a, label, MeasureWith(dc)), afterLabel);
}

void DrawWalkedHorizontalAxis(wxDC& dc, const wxPen& pen, const plotcore::HorizontalAxis& a,
                              const wxString& name, const std::vector<plotcore::AxisTick>& ticks,
                              const std::function<void(const plotcore::AxisTick&)>& afterLabel) {
    dc.DrawLine(a.lineFrom, a.row, a.lineTo, a.row);
    DrawTicks(dc, pen, a.ticks, ticks, afterLabel);
    DrawName(dc, name, plotcore::HorizontalAxisNameAt(a, MeasureWith(dc)(name)));
}

void DrawVerticalAxis(wxDC& dc, const wxPen& pen, const plotcore::ViewState& v,
                      const plotcore::VerticalAxis& a, const wxString& name) {
    dc.DrawLine(a.column, -a.height / 2, a.column, a.lineEnd);
    const plotcore::TextMeasure measure = MeasureWith(dc);
    DrawTicks(dc, pen, a.ticks, plotcore::WalkVerticalAxis(v, a, measure), {});
    DrawName(dc, name, plotcore::VerticalAxisNameAt(a, measure(name)));
}
