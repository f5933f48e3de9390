#include "plot/mpInfoLegend.h"

#include <wx/dc.h>

#include <vector>

#include "plot/core/InfoLayout.h"
#include "plot/mpWindow.h"

wxIMPLEMENT_DYNAMIC_CLASS(mpInfoLegend, mpInfoLayer);

mpInfoLegend::mpInfoLegend() = default;

mpInfoLegend::mpInfoLegend(const wxRect& rect, const wxBrush& brush) : mpInfoLayer(rect, brush) {
    box_.x = 0;
    box_.y = 0;
}

void mpInfoLegend::Plot(wxDC& dc, mpWindow& w) {
    if (!BeginPlot(dc, w, w.legendPos)) return;
    struct Line {
        wxString text;
        const mpLayer* series;
    };
    std::vector<Line> lines;
    for (int i = 0; i < w.CountLayers(); ++i) {
        const mpLayer* l = w.GetLayer(i);
        if (!l || (l->GetType() != mpLAYER_PLOT && l->GetType() != mpLAYER_PLOT_SECOND)) continue;
        if (!l->visible || !l->markerShown) continue;
        lines.push_back(
            {l->legendLabel + plotcore::LegendValueText(l->markerY) + l->legendUnit, l});
        if (l->markerZ > 0)
            lines.push_back(
                {l->legendLabel2 + plotcore::LegendValueText(l->markerZ) + l->legendUnit2, l});
    }
    std::vector<plotcore::PlotSize> sizes;
    for (const Line& line : lines) {
        wxCoord tw = 0, th = 0;
        dc.GetTextExtent(line.text, &tw, &th);
        sizes.push_back({tw, th});
    }
    dc.SetPen(pen);
    dc.SetBrush(*wxLIGHT_GREY_BRUSH);
    const auto size = plotcore::LegendBoxSize(sizes);
    if (!size) return;
    box_.width = size->w;
    box_.height = size->h;
    dc.DrawRectangle(box_);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const int h = sizes[k].h, y = box_.y + 5 + static_cast<int>(k) * h;
        dc.SetPen(lines[k].series->pen);
        dc.DrawLine(box_.x + 5, y + h / 2, box_.x + 15, y + h / 2);
        dc.DrawText(lines[k].text, box_.x + 20, y);
    }
}
