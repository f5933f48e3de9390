// The record list: rows, selection, the record commands and their dialogs, removal and the filter.
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>

#include "app/CommandIds.h"
#include "art/Art.h"
#include "plot/mpFXYVector.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"
#include "widgets/wxKestButton.h"

namespace {

// Expects a text entry dialog with this caption and initial value; answers with `entered`.
class ExpectText : public wxExpectModalBase<wxTextEntryDialog, ExpectText> {
public:
    ExpectText(const wxString& caption, const wxString& initial, const wxString& entered,
               int answer = wxID_OK, bool multiline = false)
        : caption(caption),
          initial(initial),
          entered(entered),
          answer(answer),
          multiline(multiline) {}

protected:
    int OnInvoked(wxTextEntryDialog* dlg) const override {
        EXPECT_EQ(dlg->GetTitle(), caption);
        EXPECT_EQ(dlg->GetValue(), initial);
        wxTextCtrl* text = nullptr;
        for (wxWindow* child : dlg->GetChildren())
            if (auto* t = dynamic_cast<wxTextCtrl*>(child)) text = t;
        EXPECT_NE(text, nullptr);
        if (text != nullptr) {
            EXPECT_EQ(text->IsMultiLine(), multiline);
        }
        dlg->SetValue(entered);
        return answer;
    }
    wxString GetDefaultDescription() const override { return "text entry \"" + caption + "\""; }

private:
    wxString caption, initial, entered;
    int answer;
    bool multiline;
};

class RecordListTest : public MainWindowTest {
protected:
    MainFrame* OpenWith(int count) {
        MainFrame* w = Open();
        for (int i = 0; i < count; ++i) w->Records().Append(MakeRecord(wxString::Format("R%d", i)));
        w->RefreshRecordList();
        return w;
    }
    // Selects and focuses one row as a click does, with the list's own events.
    void Select(int row) {
        for (int i = 0; i < frame->Controls().recordList->GetItemCount(); ++i)
            if (i != row)
                frame->Controls().recordList->SetItemState(
                    i, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        frame->Controls().recordList->SetItemState(row,
                                                   wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                                   wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        guitest::Flush();
    }
    void Click(int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(frame->Controls().panel->FindWindow(id));
        frame->ProcessWindowEvent(event);
    }
    wxString Cell(int row, int column) const {
        return frame->Controls().recordList->GetItemText(row, column);
    }
    bool CommandsEnabled() const {
        const bool menu = frame->GetMenuBar()->IsEnabled(ID_EXPORT_CSV);
        for (wxButton* b :
             {frame->Controls().removeRecordButton, frame->Controls().renameRecordButton,
              frame->Controls().recordInfoButton, frame->Controls().textBoxButton,
              frame->Controls().targetFlowButton})
            EXPECT_EQ(b->IsEnabled(), menu);
        return menu;
    }
    int SelectedRow() const {
        return int(
            frame->Controls().recordList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
    }
};

TEST_F(RecordListTest, RowsShowTitleDateTimeDurationAndVolume) {
    MainFrame* w = Open();
    struct Case {
        int samples;
        int intervalMs;
        const char* duration;
    };
    const Case cases[] = {{3600, 1000, "01:00:00"},
                          {59, 1000, "00:59"},
                          {90000, 1000, "01:00:00"},
                          {7, 500, "00:03"},
                          {3725, 1000, "01:02:05"}};
    for (const Case& c : cases) {
        Storage r("7/03/2011 9:05:30", c.intervalMs, 1, 0, 0, 1);
        r.title = "Prova";
        for (int i = 0; i < c.samples; ++i) r.AddSample(float(i), 1.0f, 1.0f, float(i) * 0.125f);
        w->Records().Append(r);
    }
    w->RefreshRecordList();
    ASSERT_EQ(w->Controls().recordList->GetItemCount(), int(std::size(cases)));
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Cell(i, 0), "Prova");
        EXPECT_EQ(Cell(i, 1), "7/03/2011");
        EXPECT_EQ(Cell(i, 2), "9:05:30");
        EXPECT_EQ(Cell(i, 3), cases[i].duration);
        EXPECT_EQ(Cell(i, 4), wxString::Format("%.2f", w->Records().At(i).GetLastVolume()));
    }
    w->Records().Remove(0);
    w->RefreshRecordList();
    EXPECT_EQ(w->Controls().recordList->GetItemCount(), int(std::size(cases)) - 1);
}

TEST_F(RecordListTest, SelectingShowsTheRecordAndEnablesTheCommands) {
    MainFrame* w = OpenWith(3);
    EXPECT_FALSE(CommandsEnabled());
    Select(2);
    EXPECT_EQ(w->Graph().SelectedRecord(), 2);
    EXPECT_TRUE(CommandsEnabled());
    w->Controls().recordList->SetItemState(2, 0, wxLIST_STATE_SELECTED);
    guitest::Flush();
    EXPECT_FALSE(CommandsEnabled());
}

TEST_F(RecordListTest, SelectingAFilteredRecordShowsItUnfiltered) {
    MainFrame* w = OpenWith(1);
    Storage spiky("7/03/2011 9:05:30", 1000, 1, 0, 0, 2);
    for (int i = 0; i < 12; ++i) spiky.AddSample(float(i), i % 2 ? 100.0f : 0.0f, 1.0f, float(i));
    w->Records().Append(spiky);
    w->RefreshRecordList();
    const std::vector<float> raw = w->Records().At(1).flow;
    Select(1);
    Click(ID_FILTER);
    EXPECT_TRUE(w->Records().FilterOn());
    EXPECT_TRUE(w->Records().At(1).filtered);
    EXPECT_NE(w->Records().At(1).flow, raw);
    EXPECT_TRUE(
        SamePixels(w->Controls().filterButton->GetBitmapLabel(), ArtBitmap("filter-on", {35, 30})));
    Select(0);
    Select(1);
    EXPECT_FALSE(w->Records().FilterOn());
    EXPECT_FALSE(w->Records().At(1).filtered);
    EXPECT_EQ(w->Records().At(1).flow, raw);
    EXPECT_TRUE(SamePixels(w->Controls().filterButton->GetBitmapLabel(),
                           ArtBitmap("filter-off", {35, 30})));
}

TEST_F(RecordListTest, FilterWithoutACurrentRowDoesNothing) {
    MainFrame* w = OpenWith(2);
    const wxBitmap before = w->Controls().filterButton->GetBitmapLabel();
    Click(ID_FILTER);
    EXPECT_FALSE(w->Records().FilterOn());
    EXPECT_FALSE(w->Records().At(0).filtered);
    EXPECT_TRUE(SamePixels(w->Controls().filterButton->GetBitmapLabel(), before));
}

TEST_F(RecordListTest, EditCommandsChangeTheRecordOnOk) {
    const wxString more = wxString::FromUTF8("Informazioni aggiuntive\u2026");
    MainFrame* w = OpenWith(2);
    Select(1);
    w->Records().SetSaved(true);
    {
        wxTEST_DIALOG(Click(ID_RENAME_RECORD),
                      ExpectText("Cambia il nome del titolo", "R1", "Idrante nord"));
    }
    EXPECT_EQ(w->Records().At(1).title, "Idrante nord");
    EXPECT_EQ(Cell(1, 0), "Idrante nord");
    EXPECT_FALSE(w->Records().Saved());
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(w->CurrentRow(), 1);
    {
        wxTEST_DIALOG(Click(ID_RENAME_RECORD),
                      ExpectText("Cambia il nome del titolo", "Idrante nord", ""));
    }
    EXPECT_EQ(w->Records().At(1).title, "-");
    { wxTEST_DIALOG(Click(ID_RECORD_INFO), ExpectText(more, "Idrante 12", "")); }
    EXPECT_EQ(w->Records().At(1).info, "");
    {
        wxTEST_DIALOG(Click(ID_RECORD_TEXTBOX),
                      ExpectText(more, "", "riga uno\nriga due", wxID_OK, true));
    }
    EXPECT_EQ(w->Records().At(1).boxText, "riga uno\nriga due");
    { wxTEST_DIALOG(Click(ID_TARGET_FLOW), ExpectText("Portata target", "0.000000", "450.5")); }
    EXPECT_FLOAT_EQ(w->Records().At(1).GetTargetFlow(), 450.5f);
    { wxTEST_DIALOG(Click(ID_TARGET_FLOW), ExpectText("Portata target", "450.500000", "abc")); }
    EXPECT_FLOAT_EQ(w->Records().At(1).GetTargetFlow(), 450.5f);
    // Text that only looks like a number to the C library is refused the same way.
    for (const char* text : {"inf", "nan", "1e999"}) {
        SCOPED_TRACE(text);
        w->Records().SetSaved(true);
        wxTEST_DIALOG(Click(ID_TARGET_FLOW), ExpectText("Portata target", "450.500000", text));
        EXPECT_FLOAT_EQ(w->Records().At(1).GetTargetFlow(), 450.5f);
        EXPECT_TRUE(w->Records().Saved());
    }
    { wxTEST_DIALOG(Click(ID_TARGET_FLOW), ExpectText("Portata target", "450.500000", "0")); }
    EXPECT_FALSE(w->Records().At(1).HasTargetFlow());
    EXPECT_EQ(w->Records().At(0).title, "R0");
}

TEST_F(RecordListTest, CancelChangesNothing) {
    MainFrame* w = OpenWith(2);
    Select(0);
    w->Records().SetSaved(true);
    {
        wxTEST_DIALOG(Click(ID_RENAME_RECORD),
                      ExpectText("Cambia il nome del titolo", "R0", "Nuovo", wxID_CANCEL));
    }
    EXPECT_EQ(w->Records().At(0).title, "R0");
    EXPECT_TRUE(w->Records().Saved());
    EXPECT_EQ(SelectedRow(), 0);
}

TEST_F(RecordListTest, ActivatingARowRenamesIt) {
    MainFrame* w = OpenWith(1);
    Select(0);
    wxListEvent event(wxEVT_LIST_ITEM_ACTIVATED, ID_RECORD_LIST);
    event.SetEventObject(w->Controls().recordList);
    event.m_itemIndex = 0;
    {
        wxTEST_DIALOG(w->Controls().recordList->GetEventHandler()->ProcessEvent(event),
                      ExpectText("Cambia il nome del titolo", "R0", "Attivato"));
    }
    EXPECT_EQ(w->Records().At(0).title, "Attivato");
}

// The row before the removed one (the first, when the first goes) becomes the one current record:
// selected, focused, shown, and the commands follow it; with no row left they are disabled.
TEST_F(RecordListTest, RemoveMakesThePreviousRowCurrent) {
    struct Case {
        int rows;
        int removed;
        int current;  // -1: none
        const char* shown;
    };
    const Case cases[] = {{5, 3, 2, "R2"}, {5, 0, 0, "R1"}, {5, 4, 3, "R3"}, {1, 0, -1, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows, removing " << c.removed);
        MainFrame* w = OpenWith(c.rows);
        Select(c.removed);
        w->Records().SetSaved(true);
        Click(ID_REMOVE_RECORD);
        guitest::Flush();
        ASSERT_EQ(w->Records().Size(), std::size_t(c.rows - 1));
        EXPECT_EQ(w->Controls().recordList->GetItemCount(), c.rows - 1);
        EXPECT_FALSE(w->Records().Saved());
        EXPECT_EQ(w->CurrentRow(), c.current);
        EXPECT_EQ(SelectedRow(), c.current);
        EXPECT_EQ(w->Graph().SelectedRecord(), c.current);
        EXPECT_EQ(w->Graph().FlowSeries()->name.BeforeFirst(' '), c.shown);
        EXPECT_EQ(CommandsEnabled(), c.current >= 0);
        if (c.current >= 0) {
            EXPECT_EQ(
                w->Controls().recordList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED),
                c.current);
        }
        w->Records().SetSaved(true);
        w->Destroy();
        ASSERT_TRUE(WaitClosed());
    }
}

TEST_F(RecordListTest, RemovingTheOnlyRecordLeavesAnEmptyList) {
    MainFrame* w = OpenWith(1);
    Select(0);
    Click(ID_REMOVE_RECORD);
    EXPECT_TRUE(w->Records().Empty());
    EXPECT_EQ(w->Controls().recordList->GetItemCount(), 0);
    Click(ID_REMOVE_RECORD);
    Click(ID_RENAME_RECORD);  // no current row: no dialog, nothing happens
    EXPECT_TRUE(w->Records().Empty());
}

}  // namespace
