// "Colore della linea", "Stile della linea" and "Impostazioni filtro".
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "plot/FilterDialog.h"
#include "plot/LineColourChooser.h"
#include "plot/PenDialog.h"

namespace {

GraphView::Curve CurveOf(int id) {
    switch (id) {
        case ID_FLOW_COLOUR:
        case ID_FLOW_WIDTH:
            return GraphView::Curve::Flow;
        case ID_VOLUME_COLOUR:
        case ID_VOLUME_WIDTH:
            return GraphView::Curve::Volume;
        default:
            return GraphView::Curve::Pressure;
    }
}

}  // namespace

void MainFrame::OnLineColour(wxCommandEvent& event) {
    const std::optional<wxColour> chosen = ChooseLineColour(this, lineColour_);
    if (!chosen) return;
    lineColour_ = *chosen;
    graph_->SetCurveColour(CurveOf(event.GetId()), lineColour_);
}

void MainFrame::OnLineWidth(wxCommandEvent& event) {
    const GraphView::Curve curve = CurveOf(event.GetId());
    PenDialog dialog(this, graph_->CurveWidth(curve));
    if (dialog.ShowModal() != wxID_OK) return;
    // No entry selected (a width the program never sets) chooses nothing.
    if (dialog.GetWidth() == 0) return;
    graph_->SetCurveWidth(curve, dialog.GetWidth());
}

void MainFrame::OnFilterSettings(wxCommandEvent&) {
    FilterDialog dialog(this, records_.FilterWidth());
    if (dialog.ShowModal() != wxID_OK) return;
    records_.SetFilterWidth(dialog.GetHalfWidth());
    const int c = CurrentRow();
    if (c < 0) return;
    // A filtered record is smoothed again from its measured values with the new width; an
    // unfiltered one stays as it is.
    if (records_.FilterOn()) {
        records_.SetFilter(c, false);
        records_.SetFilter(c, true);
    }
    ShowRecord(c);
}
