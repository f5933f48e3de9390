#pragma once
// What a download makes of the meter's log: the preferences it learns from the settings block and
// one record per logged event, newest first, each sample converted as it is appended.

#include <cstdint>
#include <span>
#include <vector>

#include "data/Preferences.h"
#include "data/Storage.h"
#include "meter/LoggedMemory.h"

// The firmware version, the meter's flow unit (ApplyMeterFlowUnit), measurement system and
// pressure unit, and the serial number when the block is the long form (else it keeps its value).
void ApplyDownloadSettings(Preferences& prefs, uint16_t versionWord,
                           std::span<const uint8_t> block);

// "Memoria 1" is the event logged last. Dates from the table, the interval, measurement system,
// calibration, pressure unit and serial from the settings block; flows in `flowUnit`.
std::vector<Storage> RecordsFromLog(const LoggedMemory& memory, int flowUnit);

// True when the workspace file at `path` gives back these records: the same titles, dates and
// samples as the file keeps them (six decimals). Otherwise `why` says what differs.
bool WorkspaceHolds(const wxString& path, const std::vector<Storage>& records, wxString* why);
