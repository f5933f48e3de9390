// Layers drawn into a bitmap and read back at positions computed from the geometry.
#include <gtest/gtest.h>

#include "plot/core/InfoLayout.h"
#include "plot/mpEvents.h"
#include "plot/mpFXYVector.h"
#include "plot/mpFXYVectorKest.h"
#include "plot/mpInfoLegend.h"
#include "plot/mpInfoTextBox.h"
#include "plot/mpScaleX.h"
#include "plot/mpScaleY.h"
#include "plot/mpScaleYKest.h"
#include "tests/gui/plot/PlotFixture.h"

namespace {

bool IsAxisGrey(const wxColour& c) { return c == wxGREY_PEN->GetColour(); }
bool IsLightGrey(const wxColour& c) { return c == wxLIGHT_GREY_BRUSH->GetColour(); }

plotcore::ViewState View(double posX, double posY, double scaleX, double scaleY) {
    plotcore::ViewState v;
    v.posX = posX;
    v.posY = posY;
    v.scaleX = scaleX;
    v.scaleY = scaleY;
    return v;
}

}  // namespace

TEST(PlotDrawing, FreshWindowPaintsAWhiteRectangle) {
    PlotFrame f;
    const wxImage img = f.Render();
    EXPECT_EQ(CountPixels(img, wxRect(0, 0, 600, 300), IsWhite), 600 * 300);
}

TEST(PlotDrawing, SeriesLineAndPoints) {
    PlotFrame f;
    mpFXYVector s;
    s.SetData({-10, 0, 10}, {-5, 5, -5}, 0);
    s.SetPen(wxPen(*wxBLUE, 1));
    s.continuous = true;
    f.plot->AddLayer(&s);
    f.plot->SetView(View(0, 0, 10, 10));
    // Samples at device (200, 200), (300, 100), (400, 200).
    wxImage img = f.Render();
    EXPECT_TRUE(IsBlueish(PixelAt(img, 250, 150)));
    EXPECT_TRUE(IsBlueish(PixelAt(img, 350, 150)));
    EXPECT_TRUE(IsWhite(PixelAt(img, 300, 150)));
    EXPECT_TRUE(IsBlueish(PixelAt(img, 65, 22)));  // corner-legend sample of the series' pen

    s.SetPen(wxPen(*wxBLUE, 6));
    s.continuous = false;
    img = f.Render();
    for (const wxPoint& p : {wxPoint(200, 200), wxPoint(300, 100), wxPoint(400, 200)})
        EXPECT_GE(CountPixels(img, wxRect(p.x - 2, p.y - 2, 5, 5), IsBlueish), 20)
            << p.x << "," << p.y;
    EXPECT_TRUE(IsWhite(PixelAt(img, 250, 150)));
    EXPECT_TRUE(IsWhite(PixelAt(img, 306, 100)));  // a dot is as wide as the pen, no wider
    EXPECT_TRUE(IsWhite(PixelAt(img, 65, 22)));    // no legend sample in points mode
}

TEST(PlotDrawing, HiddenSeriesDrawsNothing) {
    PlotFrame f;
    mpFXYVector s("titolo");
    s.SetData({-10, 0, 10}, {-5, 5, -5}, 0);
    s.SetPen(wxPen(*wxBLUE, 2));
    s.continuous = true;
    s.visible = false;
    f.plot->AddLayer(&s);
    f.plot->SetView(View(0, 0, 10, 10));
    EXPECT_EQ(CountPixels(f.Render(), wxRect(0, 0, 600, 300), IsWhite), 600 * 300);
}

TEST(PlotDrawing, TimeAxisLineSitsAtItsPlacement) {
    struct Case {
        int flags;
        int row;
    };
    // recordStart is invalid, so the axis takes a bottom margin of 35.
    const Case cases[] = {{mpAXIS_LOW_INSET, 300 - 35},
                          {mpAXIS_HIGH_INSET, 10},
                          {mpAXIS_LOW_BORDER, 299},
                          {mpAXIS_HIGH_BORDER, 0},
                          {mpAXIS_AT_ORIGIN, 150 + 40}};
    for (const Case& c : cases) {
        PlotFrame f;
        mpScaleX axis("Tempo", c.flags, true, false);
        f.plot->AddLayer(&axis);
        f.plot->SetView(View(0, 2, 10, 20));
        const wxImage img = f.Render();
        EXPECT_GE(CountPixels(img, wxRect(60, c.row, 530, 1), IsAxisGrey), 500)
            << "flags " << c.flags;
        EXPECT_LE(CountPixels(img, wxRect(0, c.row, 49, 1), IsAxisGrey), 0) << "flags " << c.flags;
        EXPECT_EQ(f.plot->GetBottomMargin(), 35);
    }
}

