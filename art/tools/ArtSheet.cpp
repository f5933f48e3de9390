// Renders every picture of the program onto one PNG contact sheet, at 1x and 2x and in each button
// state, so the artwork can be reviewed without running the program:
//   xvfb-run -a hvx_art_sheet sheet.png [scale [name-filter]]
#include "Art.h"

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/init.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr ArtState kStates[] = {ArtState::Normal, ArtState::Hover, ArtState::Pressed, ArtState::Disabled};

int Run(const wxString& path, double scale, const wxString& filter) {
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
    if (!sheet.SaveFile(path, wxBITMAP_TYPE_PNG)) return 1;
    const wxString splashPath = path.BeforeLast('.') + "-splash.png";
    return SplashBitmap().SaveFile(splashPath, wxBITMAP_TYPE_PNG) ? 0 : 1;
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
    const int rc = Run(wxString::FromUTF8(argv[1]), argc > 2 ? std::atof(argv[2]) : 1.0,
                       argc > 3 ? wxString::FromUTF8(argv[3]) : wxString());
    wxEntryCleanup();
    return rc;
}
