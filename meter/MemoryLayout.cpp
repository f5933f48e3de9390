#include "meter/MemoryLayout.h"

#include <algorithm>
#include <cstdio>

#include "meter/ByteOrder.h"

uint32_t TocAddress(unsigned eventCount) {
    return kMemoryTop - static_cast<uint32_t>(kTocEntrySize * std::min(eventCount, kMaxEvents));
}

TocEntry DecodeTocEntry(const uint8_t e[kTocEntrySize]) {
    return {e[0], e[1], e[2], e[3], e[4], e[5], ReadLe24(e + 6)};
}

void EncodeTocEntry(const TocEntry& entry, uint8_t out[kTocEntrySize]) {
    out[0] = entry.second;
    out[1] = entry.minute;
    out[2] = entry.hour;
    out[3] = entry.day;
    out[4] = entry.month;
    out[5] = entry.year;
    WriteLe24(out + 6, entry.endAddress);
}

std::string FormatEventDate(const TocEntry& e) {
    auto hi = [](uint8_t b) { return static_cast<unsigned>(b >> 4); };
    auto lo = [](uint8_t b) { return static_cast<unsigned>(b & 0x0F); };
    char text[40];
    std::snprintf(text, sizeof text, "%x/%x%x/20%x%x %x:%x%x:%x%x", unsigned{e.day}, hi(e.month),
                  lo(e.month), hi(e.year), lo(e.year), unsigned{e.hour}, hi(e.minute), lo(e.minute),
                  hi(e.second), lo(e.second));
    return text;
}
