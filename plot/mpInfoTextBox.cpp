#include "plot/mpInfoTextBox.h"

#include <wx/dc.h>

#include <vector>

#include "plot/core/InfoLayout.h"
#include "plot/mpEvents.h"
#include "plot/mpWindow.h"

wxIMPLEMENT_DYNAMIC_CLASS(mpInfoTextBox, mpInfoLayer);

mpInfoTextBox::mpInfoTextBox() = default;

mpInfoTextBox::mpInfoTextBox(const wxRect& rect, const wxBrush& brush) : mpInfoLayer(rect, brush) {
    box_.x = -50;
    box_.y = -50;
}

void mpInfoTextBox::SetPosition(mpWindow& w, int x, int y) {
    const plotcore::PlotPoint p = plotcore::ClampBoxPosition(x, y, {w.GetScrX(), w.GetScrY()});
    box_.x = p.x;
    box_.y = p.y;
    // Keeps a drag that starts before the next paint from jumping back to the old place.
    w.textBoxPos = wxRealPoint(p.x, p.y);
}

void mpInfoTextBox::Plot(wxDC& dc, mpWindow& w) {
    if (!BeginPlot(dc, w, w.textBoxPos)) return;
    // An empty text draws no box, whatever height the toolkit gives an empty string.
    if (text.IsEmpty()) return;
    const std::vector<wxString> lines = plotcore::SplitTextLines(text);
    std::vector<plotcore::PlotSize> sizes;
    for (const wxString& line : lines) {
        wxCoord tw = 0, th = 0;
        dc.GetTextExtent(line, &tw, &th);
        sizes.push_back({tw, th});
    }
    dc.SetPen(pen);
    dc.SetBrush(*wxLIGHT_GREY_BRUSH);
    const auto size = plotcore::TextBoxSize(sizes);
    if (!size) return;
    box_.width = size->w;
    box_.height = size->h;
    dc.DrawRectangle(box_);
    const std::vector<plotcore::PlotPoint> at = plotcore::TextLineOffsets(sizes);
    for (std::size_t i = 0; i < lines.size(); ++i)
        dc.DrawText(lines[i], box_.x + at[i].x, box_.y + at[i].y);

    wxCommandEvent evt(mpEVT_TEXTBOX_MOVED, -1);
    evt.SetEventObject(this);
    if (wxWindow* parent = w.GetParent()) parent->GetEventHandler()->ProcessEvent(evt);
}
