// The spreadsheet export of the current record (CSV or Excel workbook) through the real file
// dialog, answered by the test.
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/listctrl.h>

#include "app/CommandIds.h"
#include "tests/gui/app/FileDialogExpectation.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"
#include "tests/gui/harness/RealFileChooser.h"

namespace {

const char kMessage[] = "Esportare su excel";
const char kWildcard[] = "Excel files (*.csv)|*.csv|Cartella di lavoro Excel (*.xlsx)|*.xlsx";
const char kDefaultName[] = "7_03_2011 9_05_30";
const char kCannotWrite[] =
    "Impossibile aprire il file excel: controllare che non sia in uso in un'altra applicazione";

// Answers the export dialog with a path and a file type (0 CSV, 1 workbook), after checking that
// it opened with the CSV type chosen.
class ExpectExport : public wxExpectModalBase<wxFileDialog, ExpectExport> {
public:
    ExpectExport(const wxString& path, int filterIndex) : path(path), filterIndex(filterIndex) {}

protected:
    int OnInvoked(wxFileDialog* dlg) const override {
        EXPECT_EQ(dlg->GetMessage(), kMessage);
        EXPECT_EQ(dlg->GetWildcard(), kWildcard);
        EXPECT_EQ(dlg->GetFilterIndex(), 0);
        dlg->SetFilterIndex(filterIndex);
        dlg->SetPath(path);
        // The GTK chooser takes a path set from code in the background.
        EXPECT_TRUE(guitest::WaitFor([&] { return dlg->GetPath() == path; }));
        return wxID_OK;
    }

private:
    wxString path;
    int filterIndex;
};

class ExportTest : public MainWindowTest {
protected:
    MainFrame* OpenWithSelection() {
        MainFrame* w = Open();
        w->Records().Append(MakeRecord("Primo"));
        w->Records().Append(MakeRecord("Secondo 100%"));
        w->RefreshRecordList();
        w->Controls().recordList->SetItemState(1, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                               wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        guitest::Flush();
        return w;
    }
    void Export(const wxString& path) {
        wxTEST_DIALOG(
            Command(ID_EXPORT_CSV),
            ExpectFile(kMessage, kWildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT, path, kDefaultName));
    }
    wxString InHome(const wxString& name) const { return wxFileName(home, name).GetFullPath(); }
    static wxString Contents(const wxString& path) {
        wxFFile f(path, "r");
        wxString text;
        if (f.IsOpened()) f.ReadAll(&text);
        return text;
    }
};

TEST_F(ExportTest, WritesTheCurrentRecordUnderTheChosenNameWithCsvAdded) {
    MainFrame* w = OpenWithSelection();
    w->Records().SetSaved(true);
    Export(InHome(kDefaultName));
    const wxString path = InHome(wxString(kDefaultName) + ".csv");
    ASSERT_TRUE(wxFileExists(path));
    const wxString text = Contents(path);
    EXPECT_NE(text.Find("Secondo 100%"), wxNOT_FOUND);
    EXPECT_EQ(text.Find("Primo"), wxNOT_FOUND);
    EXPECT_TRUE(w->Records().Saved());
}

TEST_F(ExportTest, APathEndingInCsvGetsNoSecondExtension) {
    OpenWithSelection();
    Export(InHome("prova.csv"));
    EXPECT_TRUE(wxFileExists(InHome("prova.csv")));
    EXPECT_FALSE(wxFileExists(InHome("prova.csv.csv")));
}

TEST_F(ExportTest, CancelWritesNothing) {
    OpenWithSelection();
    Export("");
    wxArrayString files;
    wxDir::GetAllFiles(home, &files, "*.csv");
    EXPECT_TRUE(files.empty());
}

TEST_F(ExportTest, AFileThatCannotBeWrittenIsReported) {
    OpenWithSelection();
    ASSERT_TRUE(wxMkdir(InHome("occupato.csv")));
    wxTEST_DIALOG(Command(ID_EXPORT_CSV),
                  ExpectFile(kMessage, kWildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT,
                             InHome("occupato"), kDefaultName),
                  ExpectMessage(kCannotWrite, "Message", wxID_OK, wxOK));
    EXPECT_TRUE(wxDirExists(InHome("occupato.csv")));
}

bool IsWorkbook(const wxString& path) {
    wxFFile f(path, "rb");
    char magic[4] = {};
    return f.IsOpened() && f.Read(magic, 4) == 4 && std::string(magic, 4) == "PK\x03\x04";
}

TEST_F(ExportTest, TheWorkbookTypeWritesAnXlsxFile) {
    MainFrame* w = OpenWithSelection();
    w->Records().SetSaved(true);
    wxTEST_DIALOG(Command(ID_EXPORT_CSV), ExpectExport(InHome(kDefaultName), 1));
    EXPECT_TRUE(IsWorkbook(InHome(wxString(kDefaultName) + ".xlsx")));
    EXPECT_FALSE(wxFileExists(InHome(wxString(kDefaultName) + ".csv")));
    EXPECT_TRUE(w->Records().Saved());
}

TEST_F(ExportTest, TheNamesExtensionWinsOverTheFileType) {
    OpenWithSelection();
    wxTEST_DIALOG(Command(ID_EXPORT_CSV), ExpectExport(InHome("cartella.xlsx"), 0));
    EXPECT_TRUE(IsWorkbook(InHome("cartella.xlsx")));
    EXPECT_FALSE(wxFileExists(InHome("cartella.xlsx.csv")));

    wxTEST_DIALOG(Command(ID_EXPORT_CSV), ExpectExport(InHome("testo.csv"), 1));
    EXPECT_NE(Contents(InHome("testo.csv")).Find("Secondo 100%"), wxNOT_FOUND);
    EXPECT_FALSE(wxFileExists(InHome("testo.csv.xlsx")));
}

// As a person does it: the toolkit's own chooser, a full path ending in ".xlsx" pasted.
TEST_F(ExportTest, APastedNameEndingInXlsxInTheRealChooserGivesAWorkbook) {
    OpenWithSelection();
    wxFileName::Mkdir(home + "/.local/share", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    ASSERT_TRUE(wxMkdir(InHome("altrove")));
    const wxString path = wxFileName(InHome("altrove"), "idrante.xlsx").GetFullPath();
    {
        guitest::RealFileChooser chooser(path);
        Command(ID_EXPORT_CSV);
        EXPECT_TRUE(chooser.Answered()) << "the chooser did not accept " << path;
    }
    EXPECT_TRUE(IsWorkbook(path));
    EXPECT_FALSE(wxFileExists(path + ".csv"));
}

TEST_F(ExportTest, AWorkbookThatCannotBeWrittenIsReportedAndTheOldFileKept) {
    OpenWithSelection();
    ASSERT_TRUE(wxMkdir(InHome("occupato.xlsx")));
    wxTEST_DIALOG(Command(ID_EXPORT_CSV), ExpectExport(InHome("occupato"), 1),
                  ExpectMessage(kCannotWrite, "Message", wxID_OK, wxOK));
    EXPECT_TRUE(wxDirExists(InHome("occupato.xlsx")));
}

TEST_F(ExportTest, WithoutACurrentRowDoesNothing) {
    MainFrame* w = Open();
    w->Records().Append(MakeRecord("Solo"));
    w->RefreshRecordList();
    Command(ID_EXPORT_CSV);  // an unexpected dialog would fail the test
    wxArrayString files;
    wxDir::GetAllFiles(home, &files, "*.csv");
    EXPECT_TRUE(files.empty());
}

}  // namespace
