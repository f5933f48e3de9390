// The graph view in the main window: records loaded into the layers, view modes, tool buttons,
// measuring readouts and the absolute time axis.
#include <wx/dcmemory.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/stattext.h>

#include "app/CommandIds.h"
#include "art/Art.h"
#include "data/Preferences.h"
#include "plot/mpEvents.h"
#include "plot/mpFXYVector.h"
#include "plot/mpFXYVectorKest.h"
#include "plot/mpInfoLegend.h"
#include "plot/mpInfoTextBox.h"
#include "plot/mpScaleX.h"
#include "plot/mpScaleY.h"
#include "plot/mpScaleYKest.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"
#include "widgets/kwxLCDClock.h"
#include "widgets/kwxLCDDisplay.h"
#include "widgets/wxKestButton.h"

namespace {

class GraphTest : public MainWindowTest {
protected:
    MainFrame* OpenWith(int metric, int pressure, int flowUnit, int absoluteTime = 0) {
        WritePreferences({metric, pressure, 0, 0, flowUnit, 0, absoluteTime});
        MainFrame* w = Open();
        g = &w->Graph();
        return w;
    }
    void Click(int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(frame->Controls().panel->FindWindow(id));
        frame->ProcessWindowEvent(event);
    }
    // Sent from the plot window's parent, as the series do while they paint.
    void Measure(int kind, const wxString& text) {
        wxCommandEvent event(mpEVT_MEASURE);
        event.SetInt(kind);
        event.SetString(text);
        frame->Controls().graph.plot->GetParent()->ProcessWindowEvent(event);
    }
    wxBitmap Draw() {
        const wxSize size = frame->Controls().graph.plot->GetClientSize();
        wxBitmap bmp(size);
        wxMemoryDC dc(bmp);
        frame->Controls().graph.plot->DrawTo(dc, size);
        dc.SelectObject(wxNullBitmap);
        return bmp;
    }
    GraphView* g = nullptr;
};

int CountPixels(const wxBitmap& bmp, const wxColour& colour) {
    const wxImage img = bmp.ConvertToImage();
    int n = 0;
    for (int y = 0; y < img.GetHeight(); ++y)
        for (int x = 0; x < img.GetWidth(); ++x)
            if (img.GetRed(x, y) == colour.Red() && img.GetGreen(x, y) == colour.Green() &&
                img.GetBlue(x, y) == colour.Blue())
                ++n;
    return n;
}

std::vector<float> AsFloats(const std::vector<float>& v) { return v; }

}  // namespace

TEST_F(GraphTest, ShowRecordLoadsTheSeriesTextsAndFitsTheView) {
    MainFrame* w = OpenWith(1, 98, 0);
    w->Records().Append(MakeRecord("Prova"));
    const Storage& r = w->Records().At(0);
    w->ShowRecord(0);

    EXPECT_EQ(g->SelectedRecord(), 0);
    EXPECT_EQ(g->FlowSeries()->GetXs(), r.time);
    EXPECT_EQ(g->FlowSeries()->GetYs(), r.flow);
    EXPECT_EQ(g->VolumeSeries()->GetYs(), r.volume);
    EXPECT_EQ(g->PressureSeries()->GetYs(), r.pressure);
    for (mpLayer* s : std::vector<mpLayer*>{g->FlowSeries(), g->VolumeSeries(), g->PressureSeries(),
                                            g->SecondPressureSeries()}) {
        EXPECT_EQ(s->name, "Prova 7/03/2011 9:05:30");
        EXPECT_EQ(s->title, "Idrante 12");
        EXPECT_EQ(s->footer, "Vandrel Serial No. 4321");
    }
    EXPECT_FALSE(g->TargetLine()->IsVisible());
    EXPECT_EQ(g->FlowAxis()->header2, "");
    // Fitted to the record: the window's range is the flow series' range, with half a unit spare.
    EXPECT_DOUBLE_EQ(w->Controls().graph.plot->GetMinX(), r.time.front() - 0.5);
    EXPECT_DOUBLE_EQ(w->Controls().graph.plot->GetMaxX(), r.time.back() + 0.5);
    const double fittedScale = w->Controls().graph.plot->GetScaleX();
    w->Controls().graph.plot->ZoomIn();
    ASSERT_NE(w->Controls().graph.plot->GetScaleX(), fittedScale);
    w->ShowRecord(0);
    // Back to the whole record; a scroll bar coming or going may change the width a little.
    EXPECT_NEAR(w->Controls().graph.plot->GetScaleX(), fittedScale, fittedScale * 0.02);
    EXPECT_EQ(w->Controls().graph.plot->GetRecordStart(), r.start);
}

