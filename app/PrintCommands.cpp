// "Stampa grafico" (print, or preview from the tool button) and "stampa con anteprima".
#include <wx/print.h>

#include "app/MainFrame.h"
#include "plot/PlotPrinting.h"

void MainFrame::OnPrintPreview(wxCommandEvent&) {
    ShowPlotPreview(this, MakePlotPreview(c_.graph.plot));
}

void MainFrame::OnPrint(wxCommandEvent&) {
    wxPrintDialogData data = A4PrintDialogData();
    wxPrinter printer(&data);
    PrintPlot(this, printer, c_.graph.plot);
}
