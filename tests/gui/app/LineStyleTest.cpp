// "Colore della linea", "Stile della linea" and "Impostazioni filtro" through the menu commands,
// their dialogs answered by the test; pixels show that a colour and a width reach the screen.
#include <dlfcn.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/colordlg.h>
#include <wx/listctrl.h>
#include <wx/slider.h>
#include <wx/stattext.h>

#include "app/CommandIds.h"
#include "plot/FilterDialog.h"
#include "plot/PenDialog.h"
#include "plot/mpFXYVector.h"
#include "plot/mpFXYVectorKest.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"

// Colours read as RGB in failure messages.
inline void PrintTo(const wxColour& c, std::ostream* os) {
    *os << (c.IsOk() ? c.GetAsString(wxC2S_CSS_SYNTAX).utf8_string() : std::string("invalid"));
}

namespace {

// Picks a colour in the toolkit's own colour selection widget, where a user's click puts it: the
// dialog reads its answer from there. Looked up at run time, since only the toolkit links GTK.
void PickInChooser(wxColourDialog* dlg, const wxColour& colour) {
    struct Rgba {
        double red, green, blue, alpha;
    };
    using GetSelection = void* (*)(void*);
    using SetRgba = void (*)(void*, const Rgba*);
    auto selection = reinterpret_cast<GetSelection>(
        dlsym(RTLD_DEFAULT, "gtk_color_selection_dialog_get_color_selection"));
    auto set =
        reinterpret_cast<SetRgba>(dlsym(RTLD_DEFAULT, "gtk_color_selection_set_current_rgba"));
    ASSERT_NE(selection, nullptr);
    ASSERT_NE(set, nullptr);
    const Rgba rgba{colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0, 1.0};
    set(selection(dlg->GetHandle()), &rgba);
}

// Checks the chooser's presets and picks `colour`, or cancels when it is not valid.
class ExpectColour : public wxExpectModalBase<wxColourDialog, ExpectColour> {
public:
    explicit ExpectColour(const wxColour& colour) : colour_(colour) {}

protected:
    int OnInvoked(wxColourDialog* dlg) const override {
        wxColourData& data = dlg->GetColourData();
        EXPECT_TRUE(data.GetChooseFull());
        for (int i = 0; i < wxColourData::NUM_CUSTOM; ++i)
            EXPECT_EQ(data.GetCustomColour(i), wxColour(16 * i, 16 * i, 16 * i)) << i;
        if (!colour_.IsOk()) return wxID_CANCEL;
        PickInChooser(dlg, colour_);
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "colour chooser"; }

private:
    wxColour colour_;
};

// Checks the entry selected at opening and picks width `width` (0: cancel).
class ExpectPen : public wxExpectModalBase<PenDialog, ExpectPen> {
public:
    ExpectPen(int shown, int width) : shown_(shown), width_(width) {}

protected:
    int OnInvoked(PenDialog* dlg) const override {
        EXPECT_EQ(dlg->GetTitle(), "Stile del bordo della tabella");
        EXPECT_EQ(dlg->GetChoice()->GetSelection(), shown_ - 1);
        if (width_ == 0) return wxID_CANCEL;
        dlg->GetChoice()->SetSelection(width_ - 1);
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "line width dialog"; }

private:
    int shown_, width_;
};

// Moves the slider to `halfWidth` as a drag does (0: cancel).
class ExpectFilter : public wxExpectModalBase<FilterDialog, ExpectFilter> {
public:
    ExpectFilter(int shown, int halfWidth) : shown_(shown), halfWidth_(halfWidth) {}

protected:
    int OnInvoked(FilterDialog* dlg) const override {
        EXPECT_EQ(dlg->GetSlider()->GetValue(), shown_);
        if (halfWidth_ == 0) return wxID_CANCEL;
        dlg->GetSlider()->SetValue(halfWidth_);
        wxScrollEvent drag(wxEVT_SCROLL_THUMBTRACK, dlg->GetSlider()->GetId(), halfWidth_);
        drag.SetEventObject(dlg->GetSlider());
        dlg->GetSlider()->ProcessWindowEvent(drag);
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "filter dialog"; }

private:
    int shown_, halfWidth_;
};

class LineStyleTest : public MainWindowTest {
protected:
    MainFrame* OpenWithRecord() {
        MainFrame* w = Open();
        g = &w->Graph();
        w->Records().Append(MakeRecord("Stile", 1, 0, 'p', 40));
        w->RefreshRecordList();
        w->ShowRecord(0);
        return w;
    }
    void Click(int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(frame->Controls().panel->FindWindow(id));
        frame->ProcessWindowEvent(event);
    }
    std::vector<int> Widths() const {
        return {g->FlowSeries()->GetPen().GetWidth(), g->VolumeSeries()->GetPen().GetWidth(),
                g->PressureSeries()->GetPen().GetWidth(),
                g->SecondPressureSeries()->GetPen().GetWidth()};
    }
    // What the window shows after its next real paint.
    wxBitmap Screen() {
        frame->Controls().graph.plot->Refresh();
        frame->Controls().graph.plot->Update();
        return frame->Controls().graph.plot->CaptureBitmap();
    }
    GraphView* g = nullptr;
};

int CountPixels(const wxBitmap& bmp, const wxColour& colour) {
    const wxImage img = bmp.ConvertToImage();
    int n = 0;
    for (int y = 0; y < img.GetHeight(); ++y)
        for (int x = 0; x < img.GetWidth(); ++x)
            n += img.GetRed(x, y) == colour.Red() && img.GetGreen(x, y) == colour.Green() &&
                 img.GetBlue(x, y) == colour.Blue();
    return n;
}

struct WidthCase {
    const char* what;
    int command;
    bool pointsMode;          // points mode is on when the command runs
    int shown;                // the entry the dialog opens with
    int chosen;               // the width picked; 0 cancels
    bool pointsTwice;         // then "Esempi" on and off (or off and on)
    std::vector<int> widths;  // flow, volume, pressure, second pressure afterwards
    int lineWidth, pointWidth;
};

TEST_F(LineStyleTest, TheWidthCommandsFollowTheModeAndTheCurve) {
    const WidthCase cases[] = {
        {"flow in line mode", ID_FLOW_WIDTH, false, 2, 4, false, {4, 2, 2, 2}, 4, 6},
        {"flow width survives points on and off",
         ID_FLOW_WIDTH,
         false,
         2,
         4,
         true,
         {4, 4, 4, 4},
         4,
         6},
        {"volume in points mode", ID_VOLUME_WIDTH, true, 6, 7, false, {6, 7, 6, 6}, 2, 7},
        {"points width used when points come back",
         ID_VOLUME_WIDTH,
         true,
         6,
         3,
         true,
         {3, 3, 3, 3},
         2,
         3},
        {"pressure: both curves, no stored width",
         ID_PRESSURE_WIDTH,
         false,
         2,
         5,
         false,
         {2, 2, 5, 5},
         2,
         6},
        {"pressure in points mode", ID_PRESSURE_WIDTH, true, 6, 1, false, {6, 6, 1, 1}, 2, 6},
        {"cancel changes nothing", ID_FLOW_WIDTH, false, 2, 0, false, {2, 2, 2, 2}, 2, 6},
    };
    for (const WidthCase& c : cases) {
        SCOPED_TRACE(c.what);
        OpenWithRecord();
        if (c.pointsMode) Click(ID_POINTS);
        wxTEST_DIALOG(Command(c.command), ExpectPen(c.shown, c.chosen));
        if (c.pointsTwice) {
            Click(ID_POINTS);
            Click(ID_POINTS);
        }
        EXPECT_EQ(Widths(), c.widths);
        EXPECT_EQ(g->lineWidth, c.lineWidth);
        EXPECT_EQ(g->pointWidth, c.pointWidth);
        frame->Destroy();
        ASSERT_TRUE(WaitClosed());
    }
}

struct ColourCase {
    const char* what;
    int command;
    bool pointsMode;
    wxColour chosen;  // not valid: cancel
    std::vector<int> widths;
    std::vector<wxColour> colours;  // flow, volume, pressure, second pressure
};

TEST_F(LineStyleTest, TheColourCommandsGiveAWidthFivePen) {
    const wxColour blue(0, 0, 255), red(255, 0, 0), green(10, 200, 30);
    const ColourCase cases[] = {
        {"flow in line mode", ID_FLOW_COLOUR, false, green, {5, 2, 2, 2}, {green, blue, red, red}},
        {"volume in points mode",
         ID_VOLUME_COLOUR,
         true,
         green,
         {6, 5, 6, 6},
         {blue, green, red, red}},
        {"pressure: one pen for both",
         ID_PRESSURE_COLOUR,
         false,
         green,
         {2, 2, 5, 5},
         {blue, blue, green, green}},
        {"cancel changes nothing",
         ID_FLOW_COLOUR,
         false,
         wxColour(),
         {2, 2, 2, 2},
         {blue, blue, red, red}},
    };
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.what);
        MainFrame* w = OpenWithRecord();
        if (c.pointsMode) Click(ID_POINTS);
        wxTEST_DIALOG(Command(c.command), ExpectColour(c.chosen));
        EXPECT_EQ(Widths(), c.widths);
        const std::vector<wxColour> colours = {g->FlowSeries()->GetPen().GetColour(),
                                               g->VolumeSeries()->GetPen().GetColour(),
                                               g->PressureSeries()->GetPen().GetColour(),
                                               g->SecondPressureSeries()->GetPen().GetColour()};
        EXPECT_EQ(colours, c.colours);
        EXPECT_EQ(g->lineWidth, 2);
        EXPECT_EQ(g->pointWidth, 6);
        EXPECT_EQ(w->LineColour(), c.chosen.IsOk() ? c.chosen : wxColour(0, 0, 0));
        frame->Destroy();
        ASSERT_TRUE(WaitClosed());
    }
}

