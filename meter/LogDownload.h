#pragma once
// The reads of a download through KestUSB, in the meter's order: firmware version, settings block,
// then table of contents and sample area. Split in two so the caller can act on the settings (the
// flow unit, the progress dialog's event count) before the long read.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "meter/KestUSB.h"
#include "meter/LoggedMemory.h"

struct SettingsRead {
    uint16_t versionWord = 0;    // 0 when the version request failed
    std::vector<uint8_t> block;  // 21 or 41 bytes
    SettingsBlock settings;
};

// Steps 1-2: nothing when the settings block cannot be read (link.LastFailure() says why).
std::optional<SettingsRead> ReadSettings(KestUSB& link);

enum class LogReadOutcome { kDone, kLinkFailed, kCancelled, kDamaged };

struct LogRead {
    LogReadOutcome outcome = LogReadOutcome::kDone;
    LoggedMemory memory;  // complete only when kDone
    std::string error;    // for kDamaged: what is wrong with the table
};

// Called after the table and after each piece of the sample area with the fraction of the sample
// area read so far (0 to 1); returning false cancels the download.
using LogProgress = std::function<bool(double fraction)>;

// Bytes of the sample area read per call, so progress is real; a whole number of chunks keeps the
// number of transfers at its minimum.
constexpr unsigned kSampleAreaPiece = 8 * kMaxChunk;

// Steps 7-8: the table of contents, checked, and the sample area it names.
LogRead ReadLog(KestUSB& link, const SettingsRead& settings, const LogProgress& progress);
