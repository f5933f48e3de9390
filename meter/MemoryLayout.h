#pragma once
// The meter's 128 KiB memory: the settings block from 0, the samples of every event from L (oldest
// first), and the table of contents written downwards from 0x1FFFF, nine bytes per event.

#include <cstddef>
#include <cstdint>
#include <string>

constexpr uint32_t kMemorySize = 0x20000;
constexpr uint32_t kMemoryTop = 0x1FFFF;  // belongs to no entry
constexpr std::size_t kTocEntrySize = 9;
constexpr unsigned kMaxChunk = 128;  // bytes per ReadMemory transfer

// Date and time as the meter stores them: packed BCD bytes, year - 2000.
struct TocEntry {
    uint8_t second = 0;
    uint8_t minute = 0;
    uint8_t hour = 0;
    uint8_t day = 0;
    uint8_t month = 0;
    uint8_t year = 0;
    uint32_t endAddress = 0;  // one past the event's last sample byte, 24 bits
    friend bool operator==(const TocEntry&, const TocEntry&) = default;
};

// Start of the table of contents for n events; n is bounded so the table never leaves memory.
uint32_t TocAddress(unsigned eventCount);
constexpr unsigned kMaxEvents = kMemoryTop / kTocEntrySize;

TocEntry DecodeTocEntry(const uint8_t entry[kTocEntrySize]);
void EncodeTocEntry(const TocEntry& entry, uint8_t out[kTocEntrySize]);

// "%x/%x%x/20%x%x %x:%x%x:%x%x": day and hour as whole bytes in hex without a leading zero, the
// other fields always two digits. 0x07 0x03 0x11 09:05:30 gives "7/03/2011 9:05:30".
std::string FormatEventDate(const TocEntry& entry);
