#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>

#include <memory>

#include "tests/gui/harness/GuiTest.h"
#include "widgets/core/LcdSegments.h"
#include "widgets/kwxLCDClock.h"
#include "widgets/kwxLCDDisplay.h"

namespace {

const wxColour kLight(60, 80, 200);
const wxColour kBackground(236, 233, 216);
// Unlit segments normally match the background; a distinct grey shows where they are drawn.
const wxColour kUnlit(150, 150, 150);

class LcdDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        frame_ = new wxFrame(nullptr, wxID_ANY, "lcd");
        lcd_ = new kwxLCDDisplay(frame_, wxDefaultPosition, wxSize(200, 60));
        frame_->Show();
    }
    void TearDown() override {
        frame_->Destroy();
        guitest::Flush();
    }

    // Draws the readout into a bitmap of the given size and keeps the pixels.
    void Draw(int width, int height) {
        wxBitmap bmp(width, height, 24);
        {
            wxMemoryDC dc(bmp);
            lcd_->DrawTo(dc, wxSize(width, height));
        }
        image_ = bmp.ConvertToImage();
        fit_ = lcd::FitCanvas(width, height, lcd_->GetCanvasSize().x, lcd_->GetCanvasSize().y);
        ASSERT_GT(fit_.scale, 0);
    }
    // Colour at a point given in canvas units.
    wxColour At(double cx, double cy) const {
        const int x = fit_.originX + static_cast<int>(cx * fit_.scale);
        const int y = fit_.originY + static_cast<int>(cy * fit_.scale);
        return {image_.GetRed(x, y), image_.GetGreen(x, y), image_.GetBlue(x, y)};
    }
    wxColour SegmentColour(int cell, lcd::Segment s) const {
        lcd::Geometry g;
        g.digits = lcd_->GetNumberDigits();
        const lcd::Polygon p =
            lcd::SegmentPolygon(s, g.CellOrigin(cell), g.segmentLength, g.segmentWidth);
        double x = 0, y = 0;
        for (int i = 0; i < p.count; ++i) {
            x += p.corners[i].x;
            y += p.corners[i].y;
        }
        return At(x / p.count, y / p.count);
    }
    wxColour BoxCentre(const lcd::Box& b) const {
        return At(b.x + b.width / 2.0, b.y + b.height / 2.0);
    }
    lcd::Point Origin(int cell) const {
        lcd::Geometry g;
        g.digits = lcd_->GetNumberDigits();
        return g.CellOrigin(cell);
    }
    // Which segments of a cell show the light colour, as a code of the segment table.
    int LitCode(int cell) const {
        int code = 0;
        for (int s = 0; s < lcd::SegmentCount; ++s) {
            const wxColour c = SegmentColour(cell, static_cast<lcd::Segment>(s));
            if (c == kLight)
                code |= 1 << s;
            else
                EXPECT_EQ(c, kUnlit) << "cell " << cell << " segment " << s;
        }
        return code;
    }

    wxFrame* frame_ = nullptr;
    kwxLCDDisplay* lcd_ = nullptr;
    wxImage image_;
    lcd::Fit fit_;
};

TEST_F(LcdDrawing, LitAndUnlitSegmentsWhereTheGeometryPutsThem) {
    lcd_->SetGrayColour(kUnlit);
    lcd_->SetNumberDigits(6);
    const struct {
        const char* text;
        int codes[6];  // cell 0 (rightmost) first
    } cases[] = {
        {"8", {0x7F, 0, 0, 0, 0, 0}},          {"1", {0x14, 0, 0, 0, 0, 0}},
        {"12.5", {0x73, 0x6D, 0x14, 0, 0, 0}}, {"-4^C", {0x2B, 0x47, 0x56, 0x40, 0, 0}},
        {"abc", {0, 0, 0, 0, 0, 0}},           {"1234567", {0x15, 0x7B, 0x73, 0x56, 0x75, 0x6D}},
    };
    for (const auto& c : cases) {
        lcd_->SetValue(c.text);
        Draw(682, 180);  // scale 2
        for (int cell = 0; cell < 6; ++cell)
            EXPECT_EQ(LitCode(cell), c.codes[cell]) << c.text << " cell " << cell;
    }
}

