// The memory decoding on hand-built byte images: settings block, table of contents and sample area
// in; events with their samples, and warnings for damaged ones, out.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "meter/ByteOrder.h"
#include "meter/LoggedMemory.h"

namespace {

// A 128 KiB image with a settings block of `length` bytes and events given by their table
// entries (newest first) and sample bytes.
struct Image {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(kMemorySize, 0xFF);
    std::size_t settingsLength;

    explicit Image(std::size_t length, uint16_t rateCode = 0xF000) : settingsLength(length) {
        std::fill(bytes.begin(), bytes.begin() + static_cast<long>(length), 0);
        WriteLe16(bytes.data(), rateCode);
        bytes[4] = 1;  // litres
        bytes[19] = 'b';
    }
    // The entries as listed, newest first, each 9 bytes lower than the one before it.
    void Table(const std::vector<TocEntry>& entries) {
        WriteLe16(bytes.data() + 2, static_cast<unsigned>(entries.size()));
        for (std::size_t k = 0; k < entries.size(); ++k)
            EncodeTocEntry(entries[k],
                           bytes.data() + kMemoryTop - kTocEntrySize * (entries.size() - k));
    }
    void Samples(uint32_t address, const std::vector<uint8_t>& sampleBytes) {
        std::copy(sampleBytes.begin(), sampleBytes.end(), bytes.begin() + address);
    }
    uint16_t Version() const { return settingsLength == 41 ? 0x0403 : 0x0402; }
};

TocEntry Entry(uint32_t end, uint8_t second = 0x30) {
    return {second, 0x05, 0x09, 0x07, 0x03, 0x11, end};
}

std::vector<RawSample> SamplesOf(const LoggedMemory& m, std::size_t k) {
    std::vector<RawSample> out;
    const LoggedEvent& e = m.table.events[k];
    for (uint32_t i = 0; i < e.SampleCount(); ++i) out.push_back(m.Sample(e, i));
    return out;
}

TEST(LoggedMemory, DecodesTheExamplesOfTheLayout) {
    struct Case {
        std::string name;
        std::size_t settingsLength;
        std::vector<TocEntry> table;                    // newest first
        std::vector<std::vector<uint8_t>> sampleBytes;  // oldest first, one after another
        std::vector<std::vector<RawSample>> expected;   // newest first
        std::vector<std::string> dates;
    };
    const Case cases[] = {
        {"no events, long block", 41, {}, {}, {}, {}},
        {"one event, long block: samples from 41",
         41,
         {Entry(41 + 6)},
         {{0x34, 0x52, 0x78, 0x00, 0xFF, 0x03}},
         {{{0x1234, 0x178}, {0x3F00, 0x303}}},
         {"7/03/2011 9:05:30"}},
        {"one event, short block: samples from 21",
         21,
         {Entry(21 + 3)},
         {{0x34, 0x52, 0x78}},
         {{{4660, 376}}},
         {"7/03/2011 9:05:30"}},
        {"n = 2: the entry at 0x1FFFF - 18 is the newer event",
         41,
         {Entry(41 + 6 + 3, 0x45), Entry(41 + 6, 0x10)},
         {{1, 0, 0, 2, 0, 0}, {3, 0, 0}},
         {{{3, 0}}, {{1, 0}, {2, 0}}},
         {"7/03/2011 9:05:45", "7/03/2011 9:05:10"}},
        {"an event with end = start has no samples",
         41,
         {Entry(41 + 3), Entry(41 + 3), Entry(41)},
         {{9, 0, 0}},
         {{}, {{9, 0}}, {}},
         {"7/03/2011 9:05:30", "7/03/2011 9:05:30", "7/03/2011 9:05:30"}},
        {"a remainder of one or two bytes is skipped",
         21,
         {Entry(21 + 5 + 3), Entry(21 + 5)},
         {{1, 0, 0, 7, 7}, {2, 0, 0}},
         {{{2, 0}}, {{1, 0}}},
         {"7/03/2011 9:05:30", "7/03/2011 9:05:30"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image image(c.settingsLength);
        image.Table(c.table);
        uint32_t address = static_cast<uint32_t>(c.settingsLength);
        for (const auto& bytes : c.sampleBytes) {
            image.Samples(address, bytes);
            address += static_cast<uint32_t>(bytes.size());
        }
        const LoggedMemoryResult r = DecodeMemoryImage(image.bytes, image.Version());
        ASSERT_TRUE(r.memory) << r.error;
        const LoggedMemory& m = *r.memory;
        EXPECT_EQ(m.settingsLength, c.settingsLength);
        EXPECT_EQ(m.intervalMs, 1000);
        EXPECT_TRUE(m.table.warnings.empty());
        ASSERT_EQ(m.table.events.size(), c.expected.size());
        for (std::size_t k = 0; k < c.expected.size(); ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(FormatEventDate(m.table.events[k].entry), c.dates[k]);
            EXPECT_EQ(SamplesOf(m, k), c.expected[k]);
        }
    }
}

TEST(LoggedMemory, SampleRateCodeGivesTheInterval) {
    for (auto [code, ms] : {std::pair{61440, 1000}, {65535, 1}, {0, 16000}}) {
        Image image(41, static_cast<uint16_t>(code));
        const LoggedMemoryResult r = DecodeMemoryImage(image.bytes, 0x0403);
        ASSERT_TRUE(r.memory);
        EXPECT_EQ(r.memory->intervalMs, ms) << code;
    }
}

// Damaged tables: the damaged event is named in one warning and gets no samples, the others keep
// theirs, and nothing is read outside the sample area.
TEST(LoggedMemory, DamagedTableEntriesAreNamedAndLeftEmpty) {
    const uint32_t top = kMemoryTop - 3 * kTocEntrySize;  // table of three events
    struct Case {
        std::string name;
        std::array<uint32_t, 3> ends;  // newest first
        std::array<std::size_t, 3> counts;
        std::vector<std::string> warnings;  // one per damaged event, naming it
        uint32_t areaEnd;
    };
    const Case cases[] = {
        {"whole", {41 + 18, 41 + 9, 41 + 3}, {3, 2, 1}, {}, 41 + 18},
        {"newest ends below L", {40, 41 + 9, 41 + 3}, {0, 2, 1}, {"Memoria 1"}, 41 + 9},
        {"newest ends inside the table",
         {top + 1, 41 + 9, 41 + 3},
         {0, 2, 1},
         {"Memoria 1"},
         41 + 9},
        {"newest ends beyond the memory",
         {0xFFFFFF, 41 + 9, 41 + 3},
         {0, 2, 1},
         {"Memoria 1"},
         41 + 9},
        {"newest ends where the table starts",
         {top, 41 + 9, 41 + 3},
         {(top - 41 - 9) / 3, 2, 1},
         {},
         top},
        {"an older event ends after a newer one",
         {41 + 18, 41 + 6, 41 + 12},
         {4, 0, 4},
         {"Memoria 2"},
         41 + 18},
        {"oldest ends inside the table",
         {41 + 18, 41 + 9, top + 5},
         {3, 3, 0},
         {"Memoria 3"},
         41 + 18},
        {"every end damaged", {0, 1, 2}, {0, 0, 0}, {"Memoria 3", "Memoria 2", "Memoria 1"}, 41},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image image(41);
        image.Table({Entry(c.ends[0]), Entry(c.ends[1]), Entry(c.ends[2])});
        const LoggedMemoryResult r = DecodeMemoryImage(image.bytes, 0x0403);
        ASSERT_TRUE(r.memory) << r.error;
        const LoggedMemory& m = *r.memory;
        EXPECT_EQ(m.table.sampleAreaEnd, c.areaEnd);
        EXPECT_EQ(m.sampleArea.size(), c.areaEnd - 41);
        for (std::size_t k = 0; k < 3; ++k) {
            const LoggedEvent& e = m.table.events[k];
            EXPECT_EQ(e.SampleCount(), c.counts[k]) << "Memoria " << k + 1;
            if (e.SampleCount() > 0) {
                EXPECT_LE(e.start + 3 * e.SampleCount(), m.table.sampleAreaEnd);
            }
        }
        ASSERT_EQ(m.table.warnings.size(), c.warnings.size());
        for (std::size_t w = 0; w < c.warnings.size(); ++w) {
            EXPECT_EQ(m.table.warnings[w].rfind(c.warnings[w] + " (7/03/2011 9:05:30): ", 0), 0u)
                << m.table.warnings[w];
            EXPECT_NE(m.table.warnings[w].find("no samples"), std::string::npos);
        }
    }
}

TEST(LoggedMemory, EventCountWhoseTableReachesIntoTheSettingsIsRefused) {
    // (0x1FFFF - 41) / 9 = 14558 entries fit above a long block; with a short one, 14561.
    for (auto [length, fits] : {std::pair{41u, 14558u}, {21u, 14561u}}) {
        SCOPED_TRACE(length);
        EXPECT_TRUE(TableAddress(fits, length));
        EXPECT_FALSE(TableAddress(fits + 1, length));
        EXPECT_FALSE(TableAddress(0xFFFF, length));
        Image image(length);
        WriteLe16(image.bytes.data() + 2, fits + 1);
        const LoggedMemoryResult r = DecodeMemoryImage(image.bytes, image.Version());
        EXPECT_FALSE(r.memory);
        EXPECT_EQ(r.error, EventCountError(fits + 1));
        EXPECT_NE(r.error.find("do not fit"), std::string::npos);
    }
}

TEST(LoggedMemory, RegionsShorterThanTheTableNamesAreRefused) {
    Image image(41);
    image.Table({Entry(41 + 30)});
    const std::span<const uint8_t> bytes(image.bytes);
    const auto settings = bytes.first(41);
    const auto table = bytes.subspan(kMemoryTop - 9, 9);
    EXPECT_TRUE(DecodeLoggedMemory(settings, table, bytes.subspan(41, 30)).memory);
    EXPECT_FALSE(DecodeLoggedMemory(settings, table, bytes.subspan(41, 29)).memory);
    EXPECT_FALSE(DecodeLoggedMemory(settings, table.first(8), bytes.subspan(41, 30)).memory);
    EXPECT_FALSE(DecodeLoggedMemory(settings.first(20), table, bytes.subspan(41, 30)).memory);
}

}  // namespace