TEST_F(GraphTest, ATargetFlowShowsTheDashedLineAndCaptionAndRaisesTheRange) {
    MainFrame* w = OpenWith(1, 98, 0);
    Storage r = MakeRecord("Target");
    r.SetTargetFlow(300.0f);  // above every sample
    r.SetSerial(0);
    w->Records().Append(r);
    w->ShowRecord(0);
    EXPECT_TRUE(g->TargetLine()->IsVisible());
    EXPECT_FALSE(g->TargetLine()->hideSample);
    EXPECT_EQ(g->FlowAxis()->header2, "Portata target");
    EXPECT_EQ(g->TargetLine()->GetYs(), AsFloats({300.0f, 300.0f, 300.0f}));
    EXPECT_GE(w->Controls().graph.plot->GetMaxY(), 300.0);
    EXPECT_EQ(g->FlowSeries()->footer, "");  // serial 0: no serial line
    EXPECT_GT(CountPixels(Draw(), wxColour(0, 255, 0)), 0);
}

TEST_F(GraphTest, ANegativeIndexKeepsWhatThePlotShows) {
    MainFrame* w = OpenWith(1, 98, 0);
    w->Records().Append(MakeRecord("Uno"));
    w->Records().Append(MakeRecord("Due"));
    w->ShowRecord(1);
    w->ShowRecord(-1);
    EXPECT_EQ(g->SelectedRecord(), 1);
    EXPECT_EQ(g->FlowSeries()->GetCount(), 10);
    EXPECT_EQ(g->FlowSeries()->name, "Due 7/03/2011 9:05:30");
    // Another record leaving the list moves the shown one up; the graph follows it.
    w->Records().Remove(0);
    EXPECT_EQ(g->SelectedRecord(), 0);
    EXPECT_EQ(g->FlowSeries()->name, "Due 7/03/2011 9:05:30");
    Measure(1, "1.000000 7.0");
    EXPECT_EQ(w->Records().At(0).flowReading, "7");
}

// A record that left the list must not stay on screen, and what is measured on the empty graph
// reaches no record (it used to reach whichever record took the shown one's place).
TEST_F(GraphTest, RemovingOrReplacingTheShownRecordClearsTheGraph) {
    struct Case {
        const char* name;
        void (*leave)(RecordSequence&);
    };
    const Case cases[] = {
        {"removed", [](RecordSequence& s) { s.Remove(0); }},
        {"replaced", [](RecordSequence& s) { s.ReplaceAll({MakeRecord("Nuovo")}); }},
    };
    MainFrame* w = OpenWith(1, 98, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Storage shown = MakeRecord("Uno");
        shown.boxText = "Nota";
        shown.SetTargetFlow(300.0f);
        w->Records().ReplaceAll({shown, MakeRecord("Due")});
        w->ShowRecord(0);
        ASSERT_EQ(g->FlowSeries()->GetCount(), 10);
        c.leave(w->Records());
        EXPECT_EQ(g->SelectedRecord(), -1);
        EXPECT_EQ(g->FlowSeries()->GetCount(), 0);
        EXPECT_EQ(g->PressureSeries()->GetCount(), 0);
        EXPECT_EQ(g->FlowSeries()->name, "");
        EXPECT_FALSE(g->TargetLine()->IsVisible());
        EXPECT_EQ(g->TextBox()->text, "");
        // No record, no clock: an absolute time axis must not go on showing the old record's date.
        EXPECT_FALSE(w->Controls().graph.plot->GetRecordStart().IsValid());

        Measure(1, "1.000000 7.0");
        Measure(2, "3.5 0");
        g->TextBox()->SetPosition(*w->Controls().graph.plot, 55, 66);
        wxCommandEvent moved(mpEVT_TEXTBOX_MOVED);
        w->Controls().graph.plot->GetParent()->ProcessWindowEvent(moved);
        const Storage& other = w->Records().At(0);
        EXPECT_EQ(other.flowReading, "");
        EXPECT_EQ(other.pressureReading, "");
        EXPECT_EQ(other.boxX, 0);
        EXPECT_EQ(other.boxY, 0);
    }
}

