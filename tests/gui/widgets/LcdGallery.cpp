#include "tests/gui/widgets/LcdGallery.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>

#include <memory>

#include "widgets/kwxLCDClock.h"
#include "widgets/kwxLCDDisplay.h"
#include "widgets/wxKestButton.h"

namespace {

const wxColour kGrey(236, 233, 216);

struct Readout {
    wxString caption;
    wxString value;  // ignored for the clock
    float seconds;
    int digits;
    wxSize size;
    bool clock;
};

// The row of readouts of the main window at its own sizes, then the same texts enlarged.
const Readout kReadouts[] = {
    {"clock 150x40, 7 cells, 3725 s", "", 3725.0f, 7, {150, 40}, true},
    {"flow 100x40, 6 cells", "12.5", 0, 6, {100, 40}, false},
    {"pressure 60x35, 6 cells", "3.40", 0, 6, {60, 35}, false},
    {"clock 600x120", "", 125.9f, 7, {600, 120}, true},
    {"flow 600x120: 1..2 and a minus", "-1..2", 0, 6, {600, 120}, false},
    {"600x120: the digits", "0123456789", 0, 10, {600, 120}, false},
    {"600x120: the letters, the degree sign and o", "-rABCDEFH^o", 0, 11, {600, 120}, false},
};

wxBitmap Filled(const wxColour& colour, int w, int h) {
    wxBitmap bmp(w, h, 24);
    wxMemoryDC dc(bmp);
    dc.SetBackground(wxBrush(colour));
    dc.Clear();
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(0, 0, w, h);
    return bmp;
}

bool Save(const wxBitmap& bmp, const wxString& path, wxString* error) {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    if (bmp.ConvertToImage().SaveFile(path, wxBITMAP_TYPE_PNG)) return true;
    if (error) *error = "cannot write " + path;
    return false;
}

wxBitmap LcdRows(wxWindow* parent) {
    constexpr int kMargin = 10;
    constexpr int kCaption = 18;
    int height = kMargin;
    for (const Readout& r : kReadouts) height += kCaption + r.size.y + kMargin;
    wxBitmap sheet(620, height, 24);
    wxMemoryDC dc(sheet);
    dc.SetBackground(wxBrush(kGrey));
    dc.Clear();
    int y = kMargin;
    for (const Readout& r : kReadouts) {
        dc.SetTextForeground(*wxBLACK);
        dc.DrawText(r.caption, kMargin, y);
        y += kCaption;
        std::unique_ptr<kwxLCDDisplay> lcd(
            r.clock ? new kwxLCDClock(parent, wxDefaultPosition, r.size)
                    : new kwxLCDDisplay(parent, wxDefaultPosition, r.size));
        lcd->SetNumberDigits(r.digits);
        if (r.clock)
            static_cast<kwxLCDClock*>(lcd.get())->SetElapsedSeconds(r.seconds);
        else
            lcd->SetValue(r.value);
        const wxPoint old = dc.GetDeviceOrigin();
        dc.SetDeviceOrigin(kMargin, y);
        lcd->DrawTo(dc, r.size);
        dc.SetDeviceOrigin(old.x, old.y);
        dc.SetPen(wxPen(wxColour(180, 175, 160)));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(kMargin - 1, y - 1, r.size.x + 2, r.size.y + 2);
        y += r.size.y + kMargin;
    }
    return sheet;
}

wxBitmap Buttons(wxWindow* parent) {
    const struct {
        const char* caption;
        const char* state;
    } states[] = {{"Apri", "normal"},
                  {"Apri", "hover"},
                  {"Apri", "pressed"},
                  {"Misura F", "disabled"},
                  {"Grafico pressione", "long caption"}};
    constexpr int kW = 55, kH = 60, kGap = 20;
    wxBitmap sheet(kGap + std::size(states) * (kW + kGap) + 40, kH + 2 * kGap + 16, 24);
    wxMemoryDC dc(sheet);
    dc.SetBackground(wxBrush(kGrey));
    dc.Clear();
    int x = kGap;
    for (const auto& s : states) {
        std::unique_ptr<wxKestButton> b(
            new wxKestButton(parent, wxID_ANY, Filled(wxColour(120, 170, 230), 50, 50), s.caption,
                             wxDefaultPosition, wxSize(kW, kH), wxBORDER_NONE));
        b->SetBitmapHover(Filled(wxColour(250, 200, 90), 50, 50));
        b->SetBitmapPressed(Filled(wxColour(60, 110, 190), 50, 50));
        b->SetBitmapDisabled(Filled(wxColour(190, 190, 190), 50, 50));
        const wxString state = s.state;
        wxMouseEvent e(state == "pressed" ? wxEVT_LEFT_DOWN : wxEVT_ENTER_WINDOW);
        if (state == "hover" || state == "pressed") b->ProcessWindowEvent(e);
        if (state == "disabled") b->Disable();
        const wxPoint old = dc.GetDeviceOrigin();
        dc.SetDeviceOrigin(x, kGap);
        b->DrawTo(dc, wxSize(kW, kH));
        dc.SetDeviceOrigin(old.x, old.y);
        if (b->HasCapture()) b->ReleaseMouse();
        dc.SetTextForeground(*wxBLACK);
        dc.DrawText(state, x, kGap + kH + 4);
        x += kW + kGap;
    }
    return sheet;
}

}  // namespace

std::vector<wxString> WriteLcdGallery(const wxString& dir, wxString* error) {
    // The widgets need a parent window; it is never shown.
    std::unique_ptr<wxFrame, void (*)(wxFrame*)> frame(new wxFrame(nullptr, wxID_ANY, "gallery"),
                                                       [](wxFrame* f) { f->Destroy(); });
    std::vector<wxString> written;
    const wxString rows = wxFileName(dir, "lcd_rows.png").GetFullPath();
    const wxString buttons = wxFileName(dir, "kest_buttons.png").GetFullPath();
    if (!Save(LcdRows(frame.get()), rows, error)) return {};
    written.push_back(rows);
    if (!Save(Buttons(frame.get()), buttons, error)) return {};
    written.push_back(buttons);
    return written;
}
