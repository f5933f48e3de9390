#include "plot/MyPrintout.h"

#include <wx/dc.h>

#include <algorithm>

#include "plot/mpWindow.h"

// Plain Latin-1: a PostScript printer's fonts have no other characters.
wxString PrintHeading() { return "HVX Monitor - registratore di portata e pressione HVX-2"; }

MyPrintout::MyPrintout(const wxString& title, mpWindow* plot) : wxPrintout(title), plot_(plot) {}

bool MyPrintout::OnBeginDocument(int startPage, int endPage) {
    return wxPrintout::OnBeginDocument(startPage, endPage);
}

bool MyPrintout::HasPage(int page) { return page == 1 || page == 2; }

void MyPrintout::GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) {
    *minPage = 1;
    *maxPage = 1;
    *selPageFrom = 1;
    *selPageTo = 1;
}

bool MyPrintout::OnPrintPage(int) {
    wxDC* dc = GetDC();
    if (dc == nullptr) return false;
    DrawPage();
    // One screen pixel as large on paper as on screen, origin at the top-left corner.
    MapScreenSizeToPage();
    dc->DrawText(PrintHeading(), 10, 10);
    return true;
}

void MyPrintout::DrawPage() {
    wxDC* dc = GetDC();
    if (dc == nullptr || plot_ == nullptr) return;
    DrawPlotOnPage(*dc, *plot_, dc->GetSize());
}

void DrawPlotOnPage(wxDC& dc, mpWindow& plot, const wxSize& page) {
    const float scale = static_cast<float>(double(page.x) / double(std::max(1, plot.GetScrX())));
    dc.SetUserScale(scale, scale);
    dc.SetDeviceOrigin(page.x / 2, page.y / 2);
    // The window shows nothing beyond its edges; neither does the page.
    const int w = plot.GetScrX(), h = plot.GetScrY();
    dc.SetClippingRegion(-(w >> 1), -(h >> 1), w, h);
    plot.DrawTo(dc);
    dc.DestroyClippingRegion();
    dc.SetDeviceOrigin(0, 0);
}
