// The printed page: the plot drawn again at page scale on an off-screen context of a given page
// size, and a whole page printed to PostScript and turned into pixels by Ghostscript.
#include <gtest/gtest.h>
#include <wx/dcps.h>
#include <wx/filename.h>
#include <wx/utils.h>

#include <cmath>
#include <cstdlib>

#include "plot/MyPrintout.h"
#include "plot/mpFXYVector.h"
#include "plot/mpFXYVectorKest.h"
#include "plot/mpScaleX.h"
#include "plot/mpScaleY.h"
#include "plot/mpScaleYKest.h"
#include "tests/gui/plot/PlotFixture.h"

namespace {

// A flow wave and a pressure ramp on the second axis, zoomed in and panned away from the fit, and
// painted on screen.
struct PrintScene {
    PrintScene() : time("Tempo", mpAXIS_LOW_INSET, true, false) {
        std::vector<float> t, flow, pressure;
        for (int i = 0; i <= 200; ++i) {
            t.push_back(float(i));
            flow.push_back(float(50 + 40 * std::sin(i / 12.0)));
            pressure.push_back(float(2 + i / 50.0));
        }
        flowSeries.SetData(t, flow, 0);
        flowSeries.SetPen(wxPen(wxColour(0, 0, 255), 2));
        flowSeries.continuous = true;
        pressureSeries.SetData(t, pressure);
        pressureSeries.SetPen(wxPen(wxColour(255, 0, 0), 2));
        pressureSeries.continuous = true;
        for (mpLayer* l : std::initializer_list<mpLayer*>{&time, &flowAxis, &flowSeries,
                                                          &pressureAxis, &pressureSeries})
            f.plot->AddLayer(l);
        f.plot->Fit();
        f.plot->ZoomIn();
        f.plot->ZoomIn();
        f.Mouse(wxEVT_RIGHT_DOWN, 300, 150, false, true);
        f.Mouse(wxEVT_MOTION, 260, 170, false, true);  // pan
        f.Mouse(wxEVT_RIGHT_UP, 260, 170);
        f.plot->Refresh();
        f.plot->Update();
        screen = f.plot->CaptureBitmap().ConvertToImage();
    }
    PlotFrame f;
    mpScaleX time;
    mpScaleY flowAxis{"Portata", mpAXIS_LOW_INSET, true, false};
    mpScaleYKest pressureAxis{"Pressione (bar)", mpAXIS_HIGH_BORDER, true};
    mpFXYVector flowSeries;
    mpFXYVectorKest pressureSeries;
    wxImage screen;
};

wxRect Whole(const wxImage& img) { return wxRect(0, 0, img.GetWidth(), img.GetHeight()); }

TEST(PrintPage, ASixHundredPixelPlotOnAPage4800UnitsWideIsScaledByEight) {
    PrintScene s;
    ASSERT_EQ(s.f.plot->GetScrX(), 600);
    ASSERT_EQ(s.screen.GetSize(), wxSize(600, s.f.plot->GetScrY()));
    ASSERT_GT(CountPixels(s.screen, Whole(s.screen), IsBlueish), 300);
    ASSERT_GT(CountPixels(s.screen, Whole(s.screen), IsReddish), 300);

    const wxSize pageSize(4800, 3000);
    wxBitmap pageBitmap(pageSize.x, pageSize.y, 24);
    wxMemoryDC dc(pageBitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    MyPrintout printout("Primo", s.f.plot);
    printout.SetDC(&dc);
    printout.DrawPage();
    double sx = 0, sy = 0;
    dc.GetUserScale(&sx, &sy);
    EXPECT_DOUBLE_EQ(sx, 8.0);
    EXPECT_DOUBLE_EQ(sy, 8.0);
    EXPECT_EQ(dc.GetDeviceOrigin(), wxPoint(0, 0));
    dc.SelectObject(wxNullBitmap);

    // The plot fills the width and sits in the middle of the height.
    const wxImage page = pageBitmap.ConvertToImage();
    const double top = PageTop(s.screen, pageSize.y, 8.0);
    EXPECT_GT(ShareFoundOnPage(s.screen, page, 8.0, top, 6, IsBlueish), 0.97);
    EXPECT_GT(ShareFoundOnPage(s.screen, page, 8.0, top, 6, IsReddish), 0.97);
    // Strokes grow with the scale: about 64 page pixels for each screen pixel.
    const double blueRatio = double(CountPixels(page, wxRect(wxPoint(0, 0), pageSize), IsBlueish)) /
                             CountPixels(s.screen, Whole(s.screen), IsBlueish);
    EXPECT_GT(blueRatio, 40.0);
    EXPECT_LT(blueRatio, 90.0);
    // Nothing beyond the window's edges: the curve leaves the window at the bottom, not the page.
    const int below = int(top) + 8 * s.screen.GetHeight();
    EXPECT_EQ(CountPixels(page, wxRect(0, 0, 4800, int(top)), IsBlueish), 0);
    EXPECT_EQ(CountPixels(page, wxRect(0, below, 4800, 3000 - below), IsBlueish), 0);
}

TEST(PrintPage, AnotherZoomAndPanChangeThePageLikeTheScreen) {
    PrintScene s;
    s.f.plot->ZoomOut();
    s.f.plot->CenterAt(100, 100);
    s.f.plot->Refresh();
    s.f.plot->Update();
    const wxImage screen = s.f.plot->CaptureBitmap().ConvertToImage();
    ASSERT_NE(CountPixels(screen, Whole(screen), IsBlueish),
              CountPixels(s.screen, Whole(s.screen), IsBlueish));

    wxBitmap pageBitmap(1200, 700, 24);
    wxMemoryDC dc(pageBitmap);
    MyPrintout printout("Primo", s.f.plot);
    printout.SetDC(&dc);
    printout.DrawPage();
    dc.SelectObject(wxNullBitmap);
    const wxImage page = pageBitmap.ConvertToImage();
    const double top = PageTop(screen, 700, 2.0);
    EXPECT_GT(ShareFoundOnPage(screen, page, 2.0, top, 2, IsBlueish), 0.97);
    EXPECT_GT(ShareFoundOnPage(screen, page, 2.0, top, 2, IsReddish), 0.97);
}

TEST(PrintPage, APrintedPostScriptPageShowsTheHeadingAndThePlotAsOnScreen) {
    const int gs = std::system("gs --version >/dev/null 2>&1");
    ASSERT_EQ(gs, 0) << "Ghostscript (gs) turns the page into pixels: run scripts/setup";
    PrintScene s;
    const wxString dir = wxFileName::CreateTempFileName("hvx-print-");
    wxRemoveFile(dir);
    ASSERT_TRUE(wxMkdir(dir));
    const wxString ps = dir + "/page.ps", png = dir + "/page.png";

    wxPrintData paper;
    paper.SetPaperId(wxPAPER_A4);
    paper.SetFilename(ps);
    paper.SetPrintMode(wxPRINT_MODE_FILE);
    {
        wxPostScriptDC dc(paper);
        ASSERT_TRUE(dc.IsOk());
        MyPrintout printout("Stampata", s.f.plot);
        ASSERT_TRUE(dc.StartDoc("Stampata"));
        ASSERT_TRUE(printout.SetUp(dc));
        EXPECT_TRUE(printout.HasPage(1));
        int minPage = 0, maxPage = 0, from = 0, to = 0;
        printout.GetPageInfo(&minPage, &maxPage, &from, &to);
        EXPECT_EQ(std::vector<int>({minPage, maxPage, from, to}), std::vector<int>({1, 1, 1, 1}));
        dc.StartPage();
        EXPECT_TRUE(printout.OnPrintPage(1));
        dc.EndPage();
        dc.EndDoc();
    }
    const wxString command =
        "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r144 "
        "-sOutputFile=" +
        png + " " + ps;
    ASSERT_EQ(std::system(command.utf8_string().c_str()), 0) << command;
    wxImage page;
    ASSERT_TRUE(page.LoadFile(png, wxBITMAP_TYPE_PNG));
    // A4 at 144 dots per inch.
    EXPECT_NEAR(page.GetWidth(), 1191, 2);
    EXPECT_NEAR(page.GetHeight(), 1684, 2);

    const double k = page.GetWidth() / 600.0;
    const double top = PageTop(s.screen, page.GetHeight(), k);
    EXPECT_GT(ShareFoundOnPage(s.screen, page, k, top, 3, IsBlueish), 0.95);
    EXPECT_GT(ShareFoundOnPage(s.screen, page, k, top, 3, IsReddish), 0.95);
    // The heading is dark text near the top-left corner, above the plot; the paper around it white.
    const auto dark = [](const wxColour& c) { return c.Red() + c.Green() + c.Blue() < 200; };
    EXPECT_GT(CountPixels(page, wxRect(0, 0, page.GetWidth() / 2, 80), dark), 100);
    EXPECT_EQ(CountPixels(page, wxRect(0, 100, page.GetWidth(), int(top) - 120), dark), 0);
    wxFileName::Rmdir(dir, wxPATH_RMDIR_RECURSIVE);
}

}  // namespace
