// The file dialogs as a person uses them: the toolkit's own chooser, a full path pasted after
// Ctrl+L. The file lands where the path points, not in the folder the program started from.
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/listctrl.h>

#include "app/CommandIds.h"
#include "data/Workspace.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"
#include "tests/gui/harness/RealFileChooser.h"

namespace {

class FileChooserTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // The program starts in one folder; the person picks a file in another.
        startDir = Sub("avvio");
        elsewhere = Sub("altrove");
        oldCwd = wxGetCwd();
        ASSERT_TRUE(wxSetWorkingDirectory(startDir));
        // Where the chooser keeps its recent files, so that it has nothing to complain about.
        wxFileName::Mkdir(home + "/.local/share", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    }
    void TearDown() override {
        wxSetWorkingDirectory(oldCwd);
        MainWindowTest::TearDown();
    }
    wxString Sub(const wxString& name) {
        const wxString dir = wxFileName(home, name).GetFullPath();
        wxMkdir(dir);
        return dir;
    }
    // Runs the command and answers its file dialog through the real chooser.
    void ChooseThrough(int id, const wxString& path) {
        guitest::RealFileChooser chooser(path);
        Command(id);
        EXPECT_TRUE(chooser.Answered()) << "the chooser did not accept " << path;
    }
    wxString startDir, elsewhere, oldCwd;
};

TEST_F(FileChooserTest, OpenReadsThePastedPath) {
    Preferences prefs;
    std::vector<Storage> records{MakeRecord("Idrante ovest")};
    const wxString path = wxFileName(elsewhere, "lavoro.orv").GetFullPath();
    wxString error;
    ASSERT_TRUE(WriteWorkspace(path, records, &error)) << error;

    MainFrame* w = Open();
    ChooseThrough(ID_OPEN, path);
    EXPECT_TRUE(guitest::CapturedLog::Get().Errors().empty());
    ASSERT_EQ(w->Records().Size(), 1u);
    EXPECT_EQ(w->Records().At(0).title, "Idrante ovest");
    EXPECT_EQ(w->Records().Path(), path);
    EXPECT_EQ(w->GetTitle(), "lavoro.orv");
}

TEST_F(FileChooserTest, SaveAsWritesThePastedPath) {
    MainFrame* w = Open();
    w->Records().Append(MakeRecord("Idrante est"));
    w->RefreshRecordList();
    const wxString path = wxFileName(elsewhere, "nuovo").GetFullPath();
    ChooseThrough(ID_SAVE_AS, path);
    EXPECT_TRUE(wxFileExists(path + ".orv"));
    EXPECT_FALSE(wxFileExists(wxFileName(startDir, "nuovo.orv").GetFullPath()));
    EXPECT_EQ(w->Records().Path(), path + ".orv");
    EXPECT_TRUE(w->Records().Saved());
}

TEST_F(FileChooserTest, ExportWritesThePastedPath) {
    MainFrame* w = Open();
    w->Records().Append(MakeRecord("Idrante sud"));
    w->RefreshRecordList();
    w->Controls().recordList->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                           wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    // The dialog proposes a name from the record's date; the pasted path replaces it.
    const wxString path = wxFileName(elsewhere, "prova.csv").GetFullPath();
    ChooseThrough(ID_EXPORT_CSV, path);
    EXPECT_TRUE(wxFileExists(path));
    EXPECT_FALSE(wxFileExists(wxFileName(startDir, "prova.csv").GetFullPath()));
}

}  // namespace
