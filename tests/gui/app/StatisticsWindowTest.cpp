// The statistics window: opened with its key from a record read from a file, it follows zoom, pan,
// the filter, new samples and the measuring cursors; "Copia" puts rows a spreadsheet pastes.
#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/filename.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/tokenzr.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <map>

#include "app/CommandIds.h"
#include "data/RangeStatistics.h"
#include "data/StatisticsText.h"
#include "data/Workspace.h"
#include "plot/StatisticsWindow.h"
#include "plot/mpEvents.h"
#include "plot/mpWindow.h"
#include "tests/gui/app/MainWindowFixture.h"

namespace {

class StatisticsWindowTest : public MainWindowTest {
protected:
    // A workspace file with one record of 100 samples a second apart: the flow climbs 10 l/min a
    // second with a zigzag of 100 on every other sample, the pressure reads 20 psi.
    void OpenRecordFromFile() {
        Storage r("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
        r.title = "Idrante";
        r.SetPressureScaling(0, 2, 0, 'p');
        for (int i = 1; i <= 100; ++i) r.AddRawSample(10 * i + (i % 2 ? 100 : 0), 40);
        const wxString path = home + "/prova.orv";
        ASSERT_TRUE(WriteWorkspace(path, {r}));
        Open();
        frame->OpenWorkspace(path, "prova.orv");
        frame->Controls().recordList->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                                   wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        guitest::Flush();
        ASSERT_EQ(frame->Graph().ShownRecord(), &frame->Records().At(0));
    }

    // Ctrl+T, as a person presses it on the main window.
    StatisticsWindow* PressStatisticsKey() {
        frame->Raise();
        frame->Controls().graph.plot->SetFocus();
        wxUIActionSimulator input;
        // Without a window manager the keyboard follows the pointer.
        input.MouseMove(frame->Controls().graph.plot->GetScreenRect().GetPosition() +
                        wxPoint(20, 20));
        guitest::Flush();
        input.Char('t', wxMOD_CONTROL);
        guitest::WaitFor([] { return Window() != nullptr; });
        return Window();
    }

    static StatisticsWindow* Window() {
        return dynamic_cast<StatisticsWindow*>(wxWindow::FindWindowByName(StatisticsWindow::kName));
    }

    // The values the window shows, by the label of their row (each value text is named after it),
    // and "nessun dato" when it is shown.
    static std::map<wxString, wxString> Shown(StatisticsWindow* w) {
        std::map<wxString, wxString> out;
        for (wxWindow* panel : w->GetChildren())
            for (wxWindow* child : panel->GetChildren()) {
                auto* text = dynamic_cast<wxStaticText*>(child);
                if (text == nullptr || !text->IsShown()) continue;
                if (text->GetLabel() == "nessun dato")
                    out["nessun dato"] = "";
                else if (text->GetName() != wxStaticTextNameStr)
                    out[text->GetName()] = text->GetLabel();
            }
        return out;
    }

    // Waits for the plot window to paint and the statistics window to follow it.
    void Repaint() {
        bool painted = false;
        auto seen = [&painted](wxCommandEvent& e) {
            painted = true;
            e.Skip();
        };
        frame->Controls().graph.plot->Bind(mpEVT_PAINTED, seen);
        frame->Controls().graph.plot->Refresh(false);
        EXPECT_TRUE(guitest::WaitFor([&painted] { return painted; }));
        frame->Controls().graph.plot->Unbind(mpEVT_PAINTED, seen);
        guitest::Flush();
    }

    // The visible time range of the plot, edge to edge.
    std::pair<double, double> Visible() const {
        const plotcore::ViewState& v = frame->Controls().graph.plot->GetView();
        const double half = frame->Controls().graph.plot->GetClientSize().x / 2.0;
        return {plotcore::WorldX(-half, v), plotcore::WorldX(half, v)};
    }
};

TEST_F(StatisticsWindowTest, FollowsZoomPanFilterAndNewSamplesOfARecordFromAFile) {
    OpenRecordFromFile();
    wxMenuItem* item = frame->GetMenuBar()->FindItem(ID_STATISTICS);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetItemLabelText(), "Statistiche");
    StatisticsWindow* w = PressStatisticsKey();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->IsShown());
    Repaint();

