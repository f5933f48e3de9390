// The control layout of the main window: every control with its id, label, tooltip and start state.
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/tooltip.h>

#include "app/CommandIds.h"
#include "art/Art.h"
#include "plot/mpFXYVector.h"
#include "plot/mpInfoLegend.h"
#include "plot/mpInfoTextBox.h"
#include "plot/mpScaleX.h"
#include "plot/mpScaleY.h"
#include "plot/mpWindow.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"
#include "widgets/kwxLCDClock.h"
#include "widgets/kwxLCDDisplay.h"
#include "widgets/wxKestButton.h"
#include "widgets/wxKestGauge.h"

namespace {

wxString ToolTipOf(wxWindow* w) {
    return w->GetToolTip() != nullptr ? w->GetToolTip()->GetTip() : wxString();
}

// Every window under `root` with this id.
std::vector<wxWindow*> WithId(wxWindow* root, int id) {
    std::vector<wxWindow*> out;
    for (wxWindow* child : root->GetChildren()) {
        if (child->GetId() == id) out.push_back(child);
        for (wxWindow* w : WithId(child, id)) out.push_back(w);
    }
    return out;
}

struct HoverButtonCase {
    int id;
    const char* caption;
    const char* tip;
    wxSize size;
};

const HoverButtonCase kHoverButtons[] = {
    {ID_OPEN_BUTTON, "Apri", "Apri i lavori salvati precedentemente", {55, 60}},
    {ID_SAVE, "Salva", "Salva i dati correnti", {55, 60}},
    {ID_PRINT_BUTTON, "Stampa grafico", "Stampa il grafico corrente", {55, 60}},
    {ID_SAVE_IMAGE, "cattura", "Salva una immagine della tabella corrente", {55, 60}},
    {0, "HVX Version 4.8", "", {100, 70}},
    {ID_GRAPH_FLOW, "Grafico portata", "Mostra o nascondi i dati di portata", {55, 60}},
    {ID_GRAPH_VOLUME, "Grafico volume", "Mostra o nascondi i dati di volume", {55, 60}},
    {ID_GRAPH_PRESSURE, "Grafico pressione", "Mostra o nascondi i dati di pressione", {55, 60}},
    {ID_ZOOM_IN, "Zoom in", "Zoom vicino sul grafico corrente", {55, 50}},
    {ID_ZOOM_OUT, "Zoom out", "Zoom lontano sul grafico corrente", {55, 50}},
    {ID_MEASURE_FLOW,
     "Misura F",
     "Selezionare per misurare il punto di portata sul grafico",
     {55, 50}},
    {ID_MEASURE_PRESSURE,
     "Misura P",
     "Selezionare per misurare il punto di pressione sul grafico",
     {55, 50}},
    {ID_GRID, "Griglia", "Mostra griglia sul grafico", {55, 50}},
    {ID_POINTS, "Esempi", "Mostra o nascondi i punti dei dati", {55, 50}},
    {ID_FILTER, "Flitri", "Applica un filtro medio sui dati del grafico", {55, 50}},
};

struct PlainButtonCase {
    int id;
    const char* label;
    const char* tip;
    bool bitmap;
    bool enabled;
};

const PlainButtonCase kButtons[] = {
    {ID_LIVE_START, "", "Registra i dati dal vico", true, true},
    {ID_LIVE_STOP, "", "Interrompi la ricezione dei dati dal vivo", true, false},
    {ID_METER_SETTINGS, "", "Cambiare i paremetri dello strumento", true, true},
    {ID_ERASE_METER, "", "Svuota la memoria dello strumento", true, true},
    {ID_DOWNLOAD, "", "Carica tutti i dati dallo strumento", true, true},
    {ID_REMOVE_RECORD, "Cancella", "Rimuovere i dati registrati dal lavoro", false, false},
    {ID_RENAME_RECORD, "Inserisci titolo del grafico",
     "Aggiungere o cambiare il titolo dei dati registrati", false, false},
    {ID_RECORD_INFO, "Informazioni aggiuntive", "Aggiungere informazioni aggiuntive sul grafico",
     false, false},
    {ID_RECORD_TEXTBOX, "Casella di testo", "", false, false},
    {ID_TARGET_FLOW, "Portata target", "", false, false},
};

}  // namespace

