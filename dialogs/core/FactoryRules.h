#pragma once
// The factory dialog's value checks. Each returns the information to show when the values are
// refused, or an empty text when they may be sent. Text that is not a whole decimal number, and any
// negative number, is refused too: a calibration must never go out as the low byte of a typo.

#include <wx/string.h>

#include "meter/SettingsBlock.h"

// What the factory reset sends: an interval of 1.0 s in bar, automatic logging from 50 after 2
// samples until below 30 for 10 samples.
constexpr int kFactoryRateCode = 0xF000;
constexpr int kFactoryPressureUnit = kPressureBar;
struct FlowThreshold {
    int threshold = 0, delaySamples = 0;
};
constexpr FlowThreshold kFactoryFlowOn{50, 2};
constexpr FlowThreshold kFactoryFlowOff{30, 10};

struct MedianClamp {
    int median = 0, clamp = 0;
};
struct Calibration {
    int zero = 0, fine = 0, rough = 0;
};

// Fills `values` when the texts pass; otherwise returns the refusal.
wxString CheckMedianClamp(const wxString& medianText, const wxString& clampText,
                          MedianClamp& values);
// The fields are looked at in the order zero, fine, rough.
wxString CheckCalibration(const wxString& zeroText, const wxString& fineText,
                          const wxString& roughText, Calibration& values);

inline const wxString kMsgNotANumber = "Not a valid value: \"%s\"";
