#include "meter/LogDownload.h"

#include <algorithm>

#include "meter/SampleRate.h"

std::optional<SettingsRead> ReadSettings(KestUSB& link) {
    SettingsRead read;
    const uint8_t* reply = link.GetFirmwareVersion();
    // A meter replugged (or swapped) since the last request fails its first open, and the link
    // searches again at the next one: ask again rather than take the short block for a meter
    // that may have the long one.
    if (reply == nullptr && link.LastFailure().status == LINK_OPEN_FAILED)
        reply = link.GetFirmwareVersion();
    read.versionWord = VersionWord(reply);
    read.block.resize(SettingsBlockLength(read.versionWord));
    if (!link.ReadMemory(0, static_cast<unsigned>(read.block.size()), read.block.data()))
        return std::nullopt;
    read.settings = *DecodeSettingsBlock(read.block);
    return read;
}

LogRead ReadLog(KestUSB& link, const SettingsRead& settings, const LogProgress& progress) {
    LogRead read;
    LoggedMemory& memory = read.memory;
    memory.settings = settings.settings;
    memory.settingsLength = static_cast<unsigned>(settings.block.size());
    memory.intervalMs = IntervalMsFromCode(settings.settings.rateCode);
    memory.table.sampleAreaEnd = memory.settingsLength;

    const unsigned n = settings.settings.fileCount;
    if (n == 0) return read;
    const std::optional<uint32_t> tableStart = TableAddress(n, memory.settingsLength);
    if (!tableStart) {
        read.outcome = LogReadOutcome::kDamaged;
        read.error = EventCountError(n);
        return read;
    }
    std::vector<uint8_t> table(kTocEntrySize * n);
    if (!link.ReadMemory(*tableStart, static_cast<unsigned>(table.size()), table.data())) {
        read.outcome = LogReadOutcome::kLinkFailed;
        return read;
    }
    memory.table = ReadEventTable(table, memory.settingsLength);
    if (progress && !progress(0.0)) {
        read.outcome = LogReadOutcome::kCancelled;
        return read;
    }

    const unsigned total = memory.table.sampleAreaEnd - memory.settingsLength;
    memory.sampleArea.resize(total);
    for (unsigned done = 0; done < total;) {
        const unsigned piece = std::min(total - done, kSampleAreaPiece);
        if (!link.ReadMemory(memory.settingsLength + done, piece,
                             memory.sampleArea.data() + done)) {
            read.outcome = LogReadOutcome::kLinkFailed;
            return read;
        }
        done += piece;
        if (progress && !progress(double(done) / total)) {
            read.outcome = LogReadOutcome::kCancelled;
            return read;
        }
    }
    return read;
}