TEST_F(LineStyleTest, TheChooserStartsFromTheLastChosenColour) {
    MainFrame* w = OpenWithRecord();
    const wxColour first(200, 100, 0);
    wxTEST_DIALOG(Command(ID_VOLUME_COLOUR), ExpectColour(first));
    EXPECT_EQ(w->LineColour(), first);
    wxColour seen;
    struct Peek : wxExpectModalBase<wxColourDialog, Peek> {
        explicit Peek(wxColour* out) : out(out) {}
        int OnInvoked(wxColourDialog* dlg) const override {
            *out = dlg->GetColourData().GetColour();
            return wxID_CANCEL;
        }
        wxString GetDefaultDescription() const override { return "colour chooser"; }
        wxColour* out;
    };
    wxTEST_DIALOG(Command(ID_FLOW_COLOUR), Peek(&seen));
    EXPECT_EQ(seen, first);
}

TEST_F(LineStyleTest, ANewColourAndWidthReachTheScreen) {
    OpenWithRecord();
    const wxColour blue(0, 0, 255), green(10, 200, 30);
    const int blueBefore = CountPixels(Screen(), blue);
    ASSERT_GT(blueBefore, 300);

    wxTEST_DIALOG(Command(ID_FLOW_COLOUR), ExpectColour(green));
    const wxBitmap coloured = Screen();
    EXPECT_EQ(coloured.GetSize(), frame->Controls().graph.plot->GetClientSize());
    const int greenWide = CountPixels(coloured, green);
    // The whole curve changed colour (the width-5 pen is wider than the old blue one).
    EXPECT_GT(greenWide, 2 * blueBefore);
    EXPECT_LT(CountPixels(coloured, blue), blueBefore / 10);

    wxTEST_DIALOG(Command(ID_FLOW_WIDTH), ExpectPen(5, 2));
    const int greenThin = CountPixels(Screen(), green);
    EXPECT_GT(greenThin, 300);
    EXPECT_LT(greenThin * 2, greenWide);
}

