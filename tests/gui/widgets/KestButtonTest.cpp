#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/utils.h>

#include "tests/gui/harness/GuiTest.h"
#include "widgets/wxKestButton.h"

namespace {

const wxColour kBackground(236, 233, 216);
const wxColour kNormal(220, 40, 40);
const wxColour kHover(40, 200, 40);
const wxColour kPressed(40, 40, 220);
const wxColour kDisabled(128, 128, 128);
const wxColour kFocus(200, 200, 40);
constexpr int kButtonId = 14;

wxBitmap Picture(const wxColour& colour, int w = 30, int h = 20) {
    wxBitmap bmp(w, h, 24);
    wxMemoryDC dc(bmp);
    dc.SetBackground(wxBrush(colour));
    dc.Clear();
    return bmp;
}

bool Dark(const wxImage& img, int x, int y) {
    return img.GetRed(x, y) < 110 && img.GetGreen(x, y) < 110 && img.GetBlue(x, y) < 110;
}

class KestButton : public ::testing::Test {
protected:
    void SetUp() override {
        frame_ = new wxFrame(nullptr, wxID_ANY, "buttons", wxDefaultPosition, wxSize(200, 200));
        // A frame stretches a lone child over its client area; the panel keeps the button's size.
        panel_ = new wxPanel(frame_);
        probe_ = new wxWindow(panel_, wxID_ANY, wxPoint(100, 100), wxSize(20, 20));
        probe_->Bind(wxEVT_PAINT, [this](wxPaintEvent& e) {
            ++probePaints_;
            e.Skip();
        });
        Make(0);
        frame_->Show();
    }
    void TearDown() override {
        frame_->Destroy();
        guitest::Flush();
    }

    void Make(long style, const wxString& caption = wxEmptyString) {
        if (button_) button_->Destroy();
        button_ = new wxKestButton(panel_, kButtonId, Picture(kNormal), caption, wxPoint(10, 10),
                                   wxSize(55, 60), wxBORDER_NONE | style);
        button_->SetForegroundColour(*wxBLACK);
        button_->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { clicks_.push_back(e.GetId()); });
        button_->Bind(wxEVT_PAINT, [this](wxPaintEvent& e) {
            ++paints_;
            e.Skip();
        });
    }
    void WithAllPictures() {
        button_->SetBitmapHover(Picture(kHover));
        button_->SetBitmapPressed(Picture(kPressed));
        button_->SetBitmapDisabled(Picture(kDisabled));
    }
    wxImage Draw() const {
        wxBitmap bmp(55, 60, 24);
        {
            wxMemoryDC dc(bmp);
            button_->DrawTo(dc, wxSize(55, 60));
        }
        return bmp.ConvertToImage();
    }
    static wxColour At(const wxImage& img, int x, int y) {
        return {img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y)};
    }
    wxColour Centre() const { return At(Draw(), 27, 30); }
    void Send(wxEventType type, int x = 20, int y = 20) {
        wxMouseEvent e(type);
        e.SetEventObject(button_);
        e.SetId(button_->GetId());
        e.m_x = x;
        e.m_y = y;
        button_->ProcessWindowEvent(e);
    }
    // Counts paints of the button from now on, once the first showing has settled.
    int* CountPaints() {
        EXPECT_TRUE(guitest::WaitFor([&] { return button_->IsShownOnScreen(); }));
        SettlePaints();
        paints_ = 0;
        return &paints_;
    }

    // Paints arrive in batches: once a window refreshed after an event has been painted, any
    // repaint the event asked for has happened too.
    void SettlePaints() {
        const int before = probePaints_;
        probe_->Refresh();
        EXPECT_TRUE(guitest::WaitFor([&] { return probePaints_ > before; }));
    }

    wxFrame* frame_ = nullptr;
    wxPanel* panel_ = nullptr;
    wxWindow* probe_ = nullptr;
    int probePaints_ = 0;
    wxKestButton* button_ = nullptr;
    std::vector<int> clicks_;
    int paints_ = 0;
};

