// main() of the GUI test programs: the toolkit is started as an application would start it, then
// GoogleTest runs the tests on the GUI thread. Tests create their own windows.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

#include <cstdlib>

#include "tests/gui/harness/GuiTest.h"

namespace {

int g_unexpectedDialogs = 0;

// Last line of defence: a modal dialog that no wxTEST_DIALOG expects would wait forever for a
// click under Xvfb. Cancel it and fail the running test.
class CancelStrayDialogs : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dlg) override {
        if (guitest::RealDialogsAllowed()) return wxID_NONE;
        ++g_unexpectedDialogs;
        ADD_FAILURE() << "unexpected modal dialog \"" << dlg->GetTitle().utf8_string() << "\"";
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_string().c_str(), line)
        << "toolkit assertion in " << func.utf8_string() << ": " << cond.utf8_string() << " "
        << msg.utf8_string();
}

class TestApp : public wxApp {
public:
    bool OnInit() override {
        wxInitAllImageHandlers();
        return true;
    }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(TestApp);

int guitest::UnexpectedDialogs() { return g_unexpectedDialogs; }

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Accessibility bus and session bus are absent under Xvfb; keep GTK quiet about them.
    setenv("NO_AT_BRIDGE", "1", 0);
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "cannot start the toolkit (is DISPLAY set? run under xvfb-run)\n");
        return 2;
    }
    if (!wxTheApp->CallOnInit()) return 2;
    wxSetAssertHandler(FailOnAssert);
    delete wxLog::SetActiveTarget(&guitest::CapturedLog::Get());
    CancelStrayDialogs strays;
    strays.Register();
    const int rc = RUN_ALL_TESTS();
    strays.Unregister();
    wxLog::SetActiveTarget(nullptr);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}