TEST(PlotDrawing, VerticalAxisLineSitsAtItsPlacement) {
    struct Case {
        int flags;
        int column;
    };
    const Case cases[] = {{mpAXIS_LOW_INSET, 50},
                          {mpAXIS_HIGH_INSET, 580},
                          {mpAXIS_HIGH_BORDER, 599},
                          {mpAXIS_LOW_BORDER, 0},
                          {mpAXIS_AT_ORIGIN, 300 - 30}};
    for (const Case& c : cases) {
        PlotFrame f;
        mpScaleY axis("Portata (litri/min)", c.flags, true, false);
        f.plot->AddLayer(&axis);
        f.plot->SetView(View(3, 0, 10, 10));
        const wxImage img = f.Render();
        // From the top edge down to bottomMargin (30) above the bottom.
        EXPECT_GE(CountPixels(img, wxRect(c.column, 0, 1, 270), IsAxisGrey), 260)
            << "flags " << c.flags;
        EXPECT_EQ(CountPixels(img, wxRect(c.column, 272, 1, 28), IsAxisGrey), 0)
            << "flags " << c.flags;
    }
}

TEST(PlotDrawing, SecondAxisAndItsSeriesSitAtTheRight) {
    PlotFrame f;
    mpScaleX time("Tempo", mpAXIS_LOW_INSET, true, false);
    mpScaleY flowAxis("Portata", mpAXIS_LOW_INSET, true, true);
    mpScaleYKest pressureAxis("Pressione (bar)", mpAXIS_HIGH_BORDER, true);
    mpFXYVectorKest pressure;
    pressure.SetData({0, 10}, {1, 1});
    pressure.SetPen(wxPen(*wxRED, 1));
    pressure.continuous = true;
    for (mpLayer* l : std::initializer_list<mpLayer*>{&time, &flowAxis, &pressureAxis, &pressure})
        f.plot->AddLayer(l);
    plotcore::ViewState v = View(5, 0, 10, 10);
    v.posY2 = 1;  // the pressure curve runs through the vertical centre
    v.scaleY2 = 50;
    f.plot->SetView(v);
    const wxImage img = f.Render();
    EXPECT_GE(CountPixels(img, wxRect(550, 0, 1, 265), IsAxisGrey), 250);
    EXPECT_TRUE(IsReddish(PixelAt(img, 300, 150)));
    // With a second-axis series the time axis stops 50 px before the right edge.
    EXPECT_EQ(CountPixels(img, wxRect(552, 265, 48, 1), IsAxisGrey), 0);
    EXPECT_GE(CountPixels(img, wxRect(60, 265, 480, 1), IsAxisGrey), 470);
    EXPECT_TRUE(f.plot->HasSecondAxisSeries());
}