    // Fitted: the whole record is on screen.
    auto shown = Shown(w);
    EXPECT_EQ(shown["Intervallo"], "Parte visibile del grafico");
    EXPECT_EQ(shown["Campioni"], "100");
    EXPECT_EQ(shown["Inizio"], "00:00:01");
    EXPECT_EQ(shown["Fine"], "00:01:40");
    EXPECT_EQ(shown["Durata"], "00:01:39");
    EXPECT_EQ(shown["Portata minima"], "20.00");    // sample 2
    EXPECT_EQ(shown["Portata massima"], "1090.0");  // sample 99
    EXPECT_EQ(shown["Pressione media"], "20.00");
    EXPECT_EQ(shown.count("nessun dato"), 0u);
    const wxString wholeVolume = shown["Volume erogato"];

    // Zoomed in about the middle: fewer samples, and exactly the statistics of the visible range.
    auto zoomIn = [this] {
        for (int i = 0; i < 10; ++i) {
            wxCommandEvent zoom(wxEVT_BUTTON, ID_ZOOM_IN);
            frame->ProcessWindowEvent(zoom);
        }
        Repaint();
    };
    zoomIn();
    shown = Shown(w);
    const auto [from, to] = Visible();
    const RangeStatistics want = ScanRangeStatistics(frame->Records().At(0), from, to);
    ASSERT_GT(want.samples, 20u);
    ASSERT_LT(want.samples, 60u);
    for (const StatisticsRow& row :
         StatisticsRows(frame->Records().At(0), want, StatisticsRange::Visible, false))
        EXPECT_EQ(shown[row.label], row.value) << row.label;
    EXPECT_NE(shown["Volume erogato"], wholeVolume);

    // The filter shows the record afresh (fitted); zoomed in the same way, the smoothed zigzag
    // peaks lower.
    wxCommandEvent filter(wxEVT_BUTTON, ID_FILTER);
    frame->ProcessWindowEvent(filter);
    ASSERT_TRUE(frame->Records().At(0).filtered);
    zoomIn();
    const Storage& smoothed = frame->Records().At(0);
    Storage raw = smoothed;
    raw.Smooth(false, 0);
    const auto [from2, to2] = Visible();
    const RangeStatistics filtered = ScanRangeStatistics(smoothed, from2, to2);
    EXPECT_LT(filtered.flow.max, ScanRangeStatistics(raw, from2, to2).flow.max);
    EXPECT_EQ(Shown(w)["Portata massima"], StatisticsNumber(filtered.flow.max));

    // Zoomed in between two samples (the view stays centred half way between samples 50 and 51):
    // nothing to show, nothing to copy.
    for (int i = 0; i < 5; ++i) zoomIn();
    ASSERT_LT(Visible().first, Visible().second);
    ASSERT_GT(Visible().first, 50.0);
    ASSERT_LT(Visible().second, 51.0);
    shown = Shown(w);
    EXPECT_EQ(shown.count("nessun dato"), 1u);
    EXPECT_EQ(shown.count("Campioni"), 0u);
    EXPECT_FALSE(w->FindWindow(wxID_COPY)->IsEnabled());

    // Live logging: a new record at the front, shown again after each tick's samples.
    Storage live("10/03/2011 8:00:00", 1000, 1, 0, 0, 0);
    live.SetPressureScaling(0, 2, 0, 'p');
    frame->Records().StartLive(std::move(live));
    for (int tick = 1; tick <= 2; ++tick) {
        for (int i = 0; i < 5; ++i) ASSERT_TRUE(frame->Records().AppendLiveSample(120, 40));
        frame->ShowRecord(0);
        Repaint();
        EXPECT_EQ(Shown(w)["Campioni"], wxString::Format("%d", 5 * tick));
    }
    EXPECT_EQ(Shown(w)["Portata media"], "120.0");
    EXPECT_TRUE(w->FindWindow(wxID_COPY)->IsEnabled());

    // The key again brings the same window forward instead of a second one.
    EXPECT_EQ(PressStatisticsKey(), w);
    int windows = 0;
    for (wxWindow* child : frame->GetChildren())
        if (dynamic_cast<StatisticsWindow*>(child) != nullptr) ++windows;
    EXPECT_EQ(windows, 1);
}