struct FilterCase {
    const char* what;
    bool filteredBefore;
    int chosen;  // 0 cancels
    bool filteredAfter;
    int smoothedWith;  // the half width the shown values carry; 0: the measured values
    int filterWidth;
};

TEST_F(LineStyleTest, FilterSettingsSmoothAgainOnlyAFilteredRecord) {
    const FilterCase cases[] = {
        {"unfiltered stays unfiltered", false, 6, false, 0, 6},
        {"filtered is smoothed again with the new width", true, 6, true, 6, 6},
        {"cancel keeps the old width and values", true, 0, true, 2, 2},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(c.what);
        MainFrame* w = OpenWithRecord();
        // Noisy samples, so every width smooths to different values.
        Storage noisy("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
        for (int i = 0; i < 40; ++i) noisy.AddRawSample(i % 3 == 0 ? 90 : 10 * (i % 7), 40 + i);
        w->Records().ReplaceAll({noisy});
        w->RefreshRecordList();
        w->Controls().recordList->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                               wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        guitest::Flush();
        if (c.filteredBefore) Click(ID_FILTER);
        ASSERT_EQ(w->Records().FilterOn(), c.filteredBefore);

        wxTEST_DIALOG(Command(ID_FILTER_SETTINGS), ExpectFilter(2, c.chosen));
        EXPECT_EQ(w->Records().FilterOn(), c.filteredAfter);
        EXPECT_EQ(w->Records().FilterWidth(), c.filterWidth);
        Storage expected = noisy;
        if (c.smoothedWith != 0) expected.Smooth(true, c.smoothedWith);
        EXPECT_EQ(w->Records().At(0).flow, expected.flow);
        EXPECT_EQ(w->Records().At(0).pressure, expected.pressure);
        EXPECT_EQ(g->FlowSeries()->GetYs(), expected.flow);  // the graph shows them
        frame->Destroy();
        ASSERT_TRUE(WaitClosed());
    }
}

TEST_F(LineStyleTest, FilterSettingsWithoutACurrentRecordOnlyKeepTheWidth) {
    MainFrame* w = Open();
    wxTEST_DIALOG(Command(ID_FILTER_SETTINGS), ExpectFilter(2, 9));
    EXPECT_EQ(w->Records().FilterWidth(), 9);
    EXPECT_FALSE(w->Records().FilterOn());
    wxTEST_DIALOG(Command(ID_FILTER_SETTINGS), ExpectFilter(9, 0));
    EXPECT_EQ(w->Records().FilterWidth(), 9);
}

TEST_F(LineStyleTest, TheFilterDialogCountsTheSamplesAveraged) {
    MainFrame* w = Open();
    FilterDialog dialog(w, 2);
    EXPECT_EQ(dialog.GetTitle(), "Impostazioni filtro");
    EXPECT_EQ(dialog.GetSamplesLabel()->GetLabel(), "5 punto muovendo il filtro medio");
    EXPECT_EQ(dialog.GetSlider()->GetMin(), 1);
    EXPECT_EQ(dialog.GetSlider()->GetMax(), 10);
    EXPECT_FALSE(dialog.HasFlag(wxRESIZE_BORDER));
    // Each kind of slider event rewrites the label.
    const std::pair<wxEventType, int> moves[] = {{wxEVT_SCROLL_THUMBTRACK, 10},
                                                 {wxEVT_SCROLL_LINEDOWN, 9},
                                                 {wxEVT_SCROLL_PAGEUP, 1},
                                                 {wxEVT_SCROLL_CHANGED, 4}};
    for (const auto& [type, value] : moves) {
        dialog.GetSlider()->SetValue(value);
        wxScrollEvent event(type, dialog.GetSlider()->GetId(), value);
        event.SetEventObject(dialog.GetSlider());
        dialog.GetSlider()->ProcessWindowEvent(event);
        EXPECT_EQ(dialog.GetHalfWidth(), value);
        EXPECT_EQ(dialog.GetSamplesLabel()->GetLabel(),
                  wxString::Format("%d punto muovendo il filtro medio", 2 * value + 1));
    }
    EXPECT_EQ(dialog.GetHalfWidth(), 4);
}

TEST_F(LineStyleTest, ThePenDialogOffersSevenWidths) {
    MainFrame* w = Open();
    PenDialog dialog(w, 3);
    ASSERT_EQ(dialog.GetChoice()->GetCount(), 7u);
    EXPECT_EQ(dialog.GetChoice()->GetString(0), "Spessore linea 1");
    EXPECT_EQ(dialog.GetChoice()->GetString(6), "Spessore linea 7");
    EXPECT_EQ(dialog.GetWidth(), 3);
    EXPECT_FALSE(dialog.HasFlag(wxRESIZE_BORDER));
    for (const auto& [id, label] : {std::pair{wxID_OK, "Ok"}, std::pair{wxID_CANCEL, "Chiudere"}}) {
        auto* button = dynamic_cast<wxButton*>(dialog.FindWindow(id));
        ASSERT_NE(button, nullptr) << label;
        EXPECT_EQ(button->GetLabel(), label);
        EXPECT_GE(button->GetSize().x, 60);
        EXPECT_GE(button->GetSize().y, 30);
    }
    // A width the program never sets selects no entry.
    PenDialog outside(w, 8);
    EXPECT_EQ(outside.GetChoice()->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(outside.GetWidth(), 0);
}

}  // namespace
