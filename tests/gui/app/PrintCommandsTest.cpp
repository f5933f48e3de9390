// Print preview and print of the graph from the main window's menus and tool button.
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/print.h>
#include <wx/printdlg.h>

#include <cstdlib>

#include "app/CommandIds.h"
#include "plot/MyPrintout.h"
#include "plot/PlotPrinting.h"
#include "plot/mpWindow.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"
#include "tests/gui/harness/RealPrintDialog.h"
#include "tests/gui/plot/PlotFixture.h"

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

// A whole PDF: the print job writes the file after the dialog has closed.
bool WholePdf(const wxString& path) {
    if (!wxFileExists(path)) return false;
    wxFFile file(path, "rb");
    if (!file.IsOpened() || file.Length() < 64) return false;
    char tail[64] = {};
    file.Seek(-64, wxFromEnd);
    const size_t n = file.Read(tail, sizeof tail);
    return wxString::From8BitData(tail, n).Contains("%%EOF");
}

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
                      w, new UnusablePreview(new MyPrintout("Primo", w->Controls().graph.plot))),
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
    wxTEST_DIALOG(EXPECT_FALSE(PrintPlot(w, broken, w->Controls().graph.plot)),
                  ExpectMessage(wxString::FromUTF8(kTrouble), "Stampa", wxID_OK, wxOK));
    EXPECT_EQ(broken.title, "Stampata");

    FailingPrinter cancelled(wxPRINTER_CANCELLED);
    EXPECT_FALSE(PrintPlot(w, cancelled,
                           w->Controls().graph.plot));  // an unexpected message box fails the test
}

// The toolkit's own print dialog, driven with keys like a person: the printer "Print to File",
// the file named in its chooser, Print. What lands in the file is the page: Ghostscript turns it
// into pixels that show the heading and the curve where the screen has it.
TEST_F(PrintCommandsTest, PrintingToAFileThroughTheRealDialogWritesThePageAsOnScreen) {
    ASSERT_EQ(std::system("gs --version >/dev/null 2>&1"), 0)
        << "Ghostscript (gs) turns the page into pixels: run scripts/setup";
    MainFrame* w = OpenWithRecord();
    // Where the toolkit's choosers keep their recent files, so that they have nothing to report.
    wxFileName::Mkdir(home + "/.local/share", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    mpWindow* plot = w->Controls().graph.plot;
    plot->Refresh();
    plot->Update();
    const wxImage screen = plot->CaptureBitmap().ConvertToImage();
    const wxRect whole(wxPoint(0, 0), screen.GetSize());
    ASSERT_GT(CountPixels(screen, whole, IsBlueish), 200);

    const wxString pdf = wxFileName(home, "pagina.pdf").GetFullPath();
    {
        // A page printed before the name reached the dialog lands in the working folder.
        struct InHome {
            explicit InHome(const wxString& dir) : old(wxGetCwd()) { wxSetWorkingDirectory(dir); }
            ~InHome() { wxSetWorkingDirectory(old); }
            wxString old;
        } inHome(home);
        guitest::RealPrintDialog dialog(pdf);
        Command(ID_PRINT);  // a printer error would fail the test with its message box
        ASSERT_TRUE(dialog.Answered());
    }
    ASSERT_TRUE(guitest::WaitFor([&] { return WholePdf(pdf); }, std::chrono::seconds(20)))
        << "no page in " << pdf;

    const wxString png = wxFileName(home, "pagina.png").GetFullPath();
    const wxString command =
        "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r144 -sOutputFile=" + png + " " + pdf;
    ASSERT_EQ(std::system(command.utf8_string().c_str()), 0) << command;
    wxImage page;
    ASSERT_TRUE(page.LoadFile(png, wxBITMAP_TYPE_PNG));
    // One A4 page at 144 dots per inch.
    EXPECT_NEAR(page.GetWidth(), 1191, 2);
    EXPECT_NEAR(page.GetHeight(), 1684, 2);

    const double k = double(page.GetWidth()) / screen.GetWidth();
    const double top = PageTop(screen, page.GetHeight(), k);
    EXPECT_GT(ShareFoundOnPage(screen, page, k, top, 4, IsBlueish), 0.9);
    // The heading is dark text near the top-left corner, above the plot; the paper around it white.
    const auto dark = [](const wxColour& c) { return c.Red() + c.Green() + c.Blue() < 200; };
    EXPECT_GT(CountPixels(page, wxRect(0, 0, page.GetWidth() / 2, 80), dark), 100);
    EXPECT_EQ(CountPixels(page, wxRect(0, 100, page.GetWidth(), int(top) - 120), dark), 0);
}

}  // namespace
