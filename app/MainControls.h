#pragma once
// The controls of the main window that the commands change after the layout is built. The window
// tree owns them; the main window and its commands only point at them.
#include "plot/GraphControls.h"

class wxPanel;
class wxBitmapButton;
class wxButton;
class wxListCtrl;
class wxStaticText;
class wxKestButton;
class wxKestGauge;

struct MainControls {
    wxPanel* panel = nullptr;
    // The plot, its tool buttons, the readouts and their unit labels, named once here and handed
    // to the graph view as they stand.
    GraphControls graph;
    wxKestButton* filterButton = nullptr;
    wxBitmapButton* liveStartButton = nullptr;
    wxBitmapButton* liveStopButton = nullptr;
    wxButton* removeRecordButton = nullptr;
    wxButton* renameRecordButton = nullptr;
    wxButton* recordInfoButton = nullptr;
    wxButton* textBoxButton = nullptr;
    wxButton* targetFlowButton = nullptr;
    wxListCtrl* recordList = nullptr;
    wxKestGauge* batteryGauge = nullptr;
    wxKestGauge* memoryGauge = nullptr;
    wxStaticText* memoryText = nullptr;
};
