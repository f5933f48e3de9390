#include <wx/menu.h>

#include "CommandIds.h"
#include "MainFrame.h"

void MainFrame::OnGraphCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
        case ID_ZOOM_IN: graph->ZoomIn(); break;
        case ID_ZOOM_OUT: graph->ZoomOut(); break;
        case ID_GRAPH_FLOW: graph->ToggleFlowView(); break;
        case ID_GRAPH_VOLUME: graph->ShowVolumeView(); break;
        case ID_GRAPH_PRESSURE: graph->TogglePressure(); break;
        case ID_MEASURE_FLOW: graph->ToggleMeasurePrimary(); break;
        case ID_MEASURE_PRESSURE: graph->ToggleMeasureSecond(); break;
        case ID_GRID: graph->ToggleGrid(); break;
        case ID_POINTS: graph->TogglePoints(); break;
        default: event.Skip(); break;
    }
}

void MainFrame::OnAbsoluteTime(wxCommandEvent&) {
    const bool on = graph->ToggleAbsoluteTime();
    if (wxMenuBar* bar = GetMenuBar()) bar->Check(ID_ABSOLUTE_TIME, on);
}

void MainFrame::OnMeasure(wxCommandEvent& event) { graph->OnMeasure(event); }

void MainFrame::OnTextBoxMoved(wxCommandEvent&) { graph->OnTextBoxMoved(); }
