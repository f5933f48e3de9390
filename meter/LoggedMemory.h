#pragma once
// The meter's log as a download reads it: the table of contents checked against the memory layout,
// then each event's samples taken from the sample area. Every address and count from the meter is
// checked here before it sizes or indexes anything. A damaged event keeps its place (and its
// number) with no samples and one warning naming it; the others are kept.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "meter/LiveBlock.h"
#include "meter/MemoryLayout.h"
#include "meter/SettingsBlock.h"

struct LoggedEvent {
    TocEntry entry;
    uint32_t start = 0;  // meter address of its first sample byte
    uint32_t end = 0;    // one past its last byte, as the table gives it
    bool damaged = false;

    // Whole samples; a remainder of one or two bytes is skipped.
    uint32_t SampleCount() const { return damaged ? 0 : (end - start) / kRawSampleSize; }
};

struct EventTable {
    std::vector<LoggedEvent> events;  // newest first, in table order
    uint32_t sampleAreaEnd = 0;       // one past the last byte an event uses; at least L
    std::vector<std::string> warnings;
};

// Where the table of n events starts, or nothing when n entries would reach into the settings
// block of `settingsLength` bytes.
std::optional<uint32_t> TableAddress(unsigned eventCount, unsigned settingsLength);

// `table` holds the 9n bytes from TableAddress(n, L) on, n fitting.
EventTable ReadEventTable(std::span<const uint8_t> table, unsigned settingsLength);

struct LoggedMemory {
    SettingsBlock settings;
    unsigned settingsLength = 0;
    int intervalMs = 0;
    EventTable table;
    std::vector<uint8_t> sampleArea;  // meter bytes from settingsLength to table.sampleAreaEnd

    RawSample Sample(const LoggedEvent& event, uint32_t i) const {
        return DecodeRawSample(sampleArea.data() + (event.start - settingsLength) +
                               kRawSampleSize * i);
    }
};

struct LoggedMemoryResult {
    std::optional<LoggedMemory> memory;
    std::string error;  // why there is no memory: an unusable settings block or event count
};

// The whole decoding from the three regions as read: the settings block (21 or 41 bytes), the
// table of contents and the sample area from L on (at least up to the table's sample area end).
LoggedMemoryResult DecodeLoggedMemory(std::span<const uint8_t> settings,
                                      std::span<const uint8_t> table,
                                      std::span<const uint8_t> sampleArea);

// The same from a whole 128 KiB memory image (as `hvx-probe --dump` writes it) and the meter's
// firmware version word.
LoggedMemoryResult DecodeMemoryImage(std::span<const uint8_t> image, uint16_t versionWord);

// "the table of contents is damaged: 20000 events do not fit in the meter's memory"
std::string EventCountError(unsigned eventCount);
