#include "widgets/kwxLCDDisplay.h"

#include <wx/brush.h>
#include <wx/dcbuffer.h>
#include <wx/pen.h>

#include <algorithm>

#include "widgets/core/LcdText.h"

namespace {
// More cells than any readout needs; keeps the canvas arithmetic far from overflow.
constexpr int kMaxDigits = 256;
}  // namespace

kwxLCDDisplay::kwxLCDDisplay(wxWindow* parent, const wxPoint& pos, const wxSize& size) {
    // Painting covers every pixel, so the toolkit need not erase first (no flicker).
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, wxID_ANY, pos, size, wxBORDER_NONE, "panel");
    SetBackgroundColour(wxColour(236, 233, 216));
    Bind(wxEVT_PAINT, &kwxLCDDisplay::OnPaint, this);
    Bind(wxEVT_SIZE, &kwxLCDDisplay::OnSize, this);
}

void kwxLCDDisplay::SetValue(const wxString& value) {
    value_ = value;
    Refresh(false);
}

void kwxLCDDisplay::SetNumberDigits(int digits) {
    geometry_.digits = std::clamp(digits, 0, kMaxDigits);
    InvalidateBestSize();
    Refresh(false);
}

void kwxLCDDisplay::SetLightColour(const wxColour& colour) {
    light_ = colour;
    Refresh(false);
}

void kwxLCDDisplay::SetGrayColour(const wxColour& colour) {
    grey_ = colour;
    Refresh(false);
}

wxSize kwxLCDDisplay::DoGetBestClientSize() const {
    // A readout 40 pixels high, wide as its proportions ask.
    constexpr int kHeight = 40;
    return FromDIP(wxSize(geometry_.CanvasWidth() * kHeight / geometry_.CanvasHeight(), kHeight));
}

void kwxLCDDisplay::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    DrawTo(dc, GetClientSize());
}

void kwxLCDDisplay::OnSize(wxSizeEvent& event) {
    Refresh(false);
    event.Skip();
}

void kwxLCDDisplay::DrawTo(wxDC& dc, const wxSize& size) const {
    const wxColour background = GetBackgroundColour();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(background));
    dc.DrawRectangle(wxPoint(0, 0), size);

    const lcd::Fit fit =
        lcd::FitCanvas(size.x, size.y, geometry_.CanvasWidth(), geometry_.CanvasHeight());
    if (fit.scale <= 0) return;

    double oldScaleX = 1, oldScaleY = 1;
    dc.GetUserScale(&oldScaleX, &oldScaleY);
    const wxPoint oldOrigin = dc.GetDeviceOrigin();
    // Compose with what the caller set (a printout's scale, a picture's offset) rather than replace
    // it.
    dc.SetUserScale(oldScaleX * fit.scale, oldScaleY * fit.scale);
    dc.SetDeviceOrigin(oldOrigin.x + static_cast<int>(fit.originX * oldScaleX),
                       oldOrigin.y + static_cast<int>(fit.originY * oldScaleY));
    dc.SetPen(wxPen(background, 1, wxPENSTYLE_SOLID));

    const std::vector<lcd::Cell> cells = lcd::WalkText(value_, geometry_.digits);
    for (int d = 0; d < static_cast<int>(cells.size()); ++d)
        DrawCell(dc, geometry_.CellOrigin(d), cells[d].c, cells[d].point);

    dc.SetDeviceOrigin(oldOrigin.x, oldOrigin.y);
    dc.SetUserScale(oldScaleX, oldScaleY);
}

void kwxLCDDisplay::DrawCell(wxDC& dc, lcd::Point origin, unsigned char c, bool point) const {
    const int L = geometry_.segmentLength;
    const int W = geometry_.segmentWidth;
    if (c == ':') {
        dc.SetBrush(wxBrush(light_));
        for (const lcd::Box& b : lcd::ColonBoxes(origin, L, W))
            dc.DrawEllipse(b.x, b.y, b.width, b.height);
        return;
    }
    const std::uint8_t code = lcd::SegmentCode(c);
    const wxBrush lit(light_);
    const wxBrush unlit(grey_);
    for (int s = 0; s < lcd::SegmentCount; ++s) {
        const auto segment = static_cast<lcd::Segment>(s);
        const lcd::Polygon poly = lcd::SegmentPolygon(segment, origin, L, W);
        wxPoint pts[6];
        for (int i = 0; i < poly.count; ++i) pts[i] = wxPoint(poly.corners[i].x, poly.corners[i].y);
        dc.SetBrush(lcd::IsLit(code, segment) ? lit : unlit);
        dc.DrawPolygon(poly.count, pts, 0, 0, wxODDEVEN_RULE);
    }
    const lcd::Box dp = lcd::DecimalPointBox(origin, L, W);
    dc.SetBrush(point ? lit : unlit);
    dc.DrawEllipse(dp.x, dp.y, dp.width, dp.height);
}