TEST_F(KestButton, PictureFollowsHoverAndPress) {
    WithAllPictures();
    EXPECT_EQ(Centre(), kNormal);
    Send(wxEVT_ENTER_WINDOW);
    EXPECT_EQ(Centre(), kHover);
    Send(wxEVT_LEFT_DOWN);
    EXPECT_EQ(Centre(), kPressed);
    Send(wxEVT_LEFT_UP);
    EXPECT_EQ(Centre(), kHover);
    Send(wxEVT_LEAVE_WINDOW);
    EXPECT_EQ(Centre(), kNormal);
}

TEST_F(KestButton, DisabledPictureButHoverComesFirst) {
    WithAllPictures();
    button_->Disable();
    EXPECT_EQ(Centre(), kDisabled);
    Send(wxEVT_ENTER_WINDOW);
    EXPECT_EQ(Centre(), kHover);
}

TEST_F(KestButton, EnablingAgainForgetsAHoverThatEndedWhileDisabled) {
    WithAllPictures();
    ASSERT_TRUE(guitest::WaitFor([&] { return button_->IsShownOnScreen(); }));
    Send(wxEVT_ENTER_WINDOW);
    button_->Disable();
    // The pointer of the test display is nowhere near the button, so it has left by now.
    ASSERT_FALSE(button_->GetScreenRect().Contains(wxGetMousePosition()));
    button_->Enable();
    EXPECT_EQ(Centre(), kNormal);
}

TEST_F(KestButton, MissingPicturesFallBackToTheNormalOne) {
    Send(wxEVT_ENTER_WINDOW);
    Send(wxEVT_LEFT_DOWN);
    EXPECT_EQ(Centre(), kNormal);
    Send(wxEVT_LEFT_UP);
    button_->Disable();
    EXPECT_EQ(Centre(), kNormal);
}

TEST_F(KestButton, FocusPictureWhenFocused) {
    button_->SetBitmapFocus(Picture(kFocus));
    button_->SetFocus();
    if (!guitest::WaitFor([&] { return button_->HasFocus(); }, std::chrono::milliseconds(2000)))
        GTEST_SKIP() << "the display gives no keyboard focus to the test window";
    EXPECT_EQ(Centre(), kFocus);
}

TEST_F(KestButton, ClickSendsTheCommandWithItsId) {
    Send(wxEVT_LEFT_DOWN);
    EXPECT_TRUE(clicks_.empty());  // a press alone is not a click
    Send(wxEVT_LEFT_UP);
    EXPECT_EQ(clicks_, std::vector<int>{kButtonId});
}

TEST_F(KestButton, ReleaseOutsideCancelsTheClick) {
    ASSERT_EQ(button_->GetClientSize(), wxSize(55, 60));
    Send(wxEVT_LEFT_DOWN);
    Send(wxEVT_LEFT_UP, 80, 20);
    EXPECT_TRUE(clicks_.empty());
    EXPECT_FALSE(button_->IsPressed());
}

TEST_F(KestButton, DisabledButtonDoesNotClick) {
    button_->Disable();
    Send(wxEVT_LEFT_DOWN);
    Send(wxEVT_LEFT_UP);
    EXPECT_TRUE(clicks_.empty());
}

TEST_F(KestButton, SpaceKeyClicks) {
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = WXK_SPACE;
    key.SetEventObject(button_);
    button_->ProcessWindowEvent(key);
    EXPECT_EQ(clicks_, std::vector<int>{kButtonId});
}

TEST_F(KestButton, AutoDrawStyleMovesAPressedPictureByOnePixel) {
    Make(wxBU_AUTODRAW);
    wxImage img = Draw();
    EXPECT_EQ(At(img, 12, 20), kNormal);
    EXPECT_EQ(At(img, 41, 39), kNormal);
    Send(wxEVT_LEFT_DOWN);
    img = Draw();
    EXPECT_NE(At(img, 12, 20), kNormal);
    EXPECT_EQ(At(img, 13, 21), kNormal);
    EXPECT_EQ(At(img, 42, 40), kNormal);
    Send(wxEVT_LEFT_UP);
}

