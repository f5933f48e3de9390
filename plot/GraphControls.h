#pragma once
// The controls the graph view updates. The main window builds them and keeps this struct as the one
// list of them, so the graph view is handed the same pointers the window's commands use.

class mpWindow;
class kwxLCDDisplay;
class kwxLCDClock;
class wxKestButton;
class wxStaticText;

// Any of them may be null (a test may leave some out).
struct GraphControls {
    mpWindow* plot = nullptr;
    wxKestButton* flowButton = nullptr;            // "Grafico portata"
    wxKestButton* volumeButton = nullptr;          // "Grafico volume"
    wxKestButton* pressureButton = nullptr;        // "Grafico pressione"
    wxKestButton* measurePrimaryButton = nullptr;  // "Misura F" / "Misura V"
    wxKestButton* measureSecondButton = nullptr;   // "Misura P"
    wxKestButton* gridButton = nullptr;
    wxKestButton* pointsButton = nullptr;
    kwxLCDDisplay* flowDisplay = nullptr;
    kwxLCDDisplay* pressureDisplay = nullptr;
    kwxLCDClock* elapsedDisplay = nullptr;
    wxStaticText* flowUnitLabel = nullptr;
    wxStaticText* pressureUnitLabel = nullptr;
};
