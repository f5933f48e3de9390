#include "tests/gui/app/MainWindowFixture.h"

#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/utils.h>

#include "app/Application.h"

void MainWindowTest::SetUp() {
    hadHome = wxGetEnv("HOME", &oldHome);
    home = wxFileName::CreateTempFileName(wxFileName::GetTempDir() + "/hvx-home-");
    ASSERT_FALSE(home.empty());
    wxRemoveFile(home);
    ASSERT_TRUE(wxMkdir(home));
    wxSetEnv("HOME", home);
    guitest::CapturedLog::Get().Clear();
}

void MainWindowTest::TearDown() {
    if (IsOpen()) {
        frame->Records().SetSaved(true);  // nothing left to ask about
        frame->Destroy();
        EXPECT_TRUE(WaitClosed());
    }
    EXPECT_TRUE(guitest::CapturedLog::Get().Errors().empty()) << "errors were logged";
    if (hadHome)
        wxSetEnv("HOME", oldHome);
    else
        wxUnsetEnv("HOME");
    wxFileName::Rmdir(home, wxPATH_RMDIR_RECURSIVE);
}

void MainWindowTest::WritePreferences(std::initializer_list<int> lines) {
    wxFFile out(home + "/hvxv48.ini", "w");
    ASSERT_TRUE(out.IsOpened());
    for (int v : lines) out.Write(wxString::Format("%d\n", v));
}

std::string MainWindowTest::PreferencesFile() const {
    wxFFile in(home + "/hvxv48.ini", "rb");
    if (!in.IsOpened()) return {};
    std::string bytes(static_cast<size_t>(in.Length()), '\0');
    in.Read(bytes.data(), bytes.size());
    return bytes;
}

bool MainWindowTest::PreferencesFileExists() const { return wxFileExists(home + "/hvxv48.ini"); }

MainFrame* MainWindowTest::Open() {
    MainFrame* window = Application::CreateMainWindow();
    window->Show(true);
    frame = window;
    guitest::Flush();
    return window;
}

void MainWindowTest::Command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(frame.get());
    frame->ProcessWindowEvent(event);
}

bool MainWindowTest::WaitClosed() {
    return guitest::WaitFor([this] { return !IsOpen(); });
}

std::vector<TipsDialog*> MainWindowTest::TipsDialogs() const {
    std::vector<TipsDialog*> out;
    if (!IsOpen()) return out;
    for (wxWindow* child : frame->GetChildren())
        if (auto* tips = dynamic_cast<TipsDialog*>(child); tips && !tips->IsBeingDeleted())
            out.push_back(tips);
    return out;
}
