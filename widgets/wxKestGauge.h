#pragma once
// A horizontal level gauge drawn by the program itself: a bar in the foreground colour over a
// trough in the background colour. The toolkit's own gauge follows the desktop theme and ignores
// both colours on GTK 3, where the battery gauge must show green, orange or red.

#include <wx/control.h>

class wxDC;

class wxKestGauge : public wxControl {
public:
    wxKestGauge(wxWindow* parent, wxWindowID id, int range, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxNO_BORDER,
                const wxString& name = "gauge");

    void SetRange(int range);
    int GetRange() const { return range_; }
    // Held to 0..range.
    void SetValue(int value);
    int GetValue() const { return value_; }

    // The bar and the trough; both repaint the gauge.
    bool SetForegroundColour(const wxColour& colour) override;
    bool SetBackgroundColour(const wxColour& colour) override;
    wxColour BarColour() const;
    wxColour TroughColour() const;

    // Draws the gauge into an area of `size` at the DC's origin, for the paint handler and tests.
    void DrawTo(wxDC& dc, const wxSize& size) const;

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);

    int range_;
    int value_ = 0;
};
