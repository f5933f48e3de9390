// Input sent to a real mpWindow: wheel, right-button pan and popup, popup commands, left drag of
// the info boxes, the layer map.
#include <gtest/gtest.h>
#include <wx/uiaction.h>

#include "plot/mpEvents.h"
#include "plot/mpFXYVector.h"
#include "plot/mpFXYVectorKest.h"
#include "plot/mpInfoLegend.h"
#include "plot/mpInfoTextBox.h"
#include "tests/gui/plot/PlotFixture.h"

namespace {

plotcore::ViewState SomeView() {
    plotcore::ViewState v;
    v.posX = 10;
    v.posY = 20;
    v.posY2 = 30;
    v.scaleX = 2;
    v.scaleY = 4;
    v.scaleY2 = 8;
    return v;
}

// Counts the popup menus the window opens and closes each one as a user would, with Escape.
struct PopupWatch {
    explicit PopupWatch(mpWindow* plot) {
        plot->Bind(wxEVT_MENU_OPEN, [this, plot](wxMenuEvent& e) {
            if (e.IsPopup()) {
                ++opened;
                plot->CallAfter([] { wxUIActionSimulator().Char(WXK_ESCAPE); });
            }
            e.Skip();
        });
    }
    int opened = 0;
};

}  // namespace

TEST(PlotEvents, CtrlWheelZoomsBothPrimaryScalesAndLeavesTheSecondAxis) {
    PlotFrame f;
    f.plot->SetView(SomeView());
    f.Wheel(120, true, false);
    EXPECT_DOUBLE_EQ(f.plot->GetScaleX(), 2 * 1.1);
    EXPECT_DOUBLE_EQ(f.plot->GetScaleY(), 4 * 1.1);
    EXPECT_DOUBLE_EQ(f.plot->GetScaleY2(), 8);
    EXPECT_DOUBLE_EQ(f.plot->GetPosY2(), 30);
    EXPECT_DOUBLE_EQ(f.plot->GetPosX(), 10);
    f.Wheel(-120, true, true);  // Ctrl wins over Shift
    EXPECT_DOUBLE_EQ(f.plot->GetScaleX(), 2 * 1.1 / 1.1);
    EXPECT_DOUBLE_EQ(f.plot->GetPosX(), 10);
}

TEST(PlotEvents, WheelAloneScrollsYAndWithShiftScrollsX) {
    PlotFrame f;
    f.plot->SetView(SomeView());
    f.Wheel(120, false, false);
    EXPECT_DOUBLE_EQ(f.plot->GetPosY(), 20 + 120 / 4.0);
    EXPECT_DOUBLE_EQ(f.plot->GetPosY2(), 30);
    f.Wheel(120, false, true);
    EXPECT_DOUBLE_EQ(f.plot->GetPosX(), 10 - 120 / 2.0);
}

// A sideways swipe on a touchpad or a tilted wheel comes as a horizontal wheel: it scrolls x.
TEST(PlotEvents, HorizontalWheelScrollsXTheWayItTurns) {
    PlotFrame f;
    f.plot->SetView(SomeView());
    wxMouseEvent e(wxEVT_MOUSEWHEEL);
    e.m_wheelRotation = 120;  // towards the right
    e.m_wheelDelta = 120;
    e.m_wheelAxis = wxMOUSE_WHEEL_HORIZONTAL;
    e.SetEventObject(f.plot);
    f.plot->GetEventHandler()->ProcessEvent(e);
    EXPECT_DOUBLE_EQ(f.plot->GetPosX(), 10 + 120 / 2.0);
    EXPECT_DOUBLE_EQ(f.plot->GetPosY(), 20);
    EXPECT_DOUBLE_EQ(f.plot->GetScaleX(), 2);
}

