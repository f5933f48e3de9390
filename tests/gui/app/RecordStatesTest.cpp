// The record list's states as a person meets them: rows clicked with the real pointer (so the list
// sends its events in the order GTK delivers them), the text box dragged on the plot, commands
// pressed after edits and removals.
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/textdlg.h>
#include <wx/uiaction.h>

#include <cstdlib>
#include <functional>

#include "app/CommandIds.h"
#include "plot/mpEvents.h"
#include "plot/mpFXYVector.h"
#include "plot/mpInfoTextBox.h"
#include "plot/mpWindow.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"

namespace {

// Answers a text entry dialog with `entered` and OK.
class EnterText : public wxExpectModalBase<wxTextEntryDialog, EnterText> {
public:
    explicit EnterText(const wxString& entered) : entered(entered) {}

protected:
    int OnInvoked(wxTextEntryDialog* dlg) const override {
        dlg->SetValue(entered);
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "text entry"; }

private:
    wxString entered;
};

// Alternating samples, so that the moving average visibly changes them.
Storage Spiky(const wxString& title) {
    Storage r("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    r.title = title;
    for (int i = 0; i < 12; ++i) r.AddSample(float(i), i % 2 ? 100.0f : 0.0f, 1.0f, float(i));
    return r;
}

class RecordStatesTest : public MainWindowTest {
public:
    MainFrame* OpenWith(std::vector<Storage> records) {
        WritePreferences({1, 98, 0, 0, 0, 0, 0});
        MainFrame* w = Open();
        w->Records().ReplaceAll(std::move(records));
        w->RefreshRecordList();
        list = w->Controls().recordList;
        EXPECT_TRUE(guitest::WaitFor([&] { return list->IsShownOnScreen(); }));
        guitest::Flush();
        return w;
    }
    // A left click on the row's title with the real pointer, Ctrl held when asked.
    void ClickRow(int row, bool ctrl = false) {
        wxRect rect;
        ASSERT_TRUE(list->GetItemRect(row, rect));
        wxUIActionSimulator sim;
        sim.MouseMove(list->ClientToScreen(wxPoint(rect.x + 10, rect.y + rect.height / 2)));
        guitest::Flush();
        if (ctrl) sim.KeyDown(WXK_CONTROL);
        sim.MouseClick();
        if (ctrl) sim.KeyUp(WXK_CONTROL);
        guitest::WaitFor([&] { return list->GetItemState(row, wxLIST_STATE_FOCUSED) != 0; });
        guitest::Flush();
    }
    void Click(int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(frame->Controls().panel->FindWindow(id));
        frame->ProcessWindowEvent(event);
    }
    bool CommandsEnabled() const { return frame->GetMenuBar()->IsEnabled(ID_EXPORT_CSV); }
    wxString Shown() const { return frame->Graph().FlowSeries()->name.BeforeFirst(' '); }

    wxListCtrl* list = nullptr;
};

// The list selects a clicked row before it focuses it; the first press of "Flitri" after a click,
// an edit or a removal must filter the current record.
TEST_F(RecordStatesTest, TheFirstFilterPressAfterAClickAnEditOrARemovalFilters) {
    struct Case {
        const char* name;
        std::function<void(RecordStatesTest&)> before;
        int current;
    };
    const Case cases[] = {
        {"click", [](RecordStatesTest&) {}, 1},
        {"rename",
         [](RecordStatesTest& t) { wxTEST_DIALOG(t.Click(ID_RENAME_RECORD), EnterText("Nord")); },
         1},
        {"information",
         [](RecordStatesTest& t) { wxTEST_DIALOG(t.Click(ID_RECORD_INFO), EnterText("x")); }, 1},
        {"text box",
         [](RecordStatesTest& t) { wxTEST_DIALOG(t.Click(ID_RECORD_TEXTBOX), EnterText("y")); }, 1},
        {"target flow",
         [](RecordStatesTest& t) { wxTEST_DIALOG(t.Click(ID_TARGET_FLOW), EnterText("40")); }, 1},
        {"removal", [](RecordStatesTest& t) { t.Click(ID_REMOVE_RECORD); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainFrame* w = OpenWith({Spiky("A"), Spiky("B"), Spiky("C")});
        ClickRow(1);
        ASSERT_EQ(w->CurrentRow(), 1);
        EXPECT_EQ(Shown(), "B");
        c.before(*this);
        guitest::Flush();
        ASSERT_EQ(w->CurrentRow(), c.current);
        const std::vector<float> raw = w->Records().At(c.current).flow;
        Click(ID_FILTER);
        EXPECT_TRUE(w->Records().FilterOn());
        EXPECT_TRUE(w->Records().At(c.current).filtered);
        EXPECT_NE(w->Records().At(c.current).flow, raw);
        EXPECT_EQ(w->Graph().FlowSeries()->GetYs(), w->Records().At(c.current).flow);
        Click(ID_FILTER);
        EXPECT_EQ(w->Records().At(c.current).flow, raw);
        w->Records().SetSaved(true);
        w->Destroy();
        ASSERT_TRUE(WaitClosed());
    }
}

// One row at a time: a Ctrl+click moves the selection instead of adding a second row, and the
// commands follow the one current record.
TEST_F(RecordStatesTest, CtrlClickKeepsOneCurrentRecord) {
    MainFrame* w = OpenWith({Spiky("A"), Spiky("B"), Spiky("C")});
    ClickRow(0);
    ClickRow(2, true);
    EXPECT_EQ(list->GetSelectedItemCount(), 1);
    EXPECT_EQ(w->CurrentRow(), 2);
    EXPECT_EQ(Shown(), "C");
    EXPECT_TRUE(CommandsEnabled());
}

// Removing the last row, or the only one, leaves no current record and the commands disabled.
TEST_F(RecordStatesTest, RemovingTheOnlyRowDisablesTheCommandsAndClearsTheGraph) {
    MainFrame* w = OpenWith({Spiky("A")});
    ClickRow(0);
    ASSERT_TRUE(CommandsEnabled());
    Click(ID_REMOVE_RECORD);
    guitest::Flush();
    EXPECT_FALSE(CommandsEnabled());
    EXPECT_FALSE(w->Controls().removeRecordButton->IsEnabled());
    EXPECT_EQ(w->Graph().FlowSeries()->GetCount(), 0);
    EXPECT_EQ(w->CurrentRow(), -1);
}

// A measurement after a removal reaches the record now shown, and the removed one's readings do
// not travel to the record that took its row.
TEST_F(RecordStatesTest, MeasurementsGoToTheShownRecordOnly) {
    MainFrame* w = OpenWith({Spiky("A"), Spiky("B"), Spiky("C")});
    ClickRow(1);
    Click(ID_REMOVE_RECORD);  // B goes; A (row 0) becomes current and shown
    guitest::Flush();
    ASSERT_EQ(Shown(), "A");
    wxCommandEvent measure(mpEVT_MEASURE);
    measure.SetInt(1);
    measure.SetString("2.000000 55.0");
    w->Controls().graph.plot->GetParent()->ProcessWindowEvent(measure);
    EXPECT_EQ(w->Records().At(0).flowReading, "55");
    EXPECT_EQ(w->Records().At(1).flowReading, "");
}

// Dragging the text box with the pointer stores the new place in the shown record and marks the
// workspace unsaved; paints that do not move it change nothing.
TEST_F(RecordStatesTest, DraggingTheTextBoxMarksTheWorkspaceUnsaved) {
    Storage noted = Spiky("A");
    noted.boxText = "Nota";
    MainFrame* w = OpenWith({noted, Spiky("B")});
    ClickRow(0);
    mpWindow* plot = w->Controls().graph.plot;
    plot->Refresh();
    plot->Update();
    guitest::Flush();
    w->Records().SetSaved(true);
    plot->Refresh();
    plot->Update();
    guitest::Flush();
    ASSERT_TRUE(w->Records().Saved()) << "a paint without a drag marked the workspace unsaved";

    const int x0 = w->Records().At(0).boxX, y0 = w->Records().At(0).boxY;
    const wxSize size = plot->GetClientSize();
    const wxPoint inside(size.x / 2 + x0 + 8, size.y / 2 + y0 + 8);
    wxUIActionSimulator sim;
    sim.MouseMove(plot->ClientToScreen(inside));
    guitest::Flush();
    sim.MouseDown();
    guitest::Flush();
    for (int step = 1; step <= 4; ++step) {
        sim.MouseMove(plot->ClientToScreen(inside + wxPoint(10 * step, 5 * step)));
        guitest::Flush();
    }
    sim.MouseUp();
    // Each paint stores where the box is; wait for the paint after the last motion, not the first.
    EXPECT_TRUE(guitest::WaitFor([&] {
        const Storage& r = w->Records().At(0);
        return std::abs(r.boxX - (x0 + 40)) <= 2 && std::abs(r.boxY - (y0 + 20)) <= 2;
    }));
    EXPECT_NEAR(w->Records().At(0).boxX, x0 + 40, 2);
    EXPECT_NEAR(w->Records().At(0).boxY, y0 + 20, 2);
    EXPECT_FALSE(w->Records().Saved());
    EXPECT_EQ(w->Records().At(1).boxX, 0);
    EXPECT_EQ(w->Records().At(1).boxY, 0);
}

}  // namespace