TEST_F(StatisticsWindowTest, BothMeasuringCursorsSetTheRange) {
    OpenRecordFromFile();
    Command(ID_STATISTICS);
    StatisticsWindow* w = Window();
    ASSERT_NE(w, nullptr);
    wxCommandEvent pressure(wxEVT_BUTTON, ID_GRAPH_PRESSURE);
    frame->ProcessWindowEvent(pressure);

    // A left click measures the sample nearest the pointer's x.
    auto measureAt = [this](int id, double t) {
        wxCommandEvent on(wxEVT_BUTTON, id);
        frame->ProcessWindowEvent(on);
        const plotcore::ViewState& v = frame->Controls().graph.plot->GetView();
        wxMouseEvent click(wxEVT_LEFT_DOWN);
        click.m_x = frame->Controls().graph.plot->GetClientSize().x / 2 + plotcore::PixelX(t, v);
        click.m_y = 100;
        click.m_leftDown = true;
        frame->Controls().graph.plot->GetEventHandler()->ProcessEvent(click);
        Repaint();
    };
    measureAt(ID_MEASURE_FLOW, 80.0);
    EXPECT_EQ(Shown(w)["Intervallo"], "Parte visibile del grafico");  // one cursor is not a range
    measureAt(ID_MEASURE_PRESSURE, 30.0);

    auto shown = Shown(w);
    EXPECT_EQ(shown["Intervallo"], "Tra i cursori di misura");
    EXPECT_EQ(shown["Inizio"], "00:00:30");
    EXPECT_EQ(shown["Fine"], "00:01:20");
    EXPECT_EQ(shown["Campioni"], "51");
    // Accumulated volume at 80 s less that at 30 s: flows 10 i (+100 on odd i) a minute, 1 s each.
    double litres = 0;
    for (int i = 31; i <= 80; ++i) litres += (10 * i + (i % 2 ? 100 : 0)) / 60.0;
    EXPECT_EQ(shown.at("Volume erogato"), StatisticsNumber(litres));
}

TEST_F(StatisticsWindowTest, CopiaPutsCellsASpreadsheetPastesWithTheUsersDecimalPoint) {
    OpenRecordFromFile();
    Command(ID_STATISTICS);
    StatisticsWindow* w = Window();
    ASSERT_NE(w, nullptr);
    Repaint();
    const auto shown = Shown(w);

    wxString oldLocale;
    const bool hadLocale = wxGetEnv("LC_ALL", &oldLocale);
    wxSetEnv("LC_ALL", "it_IT.utf8");
    auto* copy = dynamic_cast<wxButton*>(w->FindWindow(wxID_COPY));
    ASSERT_NE(copy, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, wxID_COPY);
    click.SetEventObject(copy);
    copy->ProcessWindowEvent(click);
    if (hadLocale)
        wxSetEnv("LC_ALL", oldLocale);
    else
        wxUnsetEnv("LC_ALL");

    wxTextDataObject data;
    ASSERT_TRUE(wxTheClipboard->Open());
    EXPECT_TRUE(wxTheClipboard->GetData(data));
    wxTheClipboard->Close();

    // One row of cells a line: label, value with a decimal comma, unit.
    std::map<wxString, std::vector<wxString>> cells;
    for (const wxString& line : wxStringTokenize(data.GetText(), "\n", wxTOKEN_STRTOK)) {
        const wxArrayString row = wxStringTokenize(line, "\t", wxTOKEN_RET_EMPTY_ALL);
        cells[line.BeforeFirst('\t')] = std::vector<wxString>(row.begin(), row.end());
    }
    ASSERT_EQ(cells.count("Volume erogato"), 1u) << data.GetText();
    EXPECT_EQ(cells["Campioni"], (std::vector<wxString>{"Campioni", "100"}));
    EXPECT_EQ(cells["Portata massima"],
              (std::vector<wxString>{"Portata massima", "1090,0", "L/min"}));
    wxString volume = shown.at("Volume erogato");
    volume.Replace(".", ",");
    EXPECT_EQ(cells["Volume erogato"], (std::vector<wxString>{"Volume erogato", volume, "L"}));
    EXPECT_EQ(cells["Registrazione"][1], "Idrante " + frame->Records().At(0).dateText);
    EXPECT_EQ(cells.size(), shown.size());
}

}  // namespace