TEST(PlotEvents, RightDragPansAllThreeAxesAndOpensNoPopup) {
    PlotFrame f;
    PopupWatch popups(f.plot);
    f.plot->SetView(SomeView());
    f.Mouse(wxEVT_RIGHT_DOWN, 100, 100, false, true);
    f.Mouse(wxEVT_MOTION, 90, 116, false, true);
    f.Mouse(wxEVT_MOTION, 80, 132, false, true);
    f.Mouse(wxEVT_RIGHT_UP, 80, 132);
    guitest::Flush();
    EXPECT_EQ(popups.opened, 0);
    EXPECT_DOUBLE_EQ(f.plot->GetPosX(), 10 + 20 / 2.0);
    EXPECT_DOUBLE_EQ(f.plot->GetPosY(), 20 + 32 / 4.0);
    EXPECT_DOUBLE_EQ(f.plot->GetPosY2(), 30 + 32 / 8.0);
    EXPECT_DOUBLE_EQ(f.plot->GetScaleX(), 2);
}

TEST(PlotEvents, RightClickWithoutMotionOpensThePopupAtThePointer) {
    PlotFrame f;
    PopupWatch popups(f.plot);
    f.plot->SetView(SomeView());
    f.Mouse(wxEVT_RIGHT_DOWN, 150, 60, false, true);
    f.Mouse(wxEVT_RIGHT_UP, 150, 60);
    ASSERT_TRUE(guitest::WaitFor([&] { return popups.opened == 1; }));
    EXPECT_EQ(f.plot->GetPopupPoint(), wxPoint(150, 60));
    EXPECT_DOUBLE_EQ(f.plot->GetPosX(), 10);  // opening the menu changes nothing
    wxMenu& menu = f.plot->GetPopupMenu();
    ASSERT_EQ(menu.GetMenuItemCount(), 4u);
    const int ids[] = {mpID_CENTER, mpID_FIT, mpID_ZOOM_IN, mpID_ZOOM_OUT};
    const char* labels[] = {"Centra", "Taglia", "Zoom in", "Zoom out"};
    const char* helps[] = {"Centra la vista del grafico in questa posizione",
                           "Selezionare vista grafico per mostrare tutto", "Zoom in grafico",
                           "Zoom out grafico"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(menu.FindItemByPosition(i)->GetId(), ids[i]);
        EXPECT_EQ(menu.FindItemByPosition(i)->GetItemLabelText(), labels[i]);
        EXPECT_EQ(menu.FindItemByPosition(i)->GetHelp(), helps[i]);
    }
}

TEST(PlotEvents, PopupZoomInCentresFirstAndZoomOutDoesNot) {
    PlotFrame f;
    PopupWatch popups(f.plot);
    f.plot->SetView(SomeView());
    const wxSize c = f.plot->GetClientSize();
    f.Mouse(wxEVT_RIGHT_DOWN, c.x / 2 + 40, c.y / 2 - 20, false, true);
    f.Mouse(wxEVT_RIGHT_UP, c.x / 2 + 40, c.y / 2 - 20);
    ASSERT_TRUE(guitest::WaitFor([&] { return popups.opened == 1; }));

    wxCommandEvent zoomIn(wxEVT_MENU, mpID_ZOOM_IN);
    f.plot->GetEventHandler()->ProcessEvent(zoomIn);
    EXPECT_DOUBLE_EQ(f.plot->GetPosX(), 10 + 40 / 2.0);
    EXPECT_DOUBLE_EQ(f.plot->GetPosY(), 20 + 20 / 4.0);
    EXPECT_DOUBLE_EQ(f.plot->GetScaleX(), 2.2);
    EXPECT_DOUBLE_EQ(f.plot->GetScaleY(), 4.4);
    EXPECT_DOUBLE_EQ(f.plot->GetPosY2(), 30);

    wxCommandEvent zoomOut(wxEVT_MENU, mpID_ZOOM_OUT);
    f.plot->GetEventHandler()->ProcessEvent(zoomOut);
    EXPECT_DOUBLE_EQ(f.plot->GetPosX(), 30);
    EXPECT_NEAR(f.plot->GetScaleX(), 2, 1e-12);

    wxCommandEvent center(wxEVT_MENU, mpID_CENTER);
    f.plot->GetEventHandler()->ProcessEvent(center);
    EXPECT_NEAR(f.plot->GetPosX(), 30 + 40 / 2.0, 1e-9);
    EXPECT_NEAR(f.plot->GetScaleX(), 2, 1e-12);
}

