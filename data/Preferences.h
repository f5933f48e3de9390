#pragma once
// The settings that outlive a run, kept in hvxv48.ini in the user configuration directory:
// seven lines, one decimal integer each, in field order (serial is never stored).

#include <wx/string.h>

#include <cstdint>

struct Preferences {
    uint8_t metricUnits = 1;     // 1 litres, 0 US gallons
    uint8_t pressureUnit = 'b';  // 'p' psi, 'b' bar, 8 metres of water, 16 kPa
    int firmwareVersion = 0;     // version word of the meter last read
    int serial = 0;              // serial number of the meter last read; never saved
    bool showTips = true;        // show the startup tips
    uint8_t flowUnit = 0;        // 0 l/min, 1 l/s, 2 m3/h, 3 US gal/min
    bool meterSetsFlowUnit = false;
    bool absoluteTime = false;  // graph time axis shows clock time
};

// The one record the whole program shares.
Preferences& GlobalPreferences();

// <user config dir>/hvxv48.ini
wxString PreferencesPath();

// Missing, short or damaged files never fail: what cannot be read keeps its default.
void LoadPreferences(Preferences& prefs, const wxString& path);
void LoadPreferences();  // the global record from PreferencesPath()

// Returns false when the file could not be written (the old file then stays as it was).
bool SavePreferences(const Preferences& prefs, const wxString& path);
bool SavePreferences();  // the global record to PreferencesPath()
