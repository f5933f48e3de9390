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
    const std::optional<wxColour> chosen = ChooseLineColour(this, lineColour);
    if (!chosen) return;
    lineColour = *chosen;
    graph->SetCurveColour(CurveOf(event.GetId()), lineColour);
}

void MainFrame::OnLineWidth(wxCommandEvent& event) {
    const GraphView::Curve curve = CurveOf(event.GetId());
    PenDialog dialog(this, graph->CurveWidth(curve));
    if (dialog.ShowModal() != wxID_OK) return;
    // No entry selected (a width the program never sets) chooses nothing.
    if (dialog.GetWidth() == 0) return;
    graph->SetCurveWidth(curve, dialog.GetWidth());
}

void MainFrame::OnFilterSettings(wxCommandEvent&) {
    FilterDialog dialog(this, filterWidth);
    if (dialog.ShowModal() != wxID_OK) return;
    filterWidth = dialog.GetHalfWidth();
    const int c = CurrentRow();
    if (c < 0) return;
    // Back to the measured values, then through the filter button's own path: a filtered record
    // is smoothed again with the new width, an unfiltered one stays as it is.
    records[std::size_t(c)].Smooth(false, filterWidth);
    filterOn = !filterOn;
    ToggleFilter();
}
