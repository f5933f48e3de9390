// The self-drawn level gauge: the value held to its range, the bar and trough colours in its one
// drawing routine, and a repaint whenever either changes.
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/settings.h>

#include "tests/gui/harness/GuiTest.h"
#include "widgets/wxKestGauge.h"

namespace {

wxColour At(const wxImage& img, int x, int y) {
    return wxColour(img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y));
}

class KestGauge : public ::testing::Test {
protected:
    void SetUp() override {
        frame_ = new wxFrame(nullptr, wxID_ANY, "gauge", wxDefaultPosition, wxSize(300, 100));
        gauge_ = new wxKestGauge(frame_, 21, 700, wxDefaultPosition, wxSize(200, 20));
        frame_->Show();
        guitest::Flush();
    }
    void TearDown() override {
        frame_->Destroy();
        guitest::Flush();
    }
    wxImage Drawn(const wxSize& size) {
        wxBitmap bitmap(size.x, size.y, 24);
        {
            wxMemoryDC dc(bitmap);
            gauge_->DrawTo(dc, size);
        }
        return bitmap.ConvertToImage();
    }

    wxFrame* frame_ = nullptr;
    wxKestGauge* gauge_ = nullptr;
};

TEST_F(KestGauge, ValueIsHeldToTheRange) {
    EXPECT_EQ(gauge_->GetRange(), 700);
    EXPECT_EQ(gauge_->GetValue(), 0);
    gauge_->SetValue(900);
    EXPECT_EQ(gauge_->GetValue(), 700);
    gauge_->SetValue(-4);
    EXPECT_EQ(gauge_->GetValue(), 0);
    gauge_->SetValue(500);
    gauge_->SetRange(350);
    EXPECT_EQ(gauge_->GetValue(), 350);
}

TEST_F(KestGauge, DrawsTheBarOverTheTroughInTheChosenColours) {
    const wxColour bar(240, 160, 0), trough(236, 233, 216);
    gauge_->SetForegroundColour(bar);
    gauge_->SetBackgroundColour(trough);
    gauge_->SetValue(210);  // 30 %
    const wxImage img = Drawn(wxSize(100, 10));
    EXPECT_EQ(At(img, 0, 5), bar);
    EXPECT_EQ(At(img, 29, 9), bar);
    EXPECT_EQ(At(img, 30, 0), trough);
    EXPECT_EQ(At(img, 99, 5), trough);

    gauge_->SetValue(0);
    const wxImage empty = Drawn(wxSize(100, 10));
    EXPECT_EQ(At(empty, 0, 5), trough);
}

TEST_F(KestGauge, WithoutColoursItTakesTheDesktopSelectionColour) {
    gauge_->SetValue(700);
    const wxImage img = Drawn(wxSize(50, 10));
    EXPECT_EQ(At(img, 25, 5), wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
}

TEST_F(KestGauge, ValueAndColourChangesRepaint) {
    ASSERT_TRUE(guitest::WaitFor([&] { return gauge_->IsShownOnScreen(); }));
    guitest::Flush();
    int paints = 0;
    gauge_->Bind(wxEVT_PAINT, [&](wxPaintEvent& e) {
        ++paints;
        e.Skip();
    });
    gauge_->SetValue(100);
    EXPECT_TRUE(guitest::WaitFor([&] { return paints > 0; }));
    paints = 0;
    gauge_->SetForegroundColour(wxColour(0, 255, 0));
    EXPECT_TRUE(guitest::WaitFor([&] { return paints > 0; }));
}

}  // namespace