TEST(PlotEvents, FitUsesTheFirstSeriesForXAndYAndTheLaterOneForTheSecondAxis) {
    PlotFrame f;
    mpFXYVector flow;
    flow.SetData({0, 5, 10}, {0, 20, 10}, 0);
    mpFXYVectorKest pressure;
    pressure.SetData({0, 5, 10, 20}, {100, 200, 150, 120});
    f.plot->AddLayer(&flow);
    f.plot->AddLayer(&pressure);
    f.plot->Fit();
    const wxSize c = f.plot->GetClientSize();
    EXPECT_DOUBLE_EQ(f.plot->GetScaleX(), (c.x - 100) / 11.0);
    EXPECT_DOUBLE_EQ(f.plot->GetPosX(), 5);
    EXPECT_DOUBLE_EQ(f.plot->GetScaleY(), (c.y - 60) / 21.0);
    EXPECT_DOUBLE_EQ(f.plot->GetPosY(), 10);
    EXPECT_DOUBLE_EQ(f.plot->GetScaleY2(), (c.y - 60) / 101.0);
    EXPECT_DOUBLE_EQ(f.plot->GetPosY2(), 150);

    // Without a second-axis series the second transform keeps its values.
    f.plot->DelLayer(1);
    f.plot->SetView(SomeView());
    f.plot->Fit();
    EXPECT_DOUBLE_EQ(f.plot->GetScaleY2(), (c.y - 60) / 101.0);  // the old second range stays
    f.plot->DelLayer(0);
    const plotcore::ViewState before = f.plot->GetView();
    f.plot->Fit();  // no layer with a box: nothing changes
    EXPECT_DOUBLE_EQ(f.plot->GetScaleX(), before.scaleX);
    EXPECT_DOUBLE_EQ(f.plot->GetPosX(), before.posX);
}

TEST(PlotEvents, LayersPaintInInsertionOrderAndKeysRestartAfterRemoval) {
    PlotFrame f;
    mpFXYVector red, blue;
    red.SetData({-10, 10}, {0, 0}, 0);
    blue.SetData({-10, 10}, {0, 0}, 0);
    red.SetPen(wxPen(*wxRED, 5));
    blue.SetPen(wxPen(*wxBLUE, 5));
    red.continuous = blue.continuous = true;
    EXPECT_FALSE(f.plot->AddLayer(nullptr));
    EXPECT_EQ(f.plot->CountLayers(), 0);
    f.plot->AddLayer(&red);
    f.plot->AddLayer(&blue);
    plotcore::ViewState v;
    v.posX = 0;
    v.posY = 0;
    v.scaleX = 10;
    v.scaleY = 10;
    f.plot->SetView(v);
    EXPECT_TRUE(IsBlueish(PixelAt(f.Render(), 300, 150)));

    for (int k = 0; k <= 8; ++k) EXPECT_TRUE(f.plot->DelLayer(k));
    EXPECT_EQ(f.plot->CountLayers(), 0);
    EXPECT_EQ(f.plot->GetLayer(0), nullptr);
    f.plot->AddLayer(&blue);
    f.plot->AddLayer(&red);
    EXPECT_EQ(f.plot->GetLayer(0), &blue);
    EXPECT_EQ(f.plot->GetLayer(1), &red);
    EXPECT_EQ(f.plot->GetLayer(2), nullptr);
    EXPECT_EQ(f.plot->GetLayer(-1), nullptr);
    EXPECT_TRUE(IsReddish(PixelAt(f.Render(), 300, 150)));
}

