#include "meter/LoggedMemory.h"

#include <algorithm>
#include <cstdio>

#include "meter/ByteOrder.h"
#include "meter/SampleRate.h"

namespace {

std::string Hex(uint32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%05X", address);
    return text;
}

std::string EventName(unsigned number, const TocEntry& entry) {
    return "Memoria " + std::to_string(number) + " (" + FormatEventDate(entry) + ")";
}

}  // namespace

std::optional<uint32_t> TableAddress(unsigned eventCount, unsigned settingsLength) {
    const uint64_t size = uint64_t{kTocEntrySize} * eventCount;
    if (size + settingsLength > kMemoryTop) return std::nullopt;
    return static_cast<uint32_t>(kMemoryTop - size);
}

std::string EventCountError(unsigned eventCount) {
    return "the table of contents is damaged: " + std::to_string(eventCount) +
           " events do not fit in the meter's memory";
}

EventTable ReadEventTable(std::span<const uint8_t> bytes, unsigned settingsLength) {
    EventTable table;
    const std::size_t n = bytes.size() / kTocEntrySize;
    const uint32_t tableStart = static_cast<uint32_t>(kMemoryTop - kTocEntrySize * n);
    const uint32_t L = settingsLength;
    auto inArea = [&](uint32_t end) { return end >= L && end <= tableStart; };

    table.events.resize(n);
    table.sampleAreaEnd = L;
    for (std::size_t k = 0; k < n; ++k) {
        LoggedEvent& e = table.events[k];
        e.entry = DecodeTocEntry(bytes.data() + kTocEntrySize * k);
        e.end = e.entry.endAddress;
        if (inArea(e.end)) table.sampleAreaEnd = std::max(table.sampleAreaEnd, e.end);
    }
    // Oldest first: each event starts where the older one ended.
    uint32_t start = L;
    for (std::size_t k = n; k-- > 0;) {
        LoggedEvent& e = table.events[k];
        e.start = start;
        const std::string name = EventName(static_cast<unsigned>(k + 1), e.entry);
        if (!inArea(e.end)) {
            e.damaged = true;
            table.warnings.push_back(name + ": its end address " + Hex(e.end) +
                                     " lies outside the sample area (" + Hex(L) + " to " +
                                     Hex(tableStart) + "); the record has no samples");
            continue;  // the next event starts where this one did
        }
        if (e.end < start) {
            e.damaged = true;
            table.warnings.push_back(name + ": it ends at " + Hex(e.end) +
                                     ", before it starts at " + Hex(start) +
                                     " (an older event ends after it); the record has no samples");
        }
        start = e.end;
    }
    return table;
}

LoggedMemoryResult DecodeLoggedMemory(std::span<const uint8_t> settings,
                                      std::span<const uint8_t> table,
                                      std::span<const uint8_t> sampleArea) {
    LoggedMemoryResult result;
    const std::optional<SettingsBlock> block = DecodeSettingsBlock(settings);
    if (!block) {
        result.error =
            "the settings block is too short (" + std::to_string(settings.size()) + " bytes)";
        return result;
    }
    LoggedMemory memory;
    memory.settings = *block;
    memory.settingsLength = static_cast<unsigned>(block->length());
    memory.intervalMs = IntervalMsFromCode(block->rateCode);
    const unsigned n = block->fileCount;
    if (!TableAddress(n, memory.settingsLength)) {
        result.error = EventCountError(n);
        return result;
    }
    if (table.size() < kTocEntrySize * n) {
        result.error = "the table of contents is cut short";
        return result;
    }
    memory.table = ReadEventTable(table.first(kTocEntrySize * n), memory.settingsLength);
    const std::size_t areaLength = memory.table.sampleAreaEnd - memory.settingsLength;
    if (sampleArea.size() < areaLength) {
        result.error = "the sample area is cut short";
        return result;
    }
    memory.sampleArea.assign(sampleArea.begin(), sampleArea.begin() + areaLength);
    result.memory = std::move(memory);
    return result;
}

LoggedMemoryResult DecodeMemoryImage(std::span<const uint8_t> image, uint16_t versionWord) {
    if (image.size() != kMemorySize) return {std::nullopt, "a memory image holds 131072 bytes"};
    const std::size_t L = SettingsBlockLength(versionWord);
    const unsigned n = ReadLe16(image.data() + 2);
    const std::optional<uint32_t> tableStart = TableAddress(n, static_cast<unsigned>(L));
    if (!tableStart) return {std::nullopt, EventCountError(n)};
    return DecodeLoggedMemory(image.first(L), image.subspan(*tableStart, kTocEntrySize * n),
                              image.subspan(L, *tableStart - L));
}