TEST(PlotDrawing, LegendBoxOnlyWhenAMarkerIsSet) {
    PlotFrame f;
    mpFXYVector flow;
    flow.SetData({0, 1}, {25.5f, 25.5f}, 0);
    flow.SetPen(wxPen(*wxBLUE, 2));
    flow.legendLabel = "Portata";
    flow.legendUnit = "l/min";
    flow.legendLabel2 = "Volume";
    flow.legendUnit2 = "Litri";
    mpInfoLegend legend(wxRect(200, 20, 40, 40), *wxTRANSPARENT_BRUSH);
    f.plot->AddLayer(&flow);
    f.plot->AddLayer(&legend);
    f.plot->SetView(View(-100, -100, 1, 1));  // the series far away, out of the picture
    EXPECT_EQ(CountPixels(f.Render(), wxRect(0, 0, 600, 300), IsLightGrey), 0);

    flow.markerShown = true;
    flow.markerY = 25.5;
    flow.markerZ = 300;
    const wxImage img = f.Render();
    wxBitmap probe(10, 10);
    wxMemoryDC dc(probe);
    dc.SetFont(legend.font);
    const wxSize l1 = dc.GetTextExtent("Portata 25.50 l/min"),
                 l2 = dc.GetTextExtent("Volume 300 Litri");
    const auto box = plotcore::LegendBoxSize({{l1.x, l1.y}, {l2.x, l2.y}});
    ASSERT_TRUE(box);
    // The legend's corner is the window centre; the outline is drawn in the pen, the inside light
    // grey.
    EXPECT_EQ(BoundsOf(img, IsLightGrey), wxRect(301, 151, box->w - 2, box->h - 2));
    EXPECT_EQ(legend.GetBox().GetSize(), wxSize(box->w, box->h));
    // Each line starts with a stroke of the series' pen.
    EXPECT_TRUE(IsBlueish(PixelAt(img, 300 + 10, 150 + 5 + l1.y / 2)));
    EXPECT_TRUE(IsBlueish(PixelAt(img, 300 + 10, 150 + 5 + l2.y + l2.y / 2)));

    flow.markerZ = 0;  // no volume: one line only
    const wxImage one = f.Render();
    EXPECT_EQ(BoundsOf(one, IsLightGrey).height, l1.y + 10 - 2);

    // A marked second-axis series adds one line (it never stores a third value).
    mpFXYVectorKest pressure;
    pressure.SetData({0, 1}, {3, 3});
    pressure.legendLabel = "Pressione";
    pressure.legendUnit = "Bar";
    pressure.legendLabel2 = "Volume";
    pressure.markerShown = true;
    pressure.markerY = 3.25;
    f.plot->AddLayer(&pressure);
    const wxImage two = f.Render();
    const wxSize l3 = dc.GetTextExtent("Pressione 3.25 Bar");
    EXPECT_EQ(BoundsOf(two, IsLightGrey).height, l1.y + l3.y + 10 - 2);
    pressure.visible = false;  // a hidden series is not listed
    EXPECT_EQ(BoundsOf(f.Render(), IsLightGrey).height, l1.y + 10 - 2);
}

TEST(PlotDrawing, CornerLegendCaptionsOfTheVerticalAxes) {
    PlotFrame f;
    mpScaleY flowAxis("Portata (litri/min)", mpAXIS_LOW_INSET, true, false);
    mpScaleYKest pressureAxis("Pressione (bar)", mpAXIS_HIGH_BORDER, true);
    f.plot->AddLayer(&flowAxis);
    f.plot->AddLayer(&pressureAxis);
    auto ink = [](const wxColour& c) { return !IsWhite(c) && c != wxGREY_PEN->GetColour(); };
    const wxRect row10(80, 4, 120, 12), row22(80, 17, 120, 10), row35(80, 30, 120, 10);
    wxImage img = f.Render();
    EXPECT_EQ(CountPixels(img, row10, ink), 0);   // header2 empty: nothing on row 10
    EXPECT_GT(CountPixels(img, row22, ink), 20);  // "Portata"
    EXPECT_GT(CountPixels(img, row35, ink), 20);  // "Pressione", the second axis's first word
    flowAxis.header2 = "Portata target";
    img = f.Render();
    EXPECT_GT(CountPixels(img, row10, ink), 20);
    EXPECT_EQ(flowAxis.header, "Portata");
}

TEST(PlotDrawing, TextBoxWithTwoLines) {
    PlotFrame f;
    mpInfoTextBox box(wxRect(200, 20, 40, 40), *wxTRANSPARENT_BRUSH);
    box.text = "Prova\nseconda riga del testo";
    f.plot->AddLayer(&box);
    int moved = 0;
    f.frame->Bind(mpEVT_TEXTBOX_MOVED, [&](wxCommandEvent& e) {
        EXPECT_EQ(e.GetEventObject(), &box);
        ++moved;
    });
    const wxImage img = f.Render();
    wxBitmap probe(10, 10);
    wxMemoryDC dc(probe);
    dc.SetFont(box.font);
    const wxSize a = dc.GetTextExtent("Prova"), b = dc.GetTextExtent("seconda riga del testo");
    // As wide as the longer line plus 10, as high as both lines plus 10; corner at (-50, -50).
    EXPECT_EQ(box.GetBox(), wxRect(-50, -50, b.x + 10, a.y + b.y + 10));
    EXPECT_EQ(BoundsOf(img, IsLightGrey), wxRect(251, 101, b.x + 8, a.y + b.y + 8));
    EXPECT_EQ(moved, 1);

    box.text.clear();
    EXPECT_EQ(CountPixels(f.Render(), wxRect(0, 0, 600, 300), IsLightGrey), 0);
    EXPECT_EQ(moved, 1);  // no box, no event
}