TEST_F(LcdDrawing, DecimalPointLitOnlyAfterItsCharacter) {
    lcd_->SetGrayColour(kUnlit);
    lcd_->SetNumberDigits(6);
    lcd_->SetValue("12.5");
    Draw(682, 180);
    const lcd::Geometry g;
    EXPECT_EQ(BoxCentre(lcd::DecimalPointBox(Origin(1), g.segmentLength, g.segmentWidth)), kLight);
    for (const int cell : {0, 2, 3})
        EXPECT_EQ(BoxCentre(lcd::DecimalPointBox(Origin(cell), g.segmentLength, g.segmentWidth)),
                  kUnlit)
            << cell;
}

TEST_F(LcdDrawing, ColonTakesItsCellAndIsAlwaysLit) {
    lcd_->SetGrayColour(kUnlit);
    lcd_->SetNumberDigits(7);
    lcd_->SetValue("00:00:00");
    Draw(794, 180);
    const lcd::Geometry g;
    for (const int cell : {2, 5}) {
        for (const lcd::Box& b : lcd::ColonBoxes(Origin(cell), g.segmentLength, g.segmentWidth))
            EXPECT_EQ(BoxCentre(b), kLight) << cell;
        // No segment and no decimal point is drawn in a colon cell.
        for (int s = 0; s < lcd::SegmentCount; ++s)
            EXPECT_EQ(SegmentColour(cell, static_cast<lcd::Segment>(s)), kBackground)
                << cell << " " << s;
        EXPECT_EQ(BoxCentre(lcd::DecimalPointBox(Origin(cell), g.segmentLength, g.segmentWidth)),
                  kBackground);
    }
    EXPECT_EQ(LitCode(6), 0x3F);  // the leftmost 0 survives, the first one is lost
    EXPECT_EQ(LitCode(0), 0x3F);
}

TEST_F(LcdDrawing, TallWindowKeepsProportionsAndCentresTheRow) {
    lcd_->SetNumberDigits(5);
    lcd_->SetValue("88888");
    Draw(570, 400);  // scale 2: the 180 rows of the canvas leave 220 spare, half above
    EXPECT_EQ(fit_.originY, 110);
    EXPECT_EQ(fit_.originX, 0);
    const lcd::Point o = Origin(4);
    EXPECT_EQ(At(o.x + 20, o.y - 2), kBackground);
    EXPECT_EQ(At(o.x + 20, o.y + 5), kLight);  // inside the top segment
    for (int x = 0; x < 570; x += 7) {
        EXPECT_EQ(image_.GetBlue(x, 5), kBackground.Blue()) << x;    // the band above is cleared
        EXPECT_EQ(image_.GetBlue(x, 395), kBackground.Blue()) << x;  // and the band below
    }
}

TEST_F(LcdDrawing, HighResolutionDrawingFillsEveryPhysicalPixel) {
    lcd_->SetNumberDigits(5);
    lcd_->SetValue("8");
    wxBitmap bmp;
    bmp.CreateWithDIPSize(wxSize(285, 90), 2.0, 24);
    {
        wxMemoryDC dc(bmp);
        lcd_->DrawTo(dc, wxSize(285, 90));
    }
    image_ = bmp.ConvertToImage();
    ASSERT_EQ(image_.GetWidth(), 570);
    // Canvas units map to two physical pixels each: the logical size stays, the detail doubles.
    fit_ = lcd::FitCanvas(570, 180, 285, 90);
    EXPECT_EQ(SegmentColour(0, lcd::Middle), kLight);
    EXPECT_EQ(SegmentColour(0, lcd::LowerRight), kLight);
    const lcd::Point o = Origin(0);
    EXPECT_EQ(At(o.x + 20, o.y + 1), kLight);       // one canvas unit inside the top edge...
    EXPECT_EQ(At(o.x + 20, o.y - 1), kBackground);  // ...and one outside it
}

