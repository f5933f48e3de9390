// Renders every picture of the program onto one PNG contact sheet, at 1x and 2x and in each button
// state, plus the splash (<sheet>-splash.png) and the main window's button rows with their captions
// (<sheet>-buttons.png), so the artwork can be reviewed without running the program:
//   xvfb-run -a hvx_art_sheet sheet.png [scale [name-filter [zoom]]]
// zoom magnifies the finished sheet pixel by pixel, to judge how crisp the 1x pictures are.
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/init.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "art/Art.h"

namespace {

constexpr ArtState kStates[] = {ArtState::Normal, ArtState::Hover, ArtState::Pressed,
                                ArtState::Disabled};

// The main window's button rows as the program lays them out: picture centred on the grey, caption
// printed along the bottom edge over it, so crowding under the caption shows up.
bool WriteButtonRows(const wxString& path, double scale) {
    struct Button {
        const char* picture;
        const char* caption;
        int w, h;
    };
    const std::vector<std::vector<Button>> rows = {
        {{"tool-open", "Apri", 55, 60},
         {"tool-save", "Salva", 55, 60},
         {"tool-print", "Stampa grafico", 55, 60},
         {"tool-capture", "cattura", 55, 60},
         {"version", "HVX Version 4.8", 100, 70},
         {"graph-flow-on", "Grafico portata", 55, 60},
         {"graph-volume-off", "Grafico volume", 55, 60},
         {"graph-pressure-off", "Grafico pressione", 55, 60}},
        {{"zoom-in", "Zoom in", 55, 50},
         {"zoom-out", "Zoom out", 55, 50},
         {"measure-flow-off", "Misura F", 55, 50},
         {"measure-pressure-on", "Misura P", 55, 50},
         {"grid-off", "Griglia", 55, 50},
         {"points-on", "Esempi", 55, 50},
         {"filter-off", "Flitri", 55, 50}},
        {{"live-start", "", 50, 50},
         {"live-stop", "", 50, 50},
         {"meter-settings", "", 70, 50},
         {"meter-erase", "", 50, 50},
         {"meter-download", "", 50, 50}},
    };
    const int gap = 8;
    const int width = int(900 * scale), height = int((60 + 50 + 50 + 70 - 10 + 4 * gap) * scale);
    wxBitmap sheet(width, height, 24);
    wxMemoryDC dc(sheet);
    dc.SetBackground(wxBrush(wxColour(236, 233, 216)));
    dc.Clear();
    dc.SetFont(wxFontInfo(8 * scale).Family(wxFONTFAMILY_SWISS));
    int y = int(gap * scale);
    for (const auto& row : rows) {
        int x = int(gap * scale), rowHeight = 0;
        for (const Button& b : row) {
            const int bw = int(b.w * scale), bh = int(b.h * scale);
            wxSize pic = ArtDefaultSize(b.picture);
            pic = wxSize(int(pic.x * scale), int(pic.y * scale));
            if (pic.y > bh)
                pic = wxSize(bh, bh);  // the meter buttons show their pictures at button size
            dc.DrawBitmap(ArtBitmap(b.picture, pic), x + (bw - pic.x) / 2, y + (bh - pic.y) / 2,
                          true);
            const wxSize text = dc.GetTextExtent(b.caption);
            dc.SetClippingRegion(x, y, bw, bh);
            dc.DrawText(b.caption, x + (bw - text.x) / 2, y + bh - text.y);
            dc.DestroyClippingRegion();
            x += bw + int(gap * scale);
            rowHeight = std::max(rowHeight, bh);
        }
        y += rowHeight + int(gap * scale);
    }
    dc.SelectObject(wxNullBitmap);
    return sheet.SaveFile(path, wxBITMAP_TYPE_PNG);
}

int Run(const wxString& path, double scale, const wxString& filter, int zoom) {
    const wxColour grey(236, 233, 216);
    const int gap = 10, labelWidth = 150;
    int width = labelWidth, height = gap;
    std::vector<wxString> names;
    for (const wxString& name : ArtNames())
        if (name != "splash" && name.Contains(filter)) names.push_back(name);
    for (const wxString& name : names) {
        const wxSize s = ArtDefaultSize(name);
        const int w1 = int(s.x * scale), h1 = int(s.y * scale);
        width = std::max(width, labelWidth + 4 * (w1 + gap) + 2 * w1 + gap);
        height += std::max(2 * h1, 16) + gap;
    }
    wxBitmap sheet(width, height, 24);
    wxMemoryDC dc(sheet);
    dc.SetBackground(wxBrush(grey));
    dc.Clear();
    dc.SetFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS));
    int y = gap;
    for (const wxString& name : names) {
        const wxSize s = ArtDefaultSize(name);
        const wxSize s1(int(s.x * scale), int(s.y * scale));
        dc.DrawText(wxString::Format("%s %dx%d", name, s.x, s.y), 4, y);
        int x = labelWidth;
        for (ArtState st : kStates) {
            dc.DrawBitmap(ArtBitmap(name, s1, st), x, y, true);
            x += s1.x + gap;
        }
        dc.DrawBitmap(ArtBitmap(name, wxSize(s1.x * 2, s1.y * 2)), x, y, true);
        y += std::max(2 * s1.y, 16) + gap;
    }
    dc.SelectObject(wxNullBitmap);
    wxImage out = sheet.ConvertToImage();
    if (zoom > 1)
        out.Rescale(out.GetWidth() * zoom, out.GetHeight() * zoom, wxIMAGE_QUALITY_NEAREST);
    if (!out.SaveFile(path, wxBITMAP_TYPE_PNG)) return 1;
    const wxString stem = path.BeforeLast('.');
    const bool ok = SplashBitmap().SaveFile(stem + "-splash.png", wxBITMAP_TYPE_PNG) &&
                    WriteButtonRows(stem + "-buttons.png", scale);
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s sheet.png [scale]\n", argv[0]);
        return 2;
    }
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) return 2;
    wxInitAllImageHandlers();
    const int rc =
        Run(wxString::FromUTF8(argv[1]), argc > 2 ? std::atof(argv[2]) : 1.0,
            argc > 3 ? wxString::FromUTF8(argv[3]) : wxString(), argc > 4 ? std::atoi(argv[4]) : 1);
    wxEntryCleanup();
    return rc;
}
