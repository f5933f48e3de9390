#include "plot/PlotPrinting.h"

#include <wx/cmndata.h>
#include <wx/msgdlg.h>
#include <wx/print.h>

#include "plot/MyPrintout.h"

namespace {

const char kPrinterTrouble[] =
    "C'\u00e8 un errore nella prestampa. \nForse la stampante corrente non \u00e8 impostata "
    "correttamente";

}  // namespace

wxPrintDialogData A4PrintDialogData() {
    wxPrintData paper;
    paper.SetPaperId(wxPAPER_A4);
    return wxPrintDialogData(paper);
}

wxPrintPreviewBase* MakePlotPreview(mpWindow* plot) {
    wxPrintDialogData data = A4PrintDialogData();
    return new wxPrintPreview(new MyPrintout("Primo", plot), new MyPrintout("Secondo", plot),
                              &data);
}

wxPreviewFrame* ShowPlotPreview(wxWindow* parent, wxPrintPreviewBase* preview) {
    if (!preview->IsOk()) {
        delete preview;
        wxMessageBox(wxString::FromUTF8(kPrinterTrouble), "Anteprima", wxOK, parent);
        return nullptr;
    }
    auto* frame =
        new wxPreviewFrame(preview, parent, "Anteprima di stampa", wxPoint(100, 100),
                           wxSize(600, 650), wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT);
    // The toolkit would disable the main window while the preview is open.
    frame->InitializeWithModality(wxPreviewFrame_NonModal);
    frame->Show(true);
    return frame;
}

bool PrintPlot(wxWindow* parent, wxPrinterBase& printer, mpWindow* plot) {
    MyPrintout printout("Stampata", plot);
    if (printer.Print(parent, &printout, true)) return true;
    if (wxPrinterBase::GetLastError() == wxPRINTER_ERROR)
        wxMessageBox(wxString::FromUTF8(kPrinterTrouble), "Stampa", wxOK, parent);
    return false;
}
