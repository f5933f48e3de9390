#include "app/MainFrame.h"
#include "data/Preferences.h"
#include "widgets/TipsDialog.h"

// Every use opens a further dialog.
void MainFrame::OnShowTips(wxCommandEvent&) {
    (new TipsDialog(this, GlobalPreferences().showTips))->Show();
}

// The file keeps the choice when the main window is destroyed.
void MainFrame::OnShowAtStart(wxCommandEvent& event) {
    GlobalPreferences().showTips = event.GetId() == 1;
}