TEST_F(LcdDrawing, DrawsWithinTheScaleAndOffsetTheCallerSet) {
    lcd_->SetGrayColour(kUnlit);
    lcd_->SetNumberDigits(5);
    lcd_->SetValue("1");
    wxBitmap bmp(700, 300, 24);
    {
        wxMemoryDC dc(bmp);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetDeviceOrigin(100, 50);
        dc.SetUserScale(2, 2);
        lcd_->DrawTo(dc, wxSize(285, 100));  // 10 spare rows, 5 above the canvas
    }
    image_ = bmp.ConvertToImage();
    fit_ = {2.0, 100, 50 + 5 * 2};
    EXPECT_EQ(LitCode(0), 0x14);
    EXPECT_EQ(LitCode(4), 0);
    EXPECT_EQ(At(-10, 10), *wxWHITE);    // left of the area stays untouched
    EXPECT_EQ(At(10, -1), kBackground);  // the spare rows are cleared
    EXPECT_EQ(wxColour(image_.GetRed(100 + 570, 250), image_.GetGreen(100 + 570, 250),
                       image_.GetBlue(100 + 570, 250)),
              *wxWHITE);  // and right of it too
}

TEST_F(LcdDrawing, LightColourCanChange) {
    const wxColour red(220, 20, 20);
    lcd_->SetLightColour(red);
    lcd_->SetNumberDigits(5);
    lcd_->SetValue("8");
    Draw(285, 90);
    EXPECT_EQ(SegmentColour(0, lcd::Middle), red);
    EXPECT_EQ(SegmentColour(1, lcd::Middle), kBackground);
}

TEST_F(LcdDrawing, NoAreaDrawsNothingAndDoesNotFail) {
    lcd_->SetValue("12");
    wxBitmap bmp(10, 10, 24);
    {
        wxMemoryDC dc(bmp);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        lcd_->DrawTo(dc, wxSize(0, 0));
    }
    const wxImage untouched = bmp.ConvertToImage();
    for (const wxPoint p : {wxPoint(0, 0), wxPoint(5, 5), wxPoint(9, 9)})
        EXPECT_EQ(wxColour(untouched.GetRed(p.x, p.y), untouched.GetGreen(p.x, p.y),
                           untouched.GetBlue(p.x, p.y)),
                  *wxWHITE);

    // No cells: the background alone, no segment anywhere.
    lcd_->SetNumberDigits(-3);
    EXPECT_EQ(lcd_->GetNumberDigits(), 0);
    {
        wxMemoryDC dc(bmp);
        lcd_->DrawTo(dc, wxSize(10, 10));
    }
    const wxImage empty = bmp.ConvertToImage();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(wxColour(empty.GetRed(x, y), empty.GetGreen(x, y), empty.GetBlue(x, y)),
                      kBackground)
                << x << "," << y;
}

TEST_F(LcdDrawing, SettingTheValueRepaintsTheWindow) {
    ASSERT_TRUE(guitest::WaitFor([&] { return lcd_->IsShownOnScreen(); }));
    guitest::Flush();
    int paints = 0;
    lcd_->Bind(wxEVT_PAINT, [&](wxPaintEvent& e) {
        ++paints;
        e.Skip();
    });
    lcd_->SetValue("42");
    EXPECT_TRUE(guitest::WaitFor([&] { return paints > 0; }));
    paints = 0;
    lcd_->SetNumberDigits(3);
    EXPECT_TRUE(guitest::WaitFor([&] { return paints > 0; }));
}

TEST(LcdClock, ElapsedSecondsBecomeTheClockText) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "clock");
    auto* clock = new kwxLCDClock(frame, wxDefaultPosition, wxSize(150, 40));
    clock->SetNumberDigits(7);
    const struct {
        float seconds;
        const char* text;
    } cases[] = {
        {0.0f, "00:00:00"}, {3661.0f, "01:01:01"}, {125.9f, "00:02:05"}, {90000.0f, "01:00:00"}};
    for (const auto& c : cases) {
        clock->SetElapsedSeconds(c.seconds);
        EXPECT_EQ(clock->GetValue(), c.text);
    }
    EXPECT_EQ(clock->GetBackgroundColour(), kBackground);
    EXPECT_EQ(clock->GetName(), "panel");
    frame->Destroy();
    guitest::Flush();
}

}  // namespace
