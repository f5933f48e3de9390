#pragma once
// Validation of the automatic-logging values the user types in the settings dialog, in the order
// the dialog reports them. Only values the meter can hold get through: a threshold or delay outside
// 16 bits is refused like text that does not parse, never wrapped.

#include <wx/string.h>

#include <cstdint>

struct ThresholdInput {
    wxString onThreshold, offThreshold;
    wxString onDelaySeconds, offDelaySeconds;
};

enum class ThresholdOutcome {
    Accepted,
    Unparsed,       // "reinserire il valore", captioned with the rejected text
    OrderWrong,     // flow-off above flow-on
    DelayTooShort,  // a delay under the interval's whole seconds
};

struct ThresholdCheck {
    ThresholdOutcome outcome = ThresholdOutcome::Unparsed;
    wxString rejected;  // the text that did not parse or was out of range
    // Warnings, shown before the order check (thresholds) and after the delay check (delays).
    bool onThresholdHigh = false, offThresholdHigh = false;
    bool onDelayHigh = false, offDelayHigh = false;
    uint16_t onThreshold = 0, offThreshold = 0;
    uint16_t onDelaySamples = 0, offDelaySamples = 0;
    // The seconds the meter will really wait, for rewriting the delay fields.
    int onDelayShown = 0, offDelayShown = 0;
};

constexpr unsigned kThresholdWarning = 2000;
constexpr unsigned kDelayWarningSamples = 4000;

// intervalTenths is the dialog's interval, 1..159.
ThresholdCheck CheckThresholds(const ThresholdInput& input, int intervalTenths);

// A whole decimal integer, surrounding blanks allowed; false for anything else.
bool ParseDecimal(const wxString& text, long& value);

inline const wxString kMsgReenter = "reinserire il valore";
inline const wxString kMsgThresholdHigh = "Attenzione valori troppo alti per la soglia";
inline const wxString kMsgOrder =
    wxString::FromUTF8("Il livello ON deve essere più alto del livello OFF");
inline const wxString kMsgDelayShort =
    "il grado deve essere ridotto per raggiungere il ritardo della soglia";
inline const wxString kMsgDelayHigh = "Attenzione valori troppo alti per il ritardo della soglia";
