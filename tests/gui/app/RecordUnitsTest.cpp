// Every record is labelled by the unit its numbers were measured in, wherever a person meets it:
// graph axis and legend, readouts, the record list, the CSV file and the saved workspace. The flow
// unit preference only decides what later records store.
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/stattext.h>

#include "app/CommandIds.h"
#include "data/ExportTarget.h"
#include "data/Preferences.h"
#include "data/Units.h"
#include "data/Workspace.h"
#include "plot/mpEvents.h"
#include "plot/mpFXYVector.h"
#include "plot/mpScaleY.h"
#include "plot/mpWindow.h"
#include "tests/gui/app/FileDialogExpectation.h"
#include "tests/gui/app/MainWindowFixture.h"
#include "tests/gui/harness/ExpectMessage.h"
#include "widgets/kwxLCDDisplay.h"

namespace {

const char kRestart[] = "Riavvaire l'applicazione per effettuare il cambio dell'unità di portata";

// A record as a download makes it: raw flow 152 per minute each second, in `flowUnit`.
Storage Measured(const wxString& title, int metric, int flowUnit) {
    Storage r("7/03/2011 9:05:30", 1000, metric, 0, flowUnit, 1);
    r.title = title;
    r.SetPressureScaling(0, 2, 0, 'b');
    for (int i = 0; i < 5; ++i) r.AddRawSample(152, 40);
    return r;
}

struct Seen {
    wxString flowAxis, legend, readout;
};

class RecordUnitsTest : public MainWindowTest {
protected:
    MainFrame* OpenWith(std::vector<Storage> records, int flowUnitPreference = 0) {
        WritePreferences({1, 98, 0, 0, flowUnitPreference, 0, 0});
        MainFrame* w = Open();
        for (Storage& r : records) w->Records().Append(std::move(r));
        w->RefreshRecordList();
        return w;
    }
    void Select(int row) {
        const long both = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
        frame->Controls().recordList->SetItemState(row, both, both);
        guitest::Flush();
    }
    void Click(int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        frame->ProcessWindowEvent(event);
    }
    Seen WhatIsSeen() {
        GraphView& g = frame->Graph();
        return {g.FlowAxis()->name, g.FlowSeries()->legendUnit,
                frame->Controls().graph.flowUnitLabel->GetLabel()};
    }
    void ExpectLitresPerMinute(const char* when) {
        SCOPED_TRACE(when);
        const Seen seen = WhatIsSeen();
        EXPECT_EQ(seen.flowAxis, "Portata (litri/min)");
        EXPECT_EQ(seen.legend, "l/min");
        EXPECT_EQ(seen.readout, "l/min.");
    }
    wxString File(const wxString& name) const { return wxFileName(home, name).GetFullPath(); }
    static wxString Read(const wxString& path) {
        wxString text;
        wxFFile in(path, "rb");
        in.ReadAll(&text, wxConvUTF8);
        return text;
    }
    void SaveAs(const wxString& path) {
        wxTEST_DIALOG(Command(ID_SAVE_AS),
                      ExpectFile("Salva i dialoghi dello spazio di lavoro",
                                 "HVX files (*.orv)|*.orv||", wxFD_SAVE, path));
    }
    void Export(const wxString& path) {
        wxTEST_DIALOG(Command(ID_EXPORT_CSV), ExpectFile("Esportare su excel", kExportWildcard,
                                                         wxFD_SAVE, path, "7_03_2011 9_05_30"));
    }
    void OpenFile(const wxString& path) {
        wxTEST_DIALOG(Command(ID_OPEN), ExpectFile("Apri spazio di lavoro ORV HVX ",
                                                   "ORV files (*.orv)|*.orv", wxFD_OPEN, path));
    }
};

// The example: 152 l/min must not read "152 l/s" after the person picks "Portara l/s",
// nor be saved as litres per second.
TEST_F(RecordUnitsTest, ChoosingLitresPerSecondLeavesALitresPerMinuteRecordInLitresPerMinute) {
    MainFrame* w = OpenWith({Measured("Idrante", 1, kFlowLitresPerMinute)});
    Select(0);
    ExpectLitresPerMinute("shown");

    wxTEST_DIALOG(Command(ID_FLOW_UNIT_LPS),
                  ExpectMessage(wxString::FromUTF8(kRestart), "Message"));
    EXPECT_TRUE(w->GetMenuBar()->IsChecked(ID_FLOW_UNIT_LPS));
    ExpectLitresPerMinute("after the menu");
    Click(ID_GRAPH_VOLUME);
    Click(ID_GRAPH_FLOW);
    ExpectLitresPerMinute("after the view buttons");
    Select(0);
    ExpectLitresPerMinute("selected again");

    wxCommandEvent measure(mpEVT_MEASURE);
    measure.SetInt(1);
    measure.SetString("2.000000 152.0");
    w->Controls().graph.plot->GetParent()->ProcessWindowEvent(measure);
    EXPECT_EQ(w->Records().At(0).flowReading, "152");

    SaveAs(File("lavoro"));
    EXPECT_TRUE(Read(File("lavoro.orv")).Contains("\n98\n1 0\n0\n5\n")) << Read(File("lavoro.orv"));
    Export(File("idrante.csv"));
    const wxString csv = Read(File("idrante.csv"));
    EXPECT_TRUE(csv.Contains("Flow Measurement,152,L/min\n")) << csv;
    EXPECT_TRUE(csv.Contains("portata(L/min), Volume (L)")) << csv;
    EXPECT_TRUE(csv.Contains(",152.00,")) << csv;

    // A record made after the change stores and shows litres per second.
    w->Records().Append(Measured("Dopo", 1, GlobalPreferences().flowUnit));
    w->RefreshRecordList();
    Select(1);
    EXPECT_EQ(WhatIsSeen().flowAxis, "Portata (Litre/sec)");
    EXPECT_EQ(WhatIsSeen().legend, "l/s");
    EXPECT_EQ(WhatIsSeen().readout, "l/s");
}

// Records of one workspace made with different units (and meters) each show their own; the list's
// volume cells name their unit where the column header names another.
TEST_F(RecordUnitsTest, AnOpenedWorkspaceLabelsEachRecordByItsOwnUnit) {
    const std::vector<Storage> made{Measured("Litri", 1, kFlowLitresPerMinute),
                                    Measured("Metri", 1, kFlowCubicMetresPerHour),
                                    Measured("Galloni", 0, kFlowLitresPerMinute)};
    ASSERT_TRUE(WriteWorkspace(File("misto.orv"), made));
    MainFrame* w = OpenWith({});
    OpenFile(File("misto.orv"));
    ASSERT_EQ(w->Records().Size(), 3u);
    const struct {
        const char* flowAxis;
        const char* legend;
        const char* volumeCell;
    } expected[] = {{"Portata (litri/min)", "l/min", "12.67"},
                    {"Portata (M³/h)", "M³/h", "0.01 M³"},
                    {"Portata (galloni/min)", "GPM", "12.67 G"}};
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        Select(row);
        EXPECT_EQ(WhatIsSeen().flowAxis, wxString::FromUTF8(expected[row].flowAxis));
        EXPECT_EQ(WhatIsSeen().legend, wxString::FromUTF8(expected[row].legend));
        EXPECT_EQ(w->Controls().recordList->GetItemText(row, 4),
                  wxString::FromUTF8(expected[row].volumeCell));
    }
}

// A file whose line 10 names a flow unit that does not exist leaves no entry of "Data" checked.
TEST_F(RecordUnitsTest, AnUnknownFlowUnitInAFileChecksNoMenuEntry) {
    wxFFile out(File("ignoto.orv"), "w");
    ASSERT_TRUE(
        out.Write(wxString("460000\n1\nT\n7/03/2011 9:05:30\n\n0\n1000\n98\n1 7\n0\n1\n"
                           "1.0 5.0 0.0 0.1\n")));
    out.Close();
    MainFrame* w = OpenWith({});
    ASSERT_TRUE(w->GetMenuBar()->IsChecked(ID_FLOW_UNIT_LPM));
    OpenFile(File("ignoto.orv"));
    ASSERT_EQ(w->Records().Size(), 1u);
    for (int id : {ID_FLOW_UNIT_LPM, ID_FLOW_UNIT_LPS, ID_FLOW_UNIT_M3H, ID_FLOW_UNIT_GPM})
        EXPECT_FALSE(w->GetMenuBar()->IsChecked(id)) << id;
    Select(0);
    ExpectLitresPerMinute("the record reads as litres per minute");
}

}  // namespace