TEST_F(GraphTest, MarkersSurviveARedrawOfTheSameRecordOnly) {
    MainFrame* w = OpenWith(1, 98, 0);
    w->Records().Append(MakeRecord("Uno"));
    w->Records().Append(MakeRecord("Due"));
    w->ShowRecord(0);
    g->FlowSeries()->markerShown = true;
    g->SecondPressureSeries()->markerShown = true;
    w->ShowRecord(0);
    EXPECT_TRUE(g->FlowSeries()->markerShown);
    EXPECT_TRUE(g->SecondPressureSeries()->markerShown);
    w->ShowRecord(1);
    EXPECT_FALSE(g->FlowSeries()->markerShown);
    EXPECT_FALSE(g->SecondPressureSeries()->markerShown);
}

struct AxisCase {
    int metric;
    int flowUnit;
    int pressure;
    const char* flowAxis;
    const char* volumeAxis;
    const char* pressureAxis;
    const char* flowLabel;
    const char* volumeLabel;
    const char* pressureLabel;
    const char* flowUnitText;
};

class AxisUnitsTest : public GraphTest, public ::testing::WithParamInterface<AxisCase> {};

TEST_P(AxisUnitsTest, AxisTitlesLegendUnitsAndLabelsFollowTheRecordAndTheFlowUnit) {
    const AxisCase& c = GetParam();
    // The preferences say otherwise: the record's own system and pressure code decide.
    MainFrame* w = OpenWith(c.metric == 1 ? 0 : 1, c.pressure == 98 ? 112 : 98, c.flowUnit);
    w->Records().Append(MakeRecord("U", c.metric, c.flowUnit, std::uint8_t(c.pressure)));
    w->ShowRecord(0);
    EXPECT_EQ(g->FlowAxis()->name, wxString::FromUTF8(c.flowAxis));
    EXPECT_EQ(g->VolumeAxis()->name, wxString::FromUTF8(c.volumeAxis));
    EXPECT_EQ(g->PressureAxis()->name, wxString::FromUTF8(c.pressureAxis));
    EXPECT_EQ(g->SecondPressureAxis()->name, wxString::FromUTF8(c.pressureAxis));
    EXPECT_EQ(w->Controls().graph.flowUnitLabel->GetLabel(), wxString::FromUTF8(c.flowLabel));
    EXPECT_EQ(w->Controls().graph.pressureUnitLabel->GetLabel(),
              wxString::FromUTF8(c.pressureLabel));
    EXPECT_EQ(g->FlowSeries()->legendUnit, wxString::FromUTF8(c.flowUnitText));
    EXPECT_EQ(g->FlowSeries()->legendUnit2, wxString::FromUTF8(c.volumeLabel));
    EXPECT_EQ(g->SecondPressureSeries()->legendUnit, wxString::FromUTF8(c.pressureLabel));
    // The corner-legend headers keep their first words.
    EXPECT_EQ(g->FlowAxis()->header, "Portata");

    Click(ID_GRAPH_VOLUME);
    w->ShowRecord(0);
    EXPECT_EQ(w->Controls().graph.flowUnitLabel->GetLabel(), wxString::FromUTF8(c.volumeLabel));
    EXPECT_EQ(g->VolumeSeries()->legendUnit, wxString::FromUTF8(c.volumeLabel));
    EXPECT_EQ(g->VolumeSeries()->legendUnit2, wxString::FromUTF8(c.flowUnitText));
}

