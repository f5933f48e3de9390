// Opening and saving the workspace through the real file dialogs, answered by the test.
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/listctrl.h>

#include "app/CommandIds.h"
#include "data/Workspace.h"
#include "tests/gui/app/FileDialogExpectation.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"
#include "tests/gui/harness/ExpectMessage.h"

namespace {

const char kSaveMessage[] = "Salva i dialoghi dello spazio di lavoro";
const char kSaveWildcard[] = "HVX files (*.orv)|*.orv||";
const char kOpenMessage[] = "Apri spazio di lavoro ORV HVX ";
const char kOpenWildcard[] = "ORV files (*.orv)|*.orv";

class WorkspaceTest : public MainWindowTest {
protected:
    MainFrame* OpenWithRecords() {
        MainFrame* w = Open();
        w->Records().Append(MakeRecord("Idrante nord"));
        Storage second = MakeRecord("Idrante sud", 1, 0, 'b', 4);
        second.boxText = "prima riga\nseconda";
        second.SetTargetFlow(120.5f);
        w->Records().Append(second);
        w->RefreshRecordList();
        return w;
    }
    void SaveAs(const wxString& path) {
        wxTEST_DIALOG(Command(ID_SAVE_AS), ExpectFile(kSaveMessage, kSaveWildcard,
                                                      wxFD_SAVE | wxFD_OVERWRITE_PROMPT, path));
    }
    void OpenFile(const wxString& path) {
        wxTEST_DIALOG(Command(ID_OPEN), ExpectFile(kOpenMessage, kOpenWildcard, wxFD_OPEN, path));
    }
    wxString InHome(const wxString& name) const { return wxFileName(home, name).GetFullPath(); }
};

TEST_F(WorkspaceTest, SaveAsThenOpenGivesTheRecordsBack) {
    MainFrame* w = OpenWithRecords();
    const std::vector<Storage> before = w->Records().Records();
    SaveAs(InHome("lavoro"));
    EXPECT_TRUE(wxFileExists(InHome("lavoro.orv")));
    EXPECT_EQ(w->Records().Path(), InHome("lavoro.orv"));
    EXPECT_TRUE(w->Records().Saved());
    EXPECT_EQ(w->GetTitle(), "lavoro");

    w->Records().ReplaceAll({});
    w->RefreshRecordList();
    w->Records().SetSaved(false);
    OpenFile(InHome("lavoro.orv"));
    ASSERT_EQ(w->Records().Size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(w->Records().At(i).title, before[i].title);
        EXPECT_EQ(w->Records().At(i).dateText, before[i].dateText);
        EXPECT_EQ(w->Records().At(i).info, before[i].info);
        EXPECT_EQ(w->Records().At(i).boxText, before[i].boxText);
        EXPECT_FLOAT_EQ(w->Records().At(i).GetTargetFlow(), before[i].GetTargetFlow());
        EXPECT_EQ(w->Records().At(i).GetLength(), before[i].GetLength());
        EXPECT_EQ(w->Records().At(i).GetSerial(), before[i].GetSerial());
        EXPECT_NEAR(w->Records().At(i).GetLastVolume(), before[i].GetLastVolume(), 1e-5);
    }
    EXPECT_EQ(w->Controls().recordList->GetItemCount(), 2);
    EXPECT_EQ(w->Controls().recordList->GetItemText(1, 0), "Idrante sud");
    EXPECT_TRUE(w->Records().Saved());
    EXPECT_EQ(w->GetTitle(), "lavoro.orv");
    EXPECT_TRUE(guitest::CapturedLog::Get().Errors().empty());
}

TEST_F(WorkspaceTest, SaveWritesToTheKnownFileWithoutAsking) {
    MainFrame* w = OpenWithRecords();
    SaveAs(InHome("lavoro.orv"));
    EXPECT_EQ(w->Records().Path(), InHome("lavoro.orv"));  // no second extension
    w->Records().Rename(0, "Cambiato");
    Command(ID_SAVE);  // an unexpected dialog would fail the test
    EXPECT_TRUE(w->Records().Saved());
    Preferences prefs;
    const WorkspaceReadResult back = ReadWorkspace(InHome("lavoro.orv"), prefs);
    ASSERT_TRUE(back.Ok()) << back.error;
    EXPECT_EQ(back.records[0].title, "Cambiato");
}

// Records the file type the save dialog opens with, then cancels it.
class ExpectSaveFilterIndex : public wxExpectModalBase<wxFileDialog, ExpectSaveFilterIndex> {
public:
    explicit ExpectSaveFilterIndex(int* index) : index_(index) {}

protected:
    int OnInvoked(wxFileDialog* dlg) const override {
        *index_ = dlg->GetFilterIndex();
        return wxID_CANCEL;
    }

private:
    int* index_;
};

TEST_F(WorkspaceTest, SaveDialogsOpenWithTheWorkspaceFileTypeSelected) {
    OpenWithRecords();
    for (int id : {ID_SAVE, ID_SAVE_AS}) {
        int index = -1;
        wxTEST_DIALOG(Command(id), ExpectSaveFilterIndex(&index));
        EXPECT_EQ(index, 0) << "command " << id;
    }
}

TEST_F(WorkspaceTest, CancelledDialogsChangeNothing) {
    MainFrame* w = OpenWithRecords();
    const wxString caption = w->GetTitle();
    {
        wxTEST_DIALOG(Command(ID_SAVE), ExpectFile(kSaveMessage, kSaveWildcard,
                                                   wxFD_SAVE | wxFD_OVERWRITE_PROMPT, ""));
    }
    EXPECT_FALSE(w->Records().Saved());
    EXPECT_TRUE(w->Records().Path().empty());
    OpenFile("");
    EXPECT_EQ(w->Records().Size(), 2u);
    EXPECT_EQ(w->GetTitle(), caption);
}

TEST_F(WorkspaceTest, ADamagedFileKeepsTheRecordsAndLogsTheError) {
    MainFrame* w = OpenWithRecords();
    SaveAs(InHome("buono"));
    ASSERT_TRUE(w->Records().Saved());
    wxFFile bad(InHome("rotto.orv"), "w");
    ASSERT_TRUE(bad.Write(wxString("480000\n5\nTitolo\n")));
    bad.Close();
    guitest::CapturedLog::Get().Clear();
    OpenFile(InHome("rotto.orv"));
    EXPECT_FALSE(guitest::CapturedLog::Get().Errors().empty());
    ASSERT_EQ(w->Records().Size(), 2u);
    EXPECT_EQ(w->Records().At(0).title, "Idrante nord");
    EXPECT_EQ(w->Controls().recordList->GetItemCount(), 2);
    EXPECT_EQ(w->Records().Path(), InHome("buono.orv"));
    EXPECT_EQ(w->GetTitle(), "buono");
    EXPECT_TRUE(w->Records().Saved());
    guitest::CapturedLog::Get().Clear();
}

TEST_F(WorkspaceTest, AFileCutShortOpensItsWholeRecordsAndSaveAsksForAName) {
    MainFrame* w = OpenWithRecords();
    SaveAs(InHome("buono"));
    // A copy that stopped right after the second record's title.
    wxString whole;
    ASSERT_TRUE(wxFFile(InHome("buono.orv")).ReadAll(&whole));
    const wxString cut = whole.Left(whole.find("Idrante sud\n") + 12);
    {
        wxFFile out(InHome("rotto.orv"), "w");
        ASSERT_TRUE(out.Write(cut));
    }
    w->Records().ReplaceAll({});
    w->RefreshRecordList();
    w->Records().SetSaved(true);
    guitest::CapturedLog::Get().Clear();

    wxTEST_DIALOG(
        Command(ID_OPEN), ExpectFile(kOpenMessage, kOpenWildcard, wxFD_OPEN, InHome("rotto.orv")),
        ExpectMessage(wxString::FromUTF8(
                          "Il file \"rotto.orv\" è danneggiato: il record 2 (\"Idrante sud\") non "
                          "è integro ed è stato escluso.\n"
                          "È stato aperto il record integro che lo precede.\n"
                          "Per non sovrascrivere il file danneggiato, il salvataggio chiederà un "
                          "nuovo nome.\n\n"
                          "Damaged workspace file: it ends after line 25 in record 2, where the "
                          "date should be"),
                      "Spazio di lavoro danneggiato", wxID_OK, wxOK | wxICON_WARNING));
    EXPECT_TRUE(guitest::CapturedLog::Get().Errors().empty());
    wxListCtrl* list = w->Controls().recordList;
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetItemText(0, 0), "Idrante nord");
    ASSERT_EQ(w->Records().Size(), 1u);
    EXPECT_EQ(w->Records().At(0).GetLength(), 10);
    EXPECT_FALSE(w->Records().Saved());
    EXPECT_TRUE(w->Records().Path().empty());

