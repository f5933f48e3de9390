#include "data/Preferences.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

#include "data/AtomicFile.h"
#include "data/BaseOnly.h"
#include "data/LineReader.h"
#include "data/NumberText.h"
#include "data/platform/SystemFiles.h"

Preferences& GlobalPreferences() {
    static Preferences prefs;
    return prefs;
}

wxString PreferencesPath() {
    // Without an application object (tools, tests) the toolkit's paths are not available.
    const wxString dir = wxAppConsole::GetInstance() != nullptr
                             ? wxStandardPaths::Get().GetUserConfigDir()
                             : UserConfigDirWithoutApp();
    return dir + wxFileName::GetPathSeparator() + "hvxv48.ini";
}

void LoadPreferences(Preferences& prefs, const wxString& path) {
    prefs = Preferences{};
    LineReader in(path);
    if (!in.IsOpen()) return;
    // Each line stands for one field; a line that is missing or holds no number keeps the default.
    std::string_view line;
    for (int field = 0; field < 7 && in.Next(line); ++field) {
        const std::optional<int> v = ParseIntLine(line);
        if (!v) continue;
        switch (field) {
            case 0:
                prefs.metricUnits = uint8_t(*v & 0xFF);
                break;
            case 1:
                prefs.pressureUnit = uint8_t(*v & 0xFF);
                break;
            case 2:
                prefs.firmwareVersion = *v;
                break;
            case 3:
                prefs.showTips = *v != 0;
                break;
            case 4:
                prefs.flowUnit = uint8_t(*v & 0xFF);
                break;
            case 5:
                prefs.meterSetsFlowUnit = *v != 0;
                break;
            case 6:
                prefs.absoluteTime = *v != 0;
                break;
            default:
                break;
        }
    }
}

void LoadPreferences() { LoadPreferences(GlobalPreferences(), PreferencesPath()); }

bool SavePreferences(const Preferences& prefs, const wxString& path) {
    AtomicFile out(path);
    if (!out.IsOpen()) return false;
    const int values[7] = {
        prefs.metricUnits,         prefs.pressureUnit, prefs.firmwareVersion,
        prefs.showTips ? 1 : 0,    prefs.flowUnit,     prefs.meterSetsFlowUnit ? 1 : 0,
        prefs.absoluteTime ? 1 : 0};
    for (int v : values) {
        char text[kMaxNumberText];
        std::size_t n = FormatInt(v, text);
        text[n++] = '\n';
        out.Write(text, n);
    }
    return out.Commit();
}

bool SavePreferences() { return SavePreferences(GlobalPreferences(), PreferencesPath()); }
