#pragma once
// The controls of the main window that the commands change after the layout is built. The window
// tree owns them; the main window and its commands only point at them.

class wxPanel;
class wxBitmapButton;
class wxButton;
class wxListCtrl;
class wxStaticText;
class mpWindow;
class wxKestButton;
class wxKestGauge;
class kwxLCDClock;
class kwxLCDDisplay;

struct MainControls {
    wxPanel* panel = nullptr;
    mpWindow* plot = nullptr;
    wxKestButton* flowButton = nullptr;
    wxKestButton* volumeButton = nullptr;
    wxKestButton* pressureButton = nullptr;
    wxKestButton* measureFlowButton = nullptr;
    wxKestButton* measurePressureButton = nullptr;
    wxKestButton* gridButton = nullptr;
    wxKestButton* pointsButton = nullptr;
    wxKestButton* filterButton = nullptr;
    kwxLCDClock* elapsedDisplay = nullptr;
    kwxLCDDisplay* flowDisplay = nullptr;
    kwxLCDDisplay* pressureDisplay = nullptr;
    wxStaticText* flowUnitLabel = nullptr;
    wxStaticText* pressureUnitLabel = nullptr;
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