TEST_F(MainWindowTest, LaysOutThePictureButtonsWithTheirCaptionsAndTips) {
    WritePreferences({1, 98, 0, 0, 0, 0, 0});
    MainFrame* w = Open();
    ASSERT_NE(w->Controls().panel, nullptr);
    EXPECT_EQ(w->Controls().panel->GetName(), "panel");
    EXPECT_EQ(w->Controls().panel->GetBackgroundColour(), wxColour(236, 233, 216));
    for (const HoverButtonCase& c : kHoverButtons) {
        SCOPED_TRACE(c.caption);
        const auto found = WithId(w->Controls().panel, c.id);
        ASSERT_EQ(found.size(), 1u);
        auto* b = dynamic_cast<wxKestButton*>(found[0]);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->GetCaption(), c.caption);
        EXPECT_EQ(ToolTipOf(b), c.tip);
        // The size given is a minimum: a caption wider than it widens the button.
        EXPECT_GE(b->GetMinSize().x, c.size.x);
        EXPECT_EQ(b->GetMinSize().y, c.size.y);
        EXPECT_EQ(b->GetSize().y, c.size.y);
        EXPECT_EQ(b->GetName(), "button");
        EXPECT_TRUE(b->GetBitmapLabel().IsOk());
        EXPECT_TRUE(b->GetBitmapCurrent().IsOk());
        EXPECT_TRUE(b->IsEnabled());
    }
}

TEST_F(MainWindowTest, LaysOutTheMeterAndRecordButtonsWithTheirStartStates) {
    WritePreferences({1, 98, 0, 0, 0, 0, 0});
    MainFrame* w = Open();
    for (const PlainButtonCase& c : kButtons) {
        SCOPED_TRACE(c.id);
        const auto found = WithId(w->Controls().panel, c.id);
        ASSERT_EQ(found.size(), 1u);
        wxWindow* b = found[0];
        if (c.bitmap) {
            auto* bitmap = dynamic_cast<wxBitmapButton*>(b);
            ASSERT_NE(bitmap, nullptr);
            EXPECT_TRUE(bitmap->GetBitmapLabel().IsOk());
        } else {
            ASSERT_NE(dynamic_cast<wxButton*>(b), nullptr);
            // A long caption is broken over two lines of the button.
            wxString label = b->GetLabel();
            label.Replace("\n", " ");
            EXPECT_EQ(label, wxString::FromUTF8(c.label));
            EXPECT_EQ(b->GetName(), "button");
            EXPECT_GE(b->GetSize().y, 30);
        }
        EXPECT_EQ(ToolTipOf(b), wxString::FromUTF8(c.tip));
        EXPECT_EQ(b->IsEnabled(), c.enabled);
    }
}

TEST_F(MainWindowTest, GroupsTheControlsInLabelledBoxes) {
    WritePreferences({1, 98, 0, 0, 0, 0, 0});
    MainFrame* w = Open();
    std::vector<wxString> labels;
    for (wxWindow* child : w->Controls().panel->GetChildren())
        if (auto* box = dynamic_cast<wxStaticBox*>(child)) labels.push_back(box->GetLabel());
    const std::vector<wxString> expected = {"USB logging", "Impostazioni strumento",
                                            "Memoria stumento", "Funzioni eventi portata",
                                            "Livelli risorse"};
    EXPECT_EQ(labels, expected);
    // The live buttons sit in their box, the record buttons in theirs.
    EXPECT_EQ(w->Controls().liveStartButton->GetParent()->GetLabel(), "USB logging");
    EXPECT_EQ(w->Controls().removeRecordButton->GetParent()->GetLabel(), "Funzioni eventi portata");
}

TEST_F(MainWindowTest, HasAnEmptyReportListWithFiveColumns) {
    WritePreferences({1, 98, 0, 0, 2, 0, 0});
    MainFrame* w = Open();
    wxListCtrl* list = w->Controls().recordList;
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetId(), ID_RECORD_LIST);
    EXPECT_EQ(list->GetName(), "listCtrl");
    EXPECT_TRUE(list->InReportView());
    EXPECT_EQ(list->GetItemCount(), 0);
    ASSERT_EQ(list->GetColumnCount(), 5);
    const wxString headers[] = {"Titolo", "Data", "Tempo", "Durata",
                                wxString::FromUTF8("Volume (M³)")};
    // Their widths follow their texts: OpeningSizeTest measures them.
    for (int i = 0; i < 5; ++i) {
        wxListItem column;
        column.SetMask(wxLIST_MASK_TEXT);
        ASSERT_TRUE(list->GetColumn(i, column));
        EXPECT_EQ(column.GetText(), headers[i]);
    }
    EXPECT_TRUE(list->GetFont().GetWeight() == wxFONTWEIGHT_BOLD);
    EXPECT_EQ(list->GetFont().GetPointSize(), 9);
}

