// "cattura": the graph saved as a BMP, PNG or SVG picture through the real file dialog.
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/image.h>

#include "app/CommandIds.h"
#include "tests/gui/app/FileDialogExpectation.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"
#include "tests/gui/harness/RealFileChooser.h"

namespace {

const wxString kMessage = wxString::FromUTF8("Salva l'immagine come…");
const char kWildcard[] =
    "immagine file (*.bmp)|*.bmp|immagine PNG (*.png)|*.png|disegno SVG (*.svg)|*.svg";
const long kStyle = wxFD_SAVE | wxFD_OVERWRITE_PROMPT;

class PictureTest : public MainWindowTest {
protected:
    // The window with a record on the graph, painted; with `measure`, the flow cursor is on and
    // the plot was clicked at column kClickX, so the screen shows the crosshair and the marker.
    MainFrame* OpenWithGraph(bool measure) {
        MainFrame* w = Open();
        w->Records().Append(MakeRecord("Prova", 1, 0, 'p', 40));
        w->RefreshRecordList();
        w->ShowRecord(0);
        mpWindow* plot = w->Controls().graph.plot;
        if (measure) {
            Click(ID_MEASURE_FLOW);
            wxMouseEvent e(wxEVT_LEFT_DOWN);
            e.m_x = kClickX;
            e.m_y = plot->GetClientSize().y / 2;
            e.m_leftDown = true;
            e.SetEventObject(plot);
            plot->GetEventHandler()->ProcessEvent(e);
        }
        plot->Refresh();
        plot->Update();
        guitest::Flush();
        return w;
    }
    void Click(int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(frame->Controls().panel->FindWindow(id));
        frame->ProcessWindowEvent(event);
    }
    void SavePicture(const wxString& path) {
        wxTEST_DIALOG(Click(ID_SAVE_IMAGE), ExpectFile(kMessage, kWildcard, kStyle, path));
    }
    wxString InHome(const wxString& name) const { return wxFileName(home, name).GetFullPath(); }
    static wxString Contents(const wxString& path) {
        wxFFile f(path, "r");
        wxString text;
        if (f.IsOpened()) f.ReadAll(&text);
        return text;
    }
    // The pixels in the column at kClickX drawn in the crosshair's grey.
    static int GreyInClickColumn(const wxImage& img) {
        int n = 0;
        for (int y = 0; y < img.GetHeight(); ++y)
            if (img.GetRed(kClickX, y) == 128 && img.GetGreen(kClickX, y) == 128 &&
                img.GetBlue(kClickX, y) == 128)
                ++n;
        return n;
    }
    static constexpr int kClickX = 211;
};

TEST_F(PictureTest, BitmapsHoldTheWindowsPixelsAtItsSize) {
    const struct {
        const char* name;
        wxBitmapType type;
        bool measure;
    } cases[] = {
        {"grafico.bmp", wxBITMAP_TYPE_BMP, false},
        {"grafico.png", wxBITMAP_TYPE_PNG, false},
        {"misura.bmp", wxBITMAP_TYPE_BMP, true},
        {"misura.png", wxBITMAP_TYPE_PNG, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainFrame* w = OpenWithGraph(c.measure);
        mpWindow* plot = w->Controls().graph.plot;
        const wxString path = InHome(c.name);
        SavePicture(path);
        wxImage saved;
        ASSERT_TRUE(saved.LoadFile(path, c.type));
        EXPECT_EQ(saved.GetSize(), plot->GetClientSize());
        EXPECT_TRUE(SamePixels(wxBitmap(saved), plot->CaptureBitmap()));
        // The crosshair runs down the clicked column when measuring, and only then.
        if (c.measure)
            EXPECT_GT(GreyInClickColumn(saved), saved.GetHeight() / 2);
        else
            EXPECT_LT(GreyInClickColumn(saved), saved.GetHeight() / 2);
        frame->Destroy();
        WaitClosed();
    }
}

TEST_F(PictureTest, ANameWithoutExtensionGetsTheDefaultBmp) {
    MainFrame* w = OpenWithGraph(false);
    SavePicture(InHome("grafico"));
    wxImage saved;
    ASSERT_TRUE(saved.LoadFile(InHome("grafico.bmp"), wxBITMAP_TYPE_BMP));
    EXPECT_EQ(saved.GetSize(), w->Controls().graph.plot->GetClientSize());
}

TEST_F(PictureTest, SvgDrawsTheCurvesAsVectorsAtTheWindowsSize) {
    MainFrame* w = OpenWithGraph(false);
    const wxSize size = w->Controls().graph.plot->GetClientSize();
    SavePicture(InHome("grafico.svg"));
    const wxString svg = Contents(InHome("grafico.svg"));
    EXPECT_TRUE(svg.StartsWith("<?xml")) << svg.Left(200);
    // One user unit per screen pixel.
    EXPECT_TRUE(svg.Contains(wxString::Format("viewBox=\"0 0 %d %d\"", size.x, size.y)))
        << svg.Left(600);
    EXPECT_TRUE(svg.Contains("<path") || svg.Contains("<polyline") || svg.Contains("<line"));
    // The flow curve's blue, as on screen.
    EXPECT_TRUE(svg.Contains("#0000FF") || svg.Contains("rgb(0, 0, 255)")) << svg.Left(2000);
    EXPECT_TRUE(svg.EndsWith("</svg>\n") || svg.EndsWith("</svg>")) << svg.Right(100);
}

TEST_F(PictureTest, APictureThatCannotBeWrittenIsReported) {
    const struct {
        const char* name;
    } cases[] = {{"occupato.bmp"}, {"occupato.png"}, {"occupato.svg"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenWithGraph(false);
        // A folder where the file should go.
        const wxString path = InHome(c.name);
        ASSERT_TRUE(wxMkdir(path));
        wxTEST_DIALOG(Click(ID_SAVE_IMAGE), ExpectFile(kMessage, kWildcard, kStyle, path),
                      ExpectMessage("Impossibile salvare l'immagine:\n" + path, "cattura", wxID_OK,
                                    wxOK | wxICON_ERROR));
        EXPECT_TRUE(wxDirExists(path));
        frame->Destroy();
        WaitClosed();
    }
}

TEST_F(PictureTest, CancelWritesNothing) {
    OpenWithGraph(false);
    SavePicture("");
    wxArrayString files;
    wxDir::GetAllFiles(home, &files, "grafico*");
    EXPECT_TRUE(files.empty());
}

TEST_F(PictureTest, ThePathPastedInTheChooserIsWritten) {
    MainFrame* w = OpenWithGraph(true);
    wxFileName::Mkdir(home + "/.local/share", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    const wxString dir = InHome("altrove");
    ASSERT_TRUE(wxMkdir(dir));
    const wxString path = wxFileName(dir, "grafico.png").GetFullPath();
    {
        guitest::RealFileChooser chooser(path);
        Click(ID_SAVE_IMAGE);
        EXPECT_TRUE(chooser.Answered()) << "the chooser did not accept " << path;
    }
    wxImage saved;
    ASSERT_TRUE(saved.LoadFile(path, wxBITMAP_TYPE_PNG));
    EXPECT_TRUE(SamePixels(wxBitmap(saved), w->Controls().graph.plot->CaptureBitmap()));
}

}  // namespace