INSTANTIATE_TEST_SUITE_P(
    Graph, AxisUnitsTest,
    ::testing::Values(AxisCase{1, 0, 98, "Portata (litri/min)", "Litri", "Pressione (bar)",
                               "l/min.", "Litri", "Bar", "l/min"},
                      AxisCase{1, 1, 112, "Portata (Litre/sec)", "Litri", "Pressione (psi)", "l/s",
                               "Litri", "PSI", "l/s"},
                      AxisCase{1, 2, 8, "Portata (M³/h)", " Metri³", "Pressione (MtrH)", "M³/h",
                               " Metri³", "MtrH", "M³/h"},
                      AxisCase{1, 3, 16, "Portata (galloni/min)", "Litri", "Pressione (KPa)", "GPM",
                               "Litri", "KPa", "GPM"},
                      AxisCase{0, 2, 98, "Portata (galloni/min)", "Galloni", "Pressione (bar)",
                               "GPM", "Galloni", "Bar", "GPM"}));

TEST_F(GraphTest, AnUnknownPressureCodeKeepsThePressureTexts) {
    MainFrame* w = OpenWith(1, 98, 0);
    w->Records().Append(MakeRecord("U", 1, 0, 3));
    w->ShowRecord(0);
    EXPECT_EQ(g->PressureAxis()->name, "Pressione (bar)");  // from the preferences at start
    EXPECT_EQ(w->Controls().graph.pressureUnitLabel->GetLabel(), "Bar");
}

TEST_F(GraphTest, ViewModesPutTheirLayersInThePlot) {
    MainFrame* w = OpenWith(1, 98, 0);
    w->Records().Append(MakeRecord("V"));
    w->ShowRecord(0);

    Click(ID_GRAPH_PRESSURE);
    EXPECT_TRUE(g->pressureShown);
    EXPECT_EQ(PlotLayers(*w->Controls().graph.plot),
              (std::vector<mpLayer*>{g->TimeAxis(), g->FlowAxis(), g->FlowSeries(), g->TargetLine(),
                                     g->SecondPressureAxis(), g->SecondPressureSeries(),
                                     g->Legend(), g->TextBox()}));
    EXPECT_TRUE(g->TimeAxis()->stopBeforeRightAxis);
    EXPECT_TRUE(g->FlowAxis()->stopBeforeRightAxis);
    EXPECT_DOUBLE_EQ(w->Controls().graph.plot->GetMaxY2(),
                     w->Records().At(0).pressure.back() + 0.5);
    EXPECT_TRUE(SamePixels(w->Controls().graph.pressureButton->GetBitmapLabel(),
                           ArtBitmap("graph-pressure-on", {50, 50})));

    Click(ID_GRAPH_VOLUME);
    EXPECT_TRUE(g->volumeView);
    EXPECT_FALSE(g->flowView);
    EXPECT_EQ(w->Controls().graph.measurePrimaryButton->GetCaption(), "Misura V");
    EXPECT_EQ(PlotLayers(*w->Controls().graph.plot),
              (std::vector<mpLayer*>{g->TimeAxis(), g->VolumeAxis(), g->VolumeSeries(),
                                     g->SecondPressureAxis(), g->SecondPressureSeries(),
                                     g->Legend(), g->TextBox()}));
    Click(ID_GRAPH_VOLUME);  // a second press keeps the volume view
    EXPECT_TRUE(g->volumeView);
    EXPECT_EQ(w->Controls().graph.plot->CountLayers(), 7);

    Click(ID_GRAPH_PRESSURE);
    EXPECT_EQ(PlotLayers(*w->Controls().graph.plot),
              (std::vector<mpLayer*>{g->TimeAxis(), g->VolumeAxis(), g->VolumeSeries(), g->Legend(),
                                     g->TextBox()}));
    EXPECT_FALSE(g->TimeAxis()->stopBeforeRightAxis);

    Click(ID_GRAPH_FLOW);
    EXPECT_EQ(w->Controls().graph.measurePrimaryButton->GetCaption(), "Misura F");
    Click(ID_GRAPH_FLOW);  // flow off without pressure: nothing left to show
    EXPECT_EQ(w->Controls().graph.plot->CountLayers(), 0);

    Click(ID_GRAPH_PRESSURE);  // pressure alone, on the primary axis
    EXPECT_EQ(PlotLayers(*w->Controls().graph.plot),
              (std::vector<mpLayer*>{g->TimeAxis(), g->PressureAxis(), g->PressureSeries(),
                                     g->Legend(), g->TextBox()}));
    EXPECT_EQ(g->PressureAxis()->header, "Pressione");
    EXPECT_DOUBLE_EQ(w->Controls().graph.plot->GetMaxY(), w->Records().At(0).pressure.back() + 0.5);
}

