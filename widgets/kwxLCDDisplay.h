#pragma once
// A row of seven-segment digit cells showing a short text, drawn on a fixed canvas that is scaled
// to the window and centred, like a liquid-crystal panel.

#include <wx/colour.h>
#include <wx/window.h>

#include "widgets/core/LcdSegments.h"

class wxDC;

class kwxLCDDisplay : public wxWindow {
public:
    kwxLCDDisplay(wxWindow* parent, const wxPoint& pos = wxDefaultPosition,
                  const wxSize& size = wxDefaultSize);

    void SetValue(const wxString& value);
    wxString GetValue() const { return value_; }
    void SetNumberDigits(int digits);
    int GetNumberDigits() const { return geometry_.digits; }

    // Fill of lit segments, set decimal points and the colon.
    void SetLightColour(const wxColour& colour);
    wxColour GetLightColour() const { return light_; }
    // Fill of unlit segments and unset decimal points.
    void SetGrayColour(const wxColour& colour);
    wxColour GetGrayColour() const { return grey_; }

    // Draws the whole readout into an area of `size` at the DC's origin; the paint handler, the
    // tests and the pictures of the window all draw through here.
    void DrawTo(wxDC& dc, const wxSize& size) const;

    // The canvas size in its own units (cells and margins), for callers that size a window to it.
    wxSize GetCanvasSize() const { return {geometry_.CanvasWidth(), geometry_.CanvasHeight()}; }

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void DrawCell(wxDC& dc, lcd::Point origin, unsigned char c, bool point) const;

    lcd::Geometry geometry_;
    wxString value_;
    wxColour light_{60, 80, 200};
    wxColour grey_{236, 233, 216};
};