TEST_F(KestButton, AutoDrawStyleHatchesADisabledButton) {
    Make(wxBU_AUTODRAW);
    button_->Disable();
    const wxImage img = Draw();
    int plain = 0, hatched = 0;
    for (int y = 20; y < 40; ++y)
        for (int x = 12; x < 42; ++x) (At(img, x, y) == kNormal ? plain : hatched)++;
    EXPECT_GT(plain, 0);
    EXPECT_GT(hatched, 0);
    // Without the auto-draw style a disabled button shows its picture untouched.
    Make(0);
    button_->Disable();
    const wxImage clean = Draw();
    for (int y = 20; y < 40; ++y)
        for (int x = 12; x < 42; ++x) ASSERT_EQ(At(clean, x, y), kNormal) << x << "," << y;
}

TEST_F(KestButton, EmptyCaptionLeavesThePictureAloneAndCentred) {
    const wxImage img = Draw();
    // 30 x 20 picture in 55 x 60: corner at ((55 - 30) / 2, (60 - 20) / 2) = (12, 20).
    EXPECT_EQ(At(img, 12, 20), kNormal);
    EXPECT_EQ(At(img, 41, 39), kNormal);
    EXPECT_EQ(At(img, 11, 20), kBackground);
    EXPECT_EQ(At(img, 42, 39), kBackground);
    EXPECT_EQ(At(img, 12, 19), kBackground);
    EXPECT_EQ(At(img, 12, 40), kBackground);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 55; ++x) ASSERT_FALSE(Dark(img, x, y)) << x << "," << y;
}

TEST_F(KestButton, AlignmentStylesMoveThePicture) {
    Make(wxBU_LEFT | wxBU_BOTTOM);
    const wxImage img = Draw();
    // 4 pixels from the left and from the bottom: corner at (4, 60 - 20 - 4).
    EXPECT_EQ(At(img, 4, 36), kNormal);
    EXPECT_EQ(At(img, 3, 36), kBackground);
    EXPECT_EQ(At(img, 4, 35), kBackground);
    EXPECT_EQ(At(img, 33, 55), kNormal);
    EXPECT_EQ(At(img, 33, 56), kBackground);
}

TEST_F(KestButton, CaptionAlongTheBottomEdgeOverThePicture) {
    Make(0, "Apri");
    button_->SetBitmapLabel(Picture(wxColour(255, 255, 200), 50, 50));
    wxCoord w = 0, h = 0;
    {
        wxBitmap probe(1, 1, 24);
        wxMemoryDC dc(probe);
        dc.SetFont(button_->GetFont());
        dc.GetMultiLineTextExtent("Apri", &w, &h);
    }
    ASSERT_LT(w, 55);
    ASSERT_LT(h, 60);
    const int left = (55 - w) / 2;
    const wxImage img = Draw();
    int inside = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 55; ++x) {
            if (!Dark(img, x, y)) continue;
            const bool inBand = y >= 60 - h && x >= left - 1 && x <= left + w;
            EXPECT_TRUE(inBand) << "dark pixel outside the caption at " << x << "," << y;
            inside += inBand;
        }
    EXPECT_GT(inside, 10);
    // The picture still shows where the caption does not cover it.
    EXPECT_EQ(At(img, 27, 10), wxColour(255, 255, 200));
}

TEST_F(KestButton, WideCaptionIsClippedOnBothSides) {
    Make(0, "MMMMMMMMMMMMMMMM");
    const wxImage img = Draw();
    const auto darkInColumns = [&](int from, int to) {
        for (int y = 30; y < 60; ++y)
            for (int x = from; x < to; ++x)
                if (Dark(img, x, y)) return true;
        return false;
    };
    EXPECT_TRUE(darkInColumns(0, 4));
    EXPECT_TRUE(darkInColumns(51, 55));
}