TEST(PlotEvents, ADraggedTextBoxFollowsThePointer) {
    PlotFrame f;
    mpInfoTextBox box(wxRect(200, 20, 40, 40), *wxTRANSPARENT_BRUSH);
    box.text = "Nota";
    f.plot->AddLayer(&box);
    const wxSize size(600, 300);
    f.Render(size);
    box.SetPosition(*f.plot, 0, 0);
    f.Render(size);
    int moved = 0;
    f.frame->Bind(mpEVT_TEXTBOX_MOVED, [&](wxCommandEvent& e) {
        EXPECT_EQ(e.GetEventObject(), &box);
        ++moved;
    });

    f.Mouse(wxEVT_LEFT_DOWN, 305, 155, true);  // grabbed inside, 5 px from its corner
    f.Render(size);
    EXPECT_EQ(box.GetBoxX(), 0);  // a click alone moves nothing
    f.Mouse(wxEVT_MOTION, 325, 165, true);
    f.Render(size);
    EXPECT_EQ(box.GetBoxX(), 20);
    EXPECT_EQ(box.GetBoxY(), 10);
    f.Render(size);  // a repaint without motion (live logging) leaves it in place
    EXPECT_EQ(box.GetBoxX(), 20);
    // A quick drag, two motions before the next paint, far out of the box's old place.
    f.Mouse(wxEVT_MOTION, 200, 200, true);
    f.Mouse(wxEVT_MOTION, 105, 215, true);
    f.Render(size);
    EXPECT_EQ(box.GetBoxX(), -200);
    EXPECT_EQ(box.GetBoxY(), 60);
    EXPECT_EQ(f.plot->textBoxPos, wxRealPoint(-200, 60));
    EXPECT_EQ(moved, 4);

    f.Mouse(wxEVT_LEFT_DOWN, 10, 10, true);  // pressed outside: a drag there moves nothing
    f.Mouse(wxEVT_MOTION, 40, 40, true);
    f.Render(size);
    EXPECT_EQ(box.GetBoxX(), -200);
    EXPECT_EQ(box.GetBoxY(), 60);
}

TEST(PlotEvents, InfoBoxesKeepTheirPlaceInProportionOnResize) {
    PlotFrame f;
    mpInfoTextBox box(wxRect(200, 20, 40, 40), *wxTRANSPARENT_BRUSH);
    box.text = "Nota";
    mpFXYVector s;
    s.SetData({0}, {1}, 0);
    s.markerShown = true;
    mpInfoLegend legend(wxRect(200, 20, 40, 40), *wxTRANSPARENT_BRUSH);
    f.plot->AddLayer(&s);
    f.plot->AddLayer(&legend);
    f.plot->AddLayer(&box);
    f.Render(wxSize(600, 300));
    box.SetPosition(*f.plot, 150, -60);
    f.Mouse(wxEVT_LEFT_DOWN, 302, 152, true);  // drag the legend from the centre to (-100, 40)
    f.Mouse(wxEVT_MOTION, 202, 192, true);
    f.Render(wxSize(600, 300));
    ASSERT_EQ(legend.GetBoxX(), -100);
    f.Render(wxSize(1200, 300));
    EXPECT_EQ(box.GetBoxX(), 300);
    EXPECT_EQ(box.GetBoxY(), -60);
    EXPECT_EQ(legend.GetBoxX(), -200);
    EXPECT_EQ(legend.GetBoxY(), 40);
    f.Render(wxSize(1200, 150));
    EXPECT_EQ(box.GetBoxY(), -30);
    EXPECT_EQ(f.plot->textBoxPos, wxRealPoint(300, -30));
}

TEST(PlotEvents, SetPositionClampsIntoTheWindow) {
    PlotFrame f;
    mpInfoTextBox box(wxRect(200, 20, 40, 40), *wxTRANSPARENT_BRUSH);
    f.plot->AddLayer(&box);
    f.Render(wxSize(600, 300));
    box.SetPosition(*f.plot, 10000, -10000);
    EXPECT_EQ(box.GetBoxX(), 300);
    EXPECT_EQ(box.GetBoxY(), -150);
    box.SetPosition(*f.plot, -12, 34);
    EXPECT_EQ(box.GetBoxX(), -12);
    EXPECT_EQ(box.GetBoxY(), 34);
}

TEST(PlotEvents, ScrollBarsMoveTheViewButNotTheSecondAxis) {
    PlotFrame f;
    mpFXYVector s;
    s.SetData({0, 100}, {0, 50}, 0);
    f.plot->AddLayer(&s);
    plotcore::ViewState view = SomeView();  // zoomed in far enough for both bars to scroll
    view.scaleX = 20;
    view.scaleY = 40;
    f.plot->SetView(view);
    f.plot->UpdateAll();
    const wxSize c = f.plot->GetClientSize();
    wxScrollWinEvent h(wxEVT_SCROLLWIN_THUMBTRACK, 60, wxHORIZONTAL);
    h.SetEventObject(f.plot);
    f.plot->GetEventHandler()->ProcessEvent(h);
    EXPECT_DOUBLE_EQ(f.plot->GetPosX(), (60 + (c.x >> 1)) / 20.0 + -0.5);
    wxScrollWinEvent v(wxEVT_SCROLLWIN_THUMBRELEASE, 40, wxVERTICAL);
    v.SetEventObject(f.plot);
    f.plot->GetEventHandler()->ProcessEvent(v);
    EXPECT_DOUBLE_EQ(f.plot->GetPosY(), 50.5 - (40 + (c.y >> 1)) / 40.0);
    EXPECT_DOUBLE_EQ(f.plot->GetPosY2(), 30);
    EXPECT_DOUBLE_EQ(f.plot->GetScaleX(), 20);
}