TEST_F(GraphTest, DrawsTheFlowCurveInBlueAndPressureAloneInRed) {
    MainFrame* w = OpenWith(1, 98, 0);
    w->Records().Append(MakeRecord("Colori"));
    w->ShowRecord(0);
    // The curves cross the whole plot: far more pixels than the legend's short stroke.
    const wxBitmap flow = Draw();
    EXPECT_GT(CountPixels(flow, wxColour(0, 0, 255)), 300);
    EXPECT_EQ(CountPixels(flow, wxColour(255, 0, 0)), 0);

    Click(ID_GRAPH_FLOW);
    Click(ID_GRAPH_PRESSURE);
    const wxBitmap pressure = Draw();
    EXPECT_GT(CountPixels(pressure, wxColour(255, 0, 0)), 300);
    EXPECT_EQ(CountPixels(pressure, wxColour(0, 0, 255)), 0);
}

TEST_F(GraphTest, GridAndPointsToggleTheAxesAndThePens) {
    MainFrame* w = OpenWith(1, 98, 0);
    w->Records().Append(MakeRecord("G"));
    w->ShowRecord(0);
    Click(ID_GRID);
    EXPECT_TRUE(g->gridOn);
    EXPECT_FALSE(g->TimeAxis()->ticks);
    EXPECT_FALSE(g->FlowAxis()->ticks);
    EXPECT_TRUE(g->SecondPressureAxis()->ticks);
    EXPECT_TRUE(SamePixels(w->Controls().graph.gridButton->GetBitmapLabel(),
                           ArtBitmap("grid-on", {35, 30})));
    Click(ID_GRID);
    EXPECT_TRUE(g->TimeAxis()->ticks);
    EXPECT_TRUE(SamePixels(w->Controls().graph.gridButton->GetBitmapLabel(),
                           ArtBitmap("grid-off", {35, 30})));

    Click(ID_POINTS);
    EXPECT_TRUE(g->pointsMode);
    for (mpLayer* s : std::vector<mpLayer*>{g->FlowSeries(), g->VolumeSeries(), g->PressureSeries(),
                                            g->SecondPressureSeries()}) {
        EXPECT_EQ(s->GetPen().GetWidth(), 6);
        EXPECT_FALSE(s->continuous);
    }
    EXPECT_EQ(g->FlowSeries()->GetPen().GetColour(), wxColour(0, 0, 255));
    EXPECT_EQ(g->PressureSeries()->GetPen().GetColour(), wxColour(255, 0, 0));
    Click(ID_POINTS);
    EXPECT_EQ(g->FlowSeries()->GetPen().GetWidth(), 2);
    EXPECT_TRUE(g->FlowSeries()->continuous);
}

TEST_F(GraphTest, TheTwoMeasuringCursorsAreNeverOnTogether) {
    MainFrame* w = OpenWith(1, 98, 0);
    Click(ID_MEASURE_FLOW);
    EXPECT_TRUE(w->Controls().graph.plot->GetMeasurePrimary());
    EXPECT_TRUE(SamePixels(w->Controls().graph.measurePrimaryButton->GetBitmapLabel(),
                           ArtBitmap("measure-flow-on", {35, 30})));
    Click(ID_MEASURE_PRESSURE);
    EXPECT_TRUE(w->Controls().graph.plot->GetMeasureSecond());
    EXPECT_FALSE(w->Controls().graph.plot->GetMeasurePrimary());
    EXPECT_FALSE(g->measurePrimary);
    EXPECT_TRUE(SamePixels(w->Controls().graph.measurePrimaryButton->GetBitmapLabel(),
                           ArtBitmap("measure-flow-off", {35, 30})));
    Click(ID_MEASURE_FLOW);
    EXPECT_TRUE(w->Controls().graph.plot->GetMeasurePrimary());
    EXPECT_FALSE(w->Controls().graph.plot->GetMeasureSecond());
    Click(ID_MEASURE_FLOW);
    EXPECT_FALSE(w->Controls().graph.plot->GetMeasurePrimary());
}

