#pragma once
// The LCD readout showing an elapsed time as hours, minutes and seconds.

#include "widgets/kwxLCDDisplay.h"

class kwxLCDClock : public kwxLCDDisplay {
public:
    using kwxLCDDisplay::kwxLCDDisplay;

    // Shows the whole seconds as HH:MM:SS (hours modulo 24).
    void SetElapsedSeconds(float seconds);
};
