#include <wx/menu.h>
#include <wx/msgdlg.h>

#include "app/MainFrame.h"
#include "data/Preferences.h"
#include "data/Units.h"

// Records already in the list keep the unit they were made in; only later records use the new one.
void MainFrame::OnFlowUnit(wxCommandEvent& event) {
    const int code = FlowUnitFromMenuId(event.GetId());
    if (code < 0) return;
    GlobalPreferences().flowUnit = static_cast<uint8_t>(code);
    UpdateFlowUnitChecks();
    // A shown record keeps its own labels; with none shown they name the new unit.
    SetAxisUnits(graph_->SelectedRecord());
    wxMessageBox(wxString::FromUTF8(
                     "Riavvaire l'applicazione per effettuare il cambio dell'unità di portata"),
                 "Message", wxOK);
}

void MainFrame::UpdateFlowUnitChecks() {
    wxMenuBar* bar = GetMenuBar();
    const int unit = GlobalPreferences().flowUnit;
    if (bar == nullptr) return;
    // An unknown unit (from a workspace file) checks no entry: none of them is true.
    for (int code = 0; code < kFlowUnitCount; ++code)
        bar->Check(FlowUnitMenuId(code), code == unit);
}