TEST(PlotDrawing, CrosshairAtTheClickedXAndMarkerAtTheSample) {
    PlotFrame f;
    std::vector<float> xs, ys;
    for (int i = 0; i <= 100; ++i) {
        xs.push_back(static_cast<float>(i));
        ys.push_back(static_cast<float>(i % 10));
    }
    mpFXYVector s;
    s.SetData(xs, ys, 0);
    s.SetPen(wxPen(*wxBLUE, 1));
    s.continuous = true;
    f.plot->AddLayer(&s);
    f.plot->SetView(View(50, 5, 5, 10));
    std::vector<wxString> measured;
    f.frame->Bind(mpEVT_MEASURE, [&](wxCommandEvent& e) {
        EXPECT_EQ(e.GetInt(), 1);
        EXPECT_EQ(e.GetEventObject(), &s);
        measured.push_back(e.GetString());
    });
    f.plot->SetMeasurePrimary(true);
    f.Mouse(wxEVT_LEFT_DOWN, 421, 40, true);  // world x 74.2: sample 74, y 4
    const wxImage img = f.Render();
    ASSERT_EQ(measured.size(), 1u);
    EXPECT_EQ(measured[0], "74.000000 4.000000");
    EXPECT_TRUE(s.markerShown);
    EXPECT_DOUBLE_EQ(s.markerY, 4);
    // Vertical line at the clicked x, horizontal line at the sample's y (pixel (5 - 4) * 10 = 10).
    EXPECT_GE(CountPixels(img, wxRect(421, 0, 1, 300), IsAxisGrey), 250);
    EXPECT_GE(CountPixels(img, wxRect(0, 160, 600, 1), IsAxisGrey), 500);
    EXPECT_EQ(s.GetMarkerPixel(), wxPoint(121, 10));
    // The marker square's outline around the sample.
    // The marker: a 10 x 10 square around (cx, cy), outlined in the current (grey) pen and filled
    // with the background, so the curve is hidden inside it.
    EXPECT_TRUE(IsAxisGrey(PixelAt(img, 421 - 5, 160 + 2)));
    EXPECT_TRUE(IsAxisGrey(PixelAt(img, 421 + 4, 160 + 2)));
    EXPECT_TRUE(IsAxisGrey(PixelAt(img, 421 + 2, 160 - 5)));
    EXPECT_EQ(CountPixels(img, wxRect(421 - 4, 160 - 4, 8, 8), IsWhite), 8 * 8);

    f.plot->SetMeasurePrimary(false);
    const wxImage off = f.Render();
    EXPECT_EQ(measured.size(), 1u);
    EXPECT_LT(CountPixels(off, wxRect(421, 0, 1, 300), IsAxisGrey), 20);  // the square stays
}

TEST(PlotDrawing, EmptySeriesNeverMeasures) {
    PlotFrame f;
    mpFXYVector s;
    s.SetData({}, {}, 0);
    f.plot->AddLayer(&s);
    f.plot->SetMeasurePrimary(true);
    int measured = 0;
    f.frame->Bind(mpEVT_MEASURE, [&](wxCommandEvent&) { ++measured; });
    f.Mouse(wxEVT_LEFT_DOWN, 300, 150, true);
    const wxImage img = f.Render();
    EXPECT_EQ(measured, 0);
    EXPECT_FALSE(s.markerShown);
    EXPECT_EQ(CountPixels(img, wxRect(300, 0, 1, 300), IsAxisGrey), 0);
}

TEST(PlotDrawing, SecondAxisSeriesMeasuresWithItsOwnEvent) {
    PlotFrame f;
    mpFXYVectorKest p;
    p.SetData({0, 1, 2}, {3.5f, 4.5f, 5.5f});
    f.plot->AddLayer(&p);
    plotcore::ViewState v = View(1, 0, 100, 1);
    v.scaleY2 = 10;
    v.posY2 = 4.5;
    f.plot->SetView(v);
    std::vector<wxCommandEvent> got;
    f.frame->Bind(mpEVT_MEASURE, [&](wxCommandEvent& e) { got.push_back(e); });
    f.plot->SetMeasureSecond(true);
    f.Mouse(wxEVT_LEFT_DOWN, 300 + 50, 10, true);  // half way between samples 1 and 2: the earlier
    f.Render();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].GetInt(), 2);
    EXPECT_EQ(got[0].GetString(), "4.500000 ");
    EXPECT_DOUBLE_EQ(p.markerY, 4.5);
    EXPECT_DOUBLE_EQ(p.markerZ, 0);
    double x = 0, y = 0, z = 0;
    ASSERT_TRUE(p.GetXYZ(x, y, z, 2));
    EXPECT_DOUBLE_EQ(z, -1.0);
}
