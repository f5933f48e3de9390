#include <wx/menu.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"

namespace {

struct GraphCommand {
    int id;
    void (GraphView::*run)();
};

constexpr GraphCommand kGraphCommands[] = {
    {ID_ZOOM_IN, &GraphView::ZoomIn},
    {ID_ZOOM_OUT, &GraphView::ZoomOut},
    {ID_GRAPH_FLOW, &GraphView::ToggleFlowView},
    {ID_GRAPH_VOLUME, &GraphView::ShowVolumeView},
    {ID_GRAPH_PRESSURE, &GraphView::TogglePressure},
    {ID_MEASURE_FLOW, &GraphView::ToggleMeasurePrimary},
    {ID_MEASURE_PRESSURE, &GraphView::ToggleMeasureSecond},
    {ID_GRID, &GraphView::ToggleGrid},
    {ID_POINTS, &GraphView::TogglePoints},
};

}  // namespace

void MainFrame::OnGraphCommand(wxCommandEvent& event) {
    for (const GraphCommand& c : kGraphCommands) {
        if (c.id != event.GetId()) continue;
        (graph_.get()->*c.run)();
        return;
    }
    event.Skip();
}

void MainFrame::OnAbsoluteTime(wxCommandEvent&) {
    const bool on = graph_->ToggleAbsoluteTime();
    if (wxMenuBar* bar = GetMenuBar()) bar->Check(ID_ABSOLUTE_TIME, on);
}

void MainFrame::OnMeasure(wxCommandEvent& event) { graph_->OnMeasure(event); }

void MainFrame::OnTextBoxMoved(wxCommandEvent&) { graph_->OnTextBoxMoved(); }
