#include <wx/menu.h>
#include <wx/msgdlg.h>

#include "CommandIds.h"
#include "MainFrame.h"
#include "Preferences.h"

// Records already in the list keep the unit they were made in; only later records use the new one.
void MainFrame::OnFlowUnit(wxCommandEvent& event) {
    const int code = FlowUnitOfMenuId(event.GetId());
    if (code < 0) return;
    GlobalPreferences().flowUnit = static_cast<uint8_t>(code);
    UpdateFlowUnitChecks();
    wxMessageBox(wxString::FromUTF8(
                     "Riavvaire l'applicazione per effettuare il cambio dell'unità di portata"),
                 "Message", wxOK);
}

void MainFrame::UpdateFlowUnitChecks() {
    wxMenuBar* bar = GetMenuBar();
    const int unit = GlobalPreferences().flowUnit;
    if (bar == nullptr || unit < 0 || unit >= static_cast<int>(kFlowUnitMenuIds.size())) return;
    for (int code = 0; code < static_cast<int>(kFlowUnitMenuIds.size()); ++code)
        bar->Check(kFlowUnitMenuIds[code], code == unit);
}
