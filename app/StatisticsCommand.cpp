#include "app/MainFrame.h"
#include "plot/StatisticsWindow.h"

// One statistics window at most: the command brings the open one to the front.
void MainFrame::OnStatistics(wxCommandEvent&) {
    if (wxWindow* open = FindWindowByName(StatisticsWindow::kName, this)) {
        open->Raise();
        return;
    }
    (new StatisticsWindow(this, Graph()))->Show();
}
