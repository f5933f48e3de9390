// Print preview and print of the graph from the main window's menus and tool button.
#include <wx/print.h>
#include <wx/printdlg.h>

#include "app/CommandIds.h"
#include "plot/MyPrintout.h"
#include "plot/PlotPrinting.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"

namespace {

const char kTrouble[] =
    "C'\u00e8 un errore nella prestampa. \nForse la stampante corrente non \u00e8 impostata "
    "correttamente";

// The toolkit's print dialog, answered with Cancel (the native dialog runs its own print job when
// it is confirmed, which no test hook can stand in for).
class CancelPrintDialog : public wxExpectModalBase<wxPrintDialogBase, CancelPrintDialog> {
protected:
    int OnInvoked(wxPrintDialogBase* dlg) const override {
        const wxPrintData& paper = dlg->GetPrintDialogData().GetPrintData();
        EXPECT_EQ(paper.GetPaperId(), wxPAPER_A4);
        return wxID_CANCEL;
    }
    wxString GetDefaultDescription() const override { return "print dialog"; }
};

// A toolkit printer whose printer fails, or whose user cancels, after the page was prepared.
class FailingPrinter : public wxPrinterBase {
public:
    explicit FailingPrinter(wxPrinterError error) : error_(error) {}
    bool Print(wxWindow*, wxPrintout* printout, bool prompt) override {
        EXPECT_TRUE(prompt);
        title = printout->GetTitle();
        sm_lastError = error_;
        return false;
    }
    wxDC* PrintDialog(wxWindow*) override { return nullptr; }
    bool Setup(wxWindow*) override { return false; }
    wxString title;

private:
    wxPrinterError error_;
};

// A preview the toolkit could not set up (no usable printer).
class UnusablePreview : public wxPrintPreview {
public:
    explicit UnusablePreview(wxPrintout* page) : wxPrintPreview(page) {}
    bool IsOk() const override { return false; }
};

class PrintCommandsTest : public MainWindowTest {
protected:
    MainFrame* OpenWithRecord() {
        MainFrame* w = Open();
        w->Records().Append(MakeRecord("Stampa", 1, 0, 'p', 40));
        w->RefreshRecordList();
        w->ShowRecord(0);
        guitest::Flush();
        return w;
    }
    std::vector<wxPreviewFrame*> PreviewFrames() const {
        std::vector<wxPreviewFrame*> out;
        for (wxWindow* child : frame->GetChildren())
            if (auto* f = dynamic_cast<wxPreviewFrame*>(child); f && !f->IsBeingDeleted())
                out.push_back(f);
        return out;
    }
    void Click(int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(frame->Controls().panel->FindWindow(id));
        frame->ProcessWindowEvent(event);
    }
};

TEST_F(PrintCommandsTest, TheMenuEntryAndTheToolButtonOpenThePreview) {
    MainFrame* w = OpenWithRecord();
    for (const bool button : {false, true}) {
        SCOPED_TRACE(button ? "tool button" : "menu entry");
        if (button)
            Click(ID_PRINT_BUTTON);
        else
            Command(ID_PRINT_PREVIEW);
        const std::vector<wxPreviewFrame*> frames = PreviewFrames();
        ASSERT_EQ(frames.size(), 1u);
        wxPreviewFrame* f = frames[0];
        EXPECT_EQ(f->GetTitle(), "Anteprima di stampa");
        EXPECT_EQ(f->GetParent(), w);
        EXPECT_TRUE(f->IsShown());
        EXPECT_TRUE(f->HasFlag(wxFRAME_FLOAT_ON_PARENT));
        EXPECT_TRUE(f->HasFlag(wxRESIZE_BORDER));
        EXPECT_EQ(f->GetPosition(), wxPoint(100, 100));
        // 600 x 650, or as wide as the theme's preview buttons need.
        EXPECT_EQ(f->GetSize().y, 650);
        EXPECT_EQ(f->GetSize().x, std::max(600, f->GetMinSize().x));
        // Not modal: the main window still takes commands.
        EXPECT_TRUE(w->IsEnabled());

        wxPrintPreviewBase* preview = nullptr;
        for (wxWindow* child : f->GetChildren())
            if (auto* bar = dynamic_cast<wxPreviewControlBar*>(child))
                preview = bar->GetPrintPreview();
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->GetPrintout()->GetTitle(), "Primo");
        EXPECT_EQ(preview->GetPrintoutForPrinting()->GetTitle(), "Secondo");
        EXPECT_EQ(preview->GetMinPage(), 1);
        EXPECT_EQ(preview->GetMaxPage(), 1);
        EXPECT_EQ(preview->GetCurrentPage(), 1);
        f->Close(true);
        ASSERT_TRUE(guitest::WaitFor([&] { return PreviewFrames().empty(); }));
    }
}

TEST_F(PrintCommandsTest, AnUnusablePreviewIsReportedAndShowsNothing) {
    MainFrame* w = OpenWithRecord();
    wxPreviewFrame* shown = nullptr;
    wxTEST_DIALOG(shown = ShowPlotPreview(
                      w, new UnusablePreview(new MyPrintout("Primo", w->Controls().plot))),
                  ExpectMessage(wxString::FromUTF8(kTrouble), "Anteprima", wxID_OK, wxOK));
    EXPECT_EQ(shown, nullptr);
    EXPECT_TRUE(PreviewFrames().empty());
}

TEST_F(PrintCommandsTest, PrintShowsThePrintDialogAndACancelShowsNothingElse) {
    OpenWithRecord();
    wxTEST_DIALOG(Command(ID_PRINT), CancelPrintDialog());
}

TEST_F(PrintCommandsTest, APrinterErrorIsReportedButACancelIsNot) {
    MainFrame* w = OpenWithRecord();
    FailingPrinter broken(wxPRINTER_ERROR);
    wxTEST_DIALOG(EXPECT_FALSE(PrintPlot(w, broken, w->Controls().plot)),
                  ExpectMessage(wxString::FromUTF8(kTrouble), "Stampa", wxID_OK, wxOK));
    EXPECT_EQ(broken.title, "Stampata");

    FailingPrinter cancelled(wxPRINTER_CANCELLED);
    EXPECT_FALSE(
        PrintPlot(w, cancelled, w->Controls().plot));  // an unexpected message box fails the test
}

}  // namespace
