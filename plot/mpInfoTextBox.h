#pragma once
// The text box: a record's free text in a light-grey box, one row per line. After each paint that
// drew it, it sends mpEVT_TEXTBOX_MOVED so the position can be stored with the record.
#include "plot/mpInfoLayer.h"

class mpInfoTextBox : public mpInfoLayer {
public:
    mpInfoTextBox();
    mpInfoTextBox(const wxRect& rect, const wxBrush& brush);

    void Plot(wxDC& dc, mpWindow& w) override;

    // Places the box corner, clamped into the window (size of its last paint).
    void SetPosition(mpWindow& w, int x, int y);
    void SetText(const wxString& t) { text = t; }

    wxString text;

    wxDECLARE_DYNAMIC_CLASS(mpInfoTextBox);
};