    // Save asks for a name; the damaged file stays as it was.
    wxTEST_DIALOG(Command(ID_SAVE),
                  ExpectFile(kSaveMessage, kSaveWildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT,
                             InHome("recuperato")));
    EXPECT_EQ(w->Records().Path(), InHome("recuperato.orv"));
    EXPECT_TRUE(w->Records().Saved());
    wxString after;
    ASSERT_TRUE(wxFFile(InHome("rotto.orv")).ReadAll(&after));
    EXPECT_EQ(after, cut);
    Preferences prefs;
    const WorkspaceReadResult back = ReadWorkspace(InHome("recuperato.orv"), prefs);
    ASSERT_TRUE(back.Ok()) << back.error;
    EXPECT_FALSE(back.Damaged());
    ASSERT_EQ(back.records.size(), 1u);
    EXPECT_EQ(back.records[0].title, "Idrante nord");
}

TEST_F(WorkspaceTest, AFailedWriteIsLoggedAndLeavesTheWorkspaceUnsaved) {
    MainFrame* w = OpenWithRecords();
    // A folder where the file should go cannot be replaced by it.
    ASSERT_TRUE(wxMkdir(InHome("lavoro.orv")));
    const wxString caption = w->GetTitle();
    guitest::CapturedLog::Get().Clear();
    SaveAs(InHome("lavoro"));
    EXPECT_FALSE(guitest::CapturedLog::Get().Errors().empty());
    EXPECT_FALSE(w->Records().Saved());
    EXPECT_TRUE(w->Records().Path().empty());
    EXPECT_EQ(w->GetTitle(), caption);
    EXPECT_EQ(w->Records().Size(), 2u);
    guitest::CapturedLog::Get().Clear();
}

TEST_F(WorkspaceTest, ErrorBoxesCarryTheProgramsDisplayName) {
    Open();
    // The toolkit's own error log, as the program runs without the test's capture.
    wxLog* previous = wxLog::SetActiveTarget(new wxLogGui);
    wxLogError("Errore di prova");
    wxTEST_DIALOG(wxLog::FlushActive(), ExpectMessage("Errore di prova", "HVX Monitor Error"));
    delete wxLog::SetActiveTarget(previous);
}

}  // namespace
