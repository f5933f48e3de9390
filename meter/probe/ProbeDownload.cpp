#include "meter/probe/ProbeDownload.h"

#include <wx/init.h>

#include <cstdio>

#include "data/DownloadRecords.h"
#include "data/Preferences.h"
#include "data/Units.h"
#include "data/Workspace.h"
#include "meter/LogDownload.h"

namespace {

// A meter that was there and went away is one that stopped answering.
int LinkFailed(const KestUSB& link, const char* what, bool started) {
    const LinkFailure& failure = link.LastFailure();
    std::fprintf(stderr, "hvx-probe: download failed, nothing written: cannot read the %s: %s\n",
                 what, ReasonText(failure).c_str());
    return failure.kind == LinkFailureKind::kNoMeter && !started ? kNoMeter : kNoAnswer;
}

}  // namespace

int DownloadToWorkspace(const std::string& path) {
    wxInitializer toolkit;
    KestUSB link;
    const std::optional<SettingsRead> settings = ReadSettings(link);
    if (!settings) return LinkFailed(link, "settings block", false);

    // A copy: the user's preferences file stays as it is.
    Preferences prefs;
    LoadPreferences(prefs, PreferencesPath());
    ApplyDownloadSettings(prefs, settings->versionWord, settings->block);

    const LogRead log = ReadLog(link, *settings, {});
    switch (log.outcome) {
        case LogReadOutcome::kDone:
        case LogReadOutcome::kCancelled:
            break;
        case LogReadOutcome::kLinkFailed:
            return LinkFailed(link, "table of contents or the samples", true);
        case LogReadOutcome::kDamaged:
            std::fprintf(stderr, "hvx-probe: download failed, nothing written: %s\n",
                         log.error.c_str());
            return kDamagedLog;
    }
    for (const std::string& warning : log.memory.table.warnings)
        std::fprintf(stderr, "hvx-probe: warning: %s\n", warning.c_str());

    // Each record is written with the unit its numbers are in (a gallon meter's stay in gallons per
    // minute whatever the preference says).
    const std::vector<Storage> records = RecordsFromLog(log.memory, prefs.flowUnit);
    wxString error;
    if (!WriteWorkspace(wxString::FromUTF8(path.c_str()), records, &error)) {
        std::fprintf(stderr, "hvx-probe: cannot write '%s': %s\n", path.c_str(),
                     error.utf8_str().data());
        return kCannotWrite;
    }
    std::printf("Downloaded %zu events into %s\n", records.size(), path.c_str());
    for (const Storage& r : records)
        std::printf("  %s  %s  %d samples\n", r.title.utf8_str().data(),
                    r.dateText.utf8_str().data(), r.GetLength());
    return 0;
}