TEST_F(MainWindowTest, HasTwoEmptyResourceGaugesAndABlankMemoryText) {
    WritePreferences({1, 98, 0, 0, 0, 0, 0});
    MainFrame* w = Open();
    const auto gauges = WithId(w->Controls().panel, ID_GAUGE);
    ASSERT_EQ(gauges.size(), 2u);
    for (wxWindow* g : gauges) {
        auto* gauge = dynamic_cast<wxKestGauge*>(g);
        ASSERT_NE(gauge, nullptr);
        EXPECT_EQ(gauge->GetRange(), 700);
        EXPECT_EQ(gauge->GetValue(), 0);
    }
    EXPECT_EQ(w->Controls().batteryGauge->GetForegroundColour(), wxColour(255, 0, 0));
    EXPECT_EQ(w->Controls().batteryGauge->GetBackgroundColour(), wxColour(50, 50, 50));
    EXPECT_EQ(w->Controls().memoryText->GetLabel(), " ");
}

TEST_F(MainWindowTest, ShowsZeroOnTheReadouts) {
    WritePreferences({1, 98, 0, 0, 0, 0, 0});
    MainFrame* w = Open();
    EXPECT_EQ(w->Controls().graph.flowDisplay->GetValue(), "0.0");
    EXPECT_EQ(w->Controls().graph.flowDisplay->GetNumberDigits(), 6);
    EXPECT_EQ(w->Controls().graph.pressureDisplay->GetValue(), "0.0");
    EXPECT_EQ(w->Controls().graph.pressureDisplay->GetNumberDigits(), 6);
    EXPECT_EQ(w->Controls().graph.elapsedDisplay->GetNumberDigits(), 7);
    EXPECT_EQ(w->Controls().graph.elapsedDisplay->GetValue(), "00:00:00");
    EXPECT_EQ(w->Controls().graph.flowUnitLabel->GetFont().GetPointSize(), 11);
    EXPECT_EQ(w->Controls().graph.flowUnitLabel->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
}

struct UnitLabelCase {
    int metric;
    int pressureCode;
    int flowUnit;
    const char* flowLabel;
    const char* pressureLabel;
};

class UnitLabelTest : public MainWindowTest, public ::testing::WithParamInterface<UnitLabelCase> {};

TEST_P(UnitLabelTest, FollowTheUnitPreferences) {
    const UnitLabelCase& c = GetParam();
    WritePreferences({c.metric, c.pressureCode, 0, 0, c.flowUnit, 0, 0});
    MainFrame* w = Open();
    EXPECT_EQ(w->Controls().graph.flowUnitLabel->GetLabel(), wxString::FromUTF8(c.flowLabel));
    EXPECT_EQ(w->Controls().graph.pressureUnitLabel->GetLabel(),
              wxString::FromUTF8(c.pressureLabel));
}

INSTANTIATE_TEST_SUITE_P(Layout, UnitLabelTest,
                         ::testing::Values(UnitLabelCase{1, 98, 0, "l/min.", "Bar"},
                                           UnitLabelCase{1, 112, 1, "l/s", "PSI"},
                                           UnitLabelCase{1, 8, 2, "M³/h", "MtrH"},
                                           UnitLabelCase{1, 16, 3, "GPM", "KPa"},
                                           UnitLabelCase{1, 3, 0, "l/min.", "PSI"},
                                           UnitLabelCase{0, 98, 0, "GPM", "Bar"}));

TEST_F(MainWindowTest, StartsInFlowViewWithTheFlowLayersInPaintingOrder) {
    WritePreferences({1, 98, 0, 0, 0, 0, 0});
    MainFrame* w = Open();
    GraphView& g = w->Graph();
    EXPECT_TRUE(g.flowView);
    EXPECT_FALSE(g.volumeView);
    EXPECT_FALSE(g.pressureShown);
    EXPECT_FALSE(g.gridOn);
    EXPECT_FALSE(g.pointsMode);
    EXPECT_FALSE(g.measurePrimary);
    EXPECT_FALSE(g.measureSecond);
    const std::vector<mpLayer*> expected = {g.TimeAxis(),   g.FlowAxis(), g.FlowSeries(),
                                            g.TargetLine(), g.Legend(),   g.TextBox()};
    std::vector<mpLayer*> layers;
    for (int i = 0; i < w->Controls().graph.plot->CountLayers(); ++i)
        layers.push_back(w->Controls().graph.plot->GetLayer(i));
    EXPECT_EQ(layers, expected);
    EXPECT_GE(w->Controls().graph.plot->GetSize().x, 600);
    EXPECT_GE(w->Controls().graph.plot->GetSize().y, 300);
    // The flow button shows its "on" picture, the volume button its "off" one.
    EXPECT_TRUE(SamePixels(w->Controls().graph.flowButton->GetBitmapLabel(),
                           ArtBitmap("graph-flow-on", {50, 50})));
    EXPECT_TRUE(SamePixels(w->Controls().graph.volumeButton->GetBitmapLabel(),
                           ArtBitmap("graph-volume-off", {50, 50})));
}