struct MeasureCase {
    int flowUnit;
    const char* shown;
};

class MeasureFormatTest : public GraphTest, public ::testing::WithParamInterface<MeasureCase> {};

TEST_P(MeasureFormatTest, AFlowSampleGoesToTheReadoutsAndTheRecord) {
    // The record's own flow unit decides the format, whatever the preference.
    MainFrame* w = OpenWith(1, 98, GetParam().flowUnit == 0 ? 2 : 0);
    w->Records().Append(MakeRecord("M", 1, GetParam().flowUnit));
    w->ShowRecord(0);
    Measure(1, "75.000000 12.345000");
    EXPECT_EQ(w->Controls().graph.flowDisplay->GetValue(), GetParam().shown);
    EXPECT_EQ(w->Controls().graph.elapsedDisplay->GetValue(), "00:01:15");
    EXPECT_EQ(w->Records().At(0).flowReading, GetParam().shown);
    EXPECT_EQ(w->Records().At(0).pressureReading, "");
}

INSTANTIATE_TEST_SUITE_P(Graph, MeasureFormatTest,
                         ::testing::Values(MeasureCase{0, "12"}, MeasureCase{1, "12.35"},
                                           MeasureCase{2, "12.35"}, MeasureCase{3, "12.3"}));

TEST_F(GraphTest, PressureSamplesGoToThePressureReadout) {
    MainFrame* w = OpenWith(1, 98, 0);
    w->Records().Append(MakeRecord("P"));
    w->ShowRecord(0);
    Measure(2, "3.456000 ");
    EXPECT_EQ(w->Controls().graph.pressureDisplay->GetValue(), "3.46");
    EXPECT_EQ(w->Records().At(0).pressureReading, "3.46");
    EXPECT_EQ(w->Controls().graph.elapsedDisplay->GetValue(), "00:00:00");

    Click(ID_GRAPH_FLOW);  // pressure alone: primary samples are pressures
    Click(ID_GRAPH_PRESSURE);
    Measure(1, "5.000000 1.5");
    EXPECT_EQ(w->Controls().graph.pressureDisplay->GetValue(), "1.50");
    EXPECT_EQ(w->Records().At(0).pressureReading, "1.50");
    EXPECT_EQ(w->Controls().graph.elapsedDisplay->GetValue(), "00:00:05");
    EXPECT_EQ(w->Records().At(0).flowReading, "");
}

TEST_F(GraphTest, VolumeSamplesAreShownButNotStored) {
    MainFrame* w = OpenWith(1, 98, 0);
    w->Records().Append(MakeRecord("V"));
    w->ShowRecord(0);
    Click(ID_GRAPH_VOLUME);
    Measure(1, "9.000000 42.4");
    EXPECT_EQ(w->Controls().graph.flowDisplay->GetValue(), "42");
    EXPECT_EQ(w->Records().At(0).flowReading, "");
}

TEST_F(GraphTest, MeasuringWithoutARecordOnlyUpdatesTheReadouts) {
    MainFrame* w = OpenWith(1, 98, 0);
    Measure(1, "1.000000 7.0");
    EXPECT_EQ(w->Controls().graph.flowDisplay->GetValue(), "7");
    EXPECT_TRUE(w->Records().Empty());
}