TEST(PlotEvents, CaptureBitmapHoldsWhatTheWindowShows) {
    PlotFrame f;
    mpFXYVector s;
    s.SetData({0, 10}, {5, 5}, 0);
    s.SetPen(wxPen(*wxBLUE, 3));
    s.continuous = true;
    f.plot->AddLayer(&s);
    f.plot->Fit();
    f.plot->Refresh();
    f.plot->Update();
    guitest::Flush();
    const wxSize c = f.plot->GetClientSize();
    const wxImage shot = f.plot->CaptureBitmap().ConvertToImage();
    ASSERT_EQ(shot.GetSize(), c);
    // The fitted line runs across the middle, from 50 px in on the left to 50 px in on the right.
    EXPECT_TRUE(IsBlueish(PixelAt(shot, c.x / 2, c.y / 2)));
    int first = -1;
    for (int x = 0; x < c.x && first < 0; ++x)
        if (IsBlueish(PixelAt(shot, x, c.y / 2))) first = x;
    EXPECT_NEAR(first, 50 + (c.x - 100) / 22, 3);
    EXPECT_EQ(shot.GetSize(), f.Render(c).GetSize());
}

TEST(PlotEvents, ScrollBarArrowsAndPagesShowWhereTheBarWentNotWhereItWas) {
    PlotFrame f;
    mpFXYVector s;
    s.SetData({0, 100}, {0, 50}, 0);
    f.plot->AddLayer(&s);
    plotcore::ViewState v = SomeView();
    v.scaleX = 20;
    v.scaleY = 40;
    v.posX = 50;
    v.posY = 25;
    f.plot->SetView(v);
    f.plot->UpdateAll();
    // One pixel per scroll unit over the first series' range at the current scale.
    EXPECT_EQ(f.plot->GetVirtualSize(), wxSize(101 * 20, 51 * 40));
    const wxSize c = f.plot->GetClientSize();
    struct Case {
        wxEventType type;
        int orient;
    };
    const Case cases[] = {
        {wxEVT_SCROLLWIN_LINEDOWN, wxHORIZONTAL}, {wxEVT_SCROLLWIN_LINEUP, wxHORIZONTAL},
        {wxEVT_SCROLLWIN_PAGEDOWN, wxVERTICAL},   {wxEVT_SCROLLWIN_LINEDOWN, wxVERTICAL},
        {wxEVT_SCROLLWIN_TOP, wxHORIZONTAL},      {wxEVT_SCROLLWIN_BOTTOM, wxVERTICAL}};
    for (const Case& k : cases) {
        int vx0 = 0, vy0 = 0;
        f.plot->GetViewStart(&vx0, &vy0);
        wxScrollWinEvent e(k.type, 0, k.orient);
        e.SetEventObject(f.plot);
        f.plot->GetEventHandler()->ProcessEvent(e);
        int vx = 0, vy = 0;
        f.plot->GetViewStart(&vx, &vy);
        if (k.orient == wxHORIZONTAL) {
            ASSERT_NE(vx, vx0) << k.type;  // the bar moved
            EXPECT_DOUBLE_EQ(f.plot->GetPosX(), (vx + (c.x >> 1)) / 20.0 - 0.5) << k.type;
        } else {
            ASSERT_NE(vy, vy0) << k.type;
            EXPECT_DOUBLE_EQ(f.plot->GetPosY(), 50.5 - (vy + (c.y >> 1)) / 40.0) << k.type;
        }
        EXPECT_DOUBLE_EQ(f.plot->GetPosY2(), 30);
    }
}
