#pragma once
// The print commands of the graph: preview and print of the plot window on A4 paper, with the
// message boxes of a failure.

class mpWindow;
class wxPreviewFrame;
class wxPrintPreviewBase;
class wxPrinterBase;
class wxPrintDialogData;
class wxWindow;

// Print dialog data for A4 paper.
wxPrintDialogData A4PrintDialogData();

// The preview of the plot: page "Primo" is shown, "Secondo" is printed from the preview.
wxPrintPreviewBase* MakePlotPreview(mpWindow* plot);

// Shows `preview` (which it takes) in the preview frame "Anteprima di stampa", not modal, above
// `parent`; a preview that is not usable is dropped and reported. Returns the frame or null.
wxPreviewFrame* ShowPlotPreview(wxWindow* parent, wxPrintPreviewBase* preview);

// Prints the plot with `printer`, its print dialog shown first; a printer error (not a cancel)
// is reported. True when the page was printed.
bool PrintPlot(wxWindow* parent, wxPrinterBase& printer, mpWindow* plot);
