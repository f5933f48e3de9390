#include "widgets/kwxLCDClock.h"

#include "widgets/core/LcdText.h"

void kwxLCDClock::SetElapsedSeconds(float seconds) {
    SetValue(wxString::FromAscii(lcd::ClockText(seconds).c_str()));
}
