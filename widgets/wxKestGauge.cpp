#include "widgets/wxKestGauge.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include <algorithm>

#include "widgets/core/GaugeFill.h"

wxKestGauge::wxKestGauge(wxWindow* parent, wxWindowID id, int range, const wxPoint& pos,
                         const wxSize& size, long style, const wxString& name)
    : range_(std::max(range, 0)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, id, pos, size, style, wxDefaultValidator, name);
    Bind(wxEVT_PAINT, &wxKestGauge::OnPaint, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        Refresh(false);
        e.Skip();
    });
}

void wxKestGauge::SetRange(int range) {
    range_ = std::max(range, 0);
    value_ = std::min(value_, range_);
    Refresh(false);
}

void wxKestGauge::SetValue(int value) {
    value = std::clamp(value, 0, range_);
    if (value == value_) return;
    value_ = value;
    Refresh(false);
}

bool wxKestGauge::SetForegroundColour(const wxColour& colour) {
    if (!wxControl::SetForegroundColour(colour)) return false;
    Refresh(false);
    return true;
}

bool wxKestGauge::SetBackgroundColour(const wxColour& colour) {
    if (!wxControl::SetBackgroundColour(colour)) return false;
    Refresh(false);
    return true;
}

// Until a colour is set the gauge looks like the desktop's: the selection colour on a window-
// coloured trough.
wxColour wxKestGauge::BarColour() const {
    return UseForegroundColour() ? GetForegroundColour()
                                 : wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
}

wxColour wxKestGauge::TroughColour() const {
    return UseBgCol() ? GetBackgroundColour() : wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
}

void wxKestGauge::DrawTo(wxDC& dc, const wxSize& size) const {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(TroughColour()));
    dc.DrawRectangle(0, 0, size.x, size.y);
    const int fill = gauge::FillWidth(value_, range_, size.x);
    if (fill <= 0) return;
    dc.SetBrush(wxBrush(BarColour()));
    dc.DrawRectangle(0, 0, fill, size.y);
}

wxSize wxKestGauge::DoGetBestSize() const { return FromDIP(wxSize(100, 20)); }

void wxKestGauge::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    DrawTo(dc, GetClientSize());
}