TEST_F(KestButton, SetCaptionShowsTheNewCaptionAndRepaints) {
    int* paints = CountPaints();
    button_->SetCaption("Misura V");
    EXPECT_EQ(button_->GetCaption(), "Misura V");
    EXPECT_TRUE(guitest::WaitFor([&] { return *paints > 0; }));
    const wxImage img = Draw();
    bool dark = false;
    for (int x = 0; x < 55; ++x) dark = dark || Dark(img, x, 55);
    EXPECT_TRUE(dark);
}

TEST_F(KestButton, HoverRepaintsOnlyAnEnabledButtonWithAHoverPicture) {
    const struct {
        bool hoverPicture;
        bool enabled;
        bool repaints;
    } cases[] = {{true, true, true}, {false, true, false}, {true, false, false}};
    for (const auto& c : cases) {
        Make(0);
        if (c.hoverPicture) button_->SetBitmapHover(Picture(kHover));
        button_->Enable(c.enabled);
        for (const wxEventType type : {wxEVT_ENTER_WINDOW, wxEVT_LEAVE_WINDOW}) {
            int* paints = CountPaints();
            Send(type);
            if (c.repaints) {
                EXPECT_TRUE(guitest::WaitFor([&] { return *paints > 0; }));
            } else {
                SettlePaints();
                EXPECT_EQ(*paints, 0) << c.hoverPicture << c.enabled;
            }
        }
    }
}

TEST_F(KestButton, SystemColourChangeRepaintsADisabledButton) {
    button_->Disable();
    int* paints = CountPaints();
    wxSysColourChangedEvent e;
    e.SetEventObject(button_);
    button_->ProcessWindowEvent(e);
    EXPECT_TRUE(guitest::WaitFor([&] { return *paints > 0; }));
}

TEST_F(KestButton, HighResolutionDrawingUsesTheLargerPictureAtTheSameSize) {
    button_->SetBitmapLabel(
        wxBitmapBundle::FromBitmaps(Picture(kNormal, 30, 20), Picture(kHover, 60, 40)));
    wxBitmap bmp;
    bmp.CreateWithDIPSize(wxSize(55, 60), 2.0, 24);
    {
        wxMemoryDC dc(bmp);
        ASSERT_DOUBLE_EQ(dc.GetContentScaleFactor(), 2.0);
        button_->DrawTo(dc, wxSize(55, 60));
    }
    const wxImage img = bmp.ConvertToImage();
    ASSERT_EQ(img.GetWidth(), 110);
    // Still placed as a 30 x 20 picture at (12, 20), now in twice as many pixels of the 60 x 40
    // one.
    EXPECT_EQ(At(img, 24, 40), kHover);
    EXPECT_EQ(At(img, 83, 79), kHover);
    EXPECT_EQ(At(img, 23, 40), kBackground);
    EXPECT_EQ(At(img, 84, 79), kBackground);
    EXPECT_EQ(At(img, 24, 80), kBackground);
}

TEST_F(KestButton, SwappedPicturesShowAfterSetCaption) {
    WithAllPictures();
    const wxBitmapBundle normal = button_->GetBundle(button::Picture::Normal);
    button_->SetBitmapLabel(button_->GetBundle(button::Picture::Hover));
    button_->SetBitmapHover(normal);
    button_->SetCaption("Misura V");
    EXPECT_EQ(Centre(), kHover);
    Send(wxEVT_ENTER_WINDOW);
    EXPECT_EQ(Centre(), kNormal);
}

TEST_F(KestButton, GreyBackgroundAndWindowName) {
    Make(0, "Apri");
    EXPECT_EQ(button_->GetBackgroundColour(), kBackground);
    EXPECT_EQ(button_->GetName(), "button");
    EXPECT_EQ(button_->GetSize(), wxSize(55, 60));
}

}  // namespace
