#pragma once
// One printed page of the graph: the plot window's layers drawn again at page scale, under a
// heading line. A print job and the print preview both hold one page.

#include <wx/print.h>

class mpWindow;

// The heading printed at the top of every page.
wxString PrintHeading();

class MyPrintout : public wxPrintout {
public:
    MyPrintout(const wxString& title, mpWindow* plot);

    bool OnBeginDocument(int startPage, int endPage) override;
    bool HasPage(int page) override;
    bool OnPrintPage(int page) override;
    void GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) override;

    // Draws the plot on the current page, as wide as the page and centred on it.
    void DrawPage();

private:
    mpWindow* plot_;
};

// The page drawing itself, on any context of the given size in device units: the plot at the
// scale that makes its on-screen width (`scrX` of its last paint) the page width, centred.
void DrawPlotOnPage(wxDC& dc, mpWindow& plot, const wxSize& page);