TEST_F(GraphTest, AMovedTextBoxIsStoredWithTheFocusedRecord) {
    MainFrame* w = OpenWith(1, 98, 0);
    Storage r = MakeRecord("T");
    r.boxText = "Nota";
    r.boxX = 30;
    r.boxY = 40;
    w->Records().Append(r);
    w->Records().Append(MakeRecord("U"));
    Draw();  // the box is placed within the window as last painted
    w->ShowRecord(1);
    EXPECT_EQ(g->TextBox()->text, "");

    wxCommandEvent moved(mpEVT_TEXTBOX_MOVED);
    w->Controls().graph.plot->GetParent()->ProcessWindowEvent(
        moved);  // no focused row: nothing stored
    EXPECT_EQ(w->Records().At(1).boxX, 0);

    w->ShowRecord(0);
    EXPECT_EQ(g->TextBox()->text, "Nota");
    EXPECT_EQ(g->TextBox()->GetBoxX(), 30);
    EXPECT_EQ(g->TextBox()->GetBoxY(), 40);
    w->Controls().recordList->InsertItem(0, "T");
    w->Controls().recordList->InsertItem(1, "U");
    w->Controls().recordList->SetItemState(0, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    g->TextBox()->SetPosition(*w->Controls().graph.plot, 55, 66);
    w->Controls().graph.plot->GetParent()->ProcessWindowEvent(moved);
    EXPECT_EQ(w->Records().At(0).boxX, 55);
    EXPECT_EQ(w->Records().At(0).boxY, 66);
}

TEST_F(GraphTest, AbsoluteTimeTogglesThePreferenceTheMenuAndTheAxis) {
    MainFrame* w = OpenWith(1, 98, 0, 0);
    w->Records().Append(MakeRecord("A"));
    w->ShowRecord(0);
    EXPECT_FALSE(w->Controls().graph.plot->GetAbsoluteTime());
    EXPECT_EQ(w->Controls().graph.plot->GetBottomMargin(), 35);

    Command(ID_ABSOLUTE_TIME);
    EXPECT_TRUE(GlobalPreferences().absoluteTime);
    EXPECT_TRUE(w->GetMenuBar()->IsChecked(ID_ABSOLUTE_TIME));
    EXPECT_TRUE(w->Controls().graph.plot->GetAbsoluteTime());
    EXPECT_EQ(w->Controls().graph.plot->GetBottomMargin(), 45);
    w->ShowRecord(0);  // a record change keeps the choice
    EXPECT_TRUE(w->Controls().graph.plot->GetAbsoluteTime());

    Command(ID_ABSOLUTE_TIME);
    EXPECT_FALSE(GlobalPreferences().absoluteTime);
    EXPECT_FALSE(w->GetMenuBar()->IsChecked(ID_ABSOLUTE_TIME));
    EXPECT_FALSE(w->Controls().graph.plot->GetAbsoluteTime());
    EXPECT_EQ(w->Controls().graph.plot->GetBottomMargin(), 35);
}

TEST_F(GraphTest, ZoomButtonsZoomThePlot) {
    MainFrame* w = OpenWith(1, 98, 0);
    w->Records().Append(MakeRecord("Z"));
    w->ShowRecord(0);
    const double fitted = w->Controls().graph.plot->GetScaleX();
    Click(ID_ZOOM_IN);
    EXPECT_GT(w->Controls().graph.plot->GetScaleX(), fitted);
    Click(ID_ZOOM_OUT);
    EXPECT_NEAR(w->Controls().graph.plot->GetScaleX(), fitted, fitted * 1e-9);
}

TEST_F(GraphTest, ARecordWithoutSamplesShowsTheDefaultRange) {
    MainFrame* w = OpenWith(1, 98, 0);
    Storage empty = MakeRecord("Vuoto", 1, 0, 'p', 0);
    empty.SetTargetFlow(20.0f);
    w->Records().Append(empty);
    w->ShowRecord(0);
    EXPECT_EQ(g->FlowSeries()->GetCount(), 0);
    EXPECT_EQ(g->TargetLine()->GetCount(), 0);
    EXPECT_DOUBLE_EQ(g->FlowSeries()->GetMinY(), -1.0);
    EXPECT_DOUBLE_EQ(g->FlowSeries()->GetMaxY(), 1.0);
    EXPECT_TRUE(Draw().IsOk());
}
