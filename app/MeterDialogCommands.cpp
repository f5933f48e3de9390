// The two meter dialogs. Each is modal, brings its own link and is gone when it closes.
#include "app/MainFrame.h"
#include "dialogs/Config.h"
#include "dialogs/SettingsDialog.h"

void MainFrame::OnMeterSettings(wxCommandEvent&) {
    {
        SettingsDialog dialog(this);
        dialog.ShowModal();
    }
    // Reading the meter may have taught the preferences the meter's own flow unit.
    UpdateFlowUnitChecks();
}

void MainFrame::OnFactoryConfig(wxCommandEvent&) {
    Config dialog(this);
    dialog.ShowModal();
}
