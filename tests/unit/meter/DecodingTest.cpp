// The meter's blocks decoded from literal bytes, as the meter sends them.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "meter/Bcd.h"
#include "meter/FlowUnitMarker.h"
#include "meter/LiveBlock.h"
#include "meter/LoggerStatus.h"
#include "meter/MemoryLayout.h"
#include "meter/MeterClock.h"
#include "meter/SampleRate.h"
#include "meter/SettingsBlock.h"

namespace {

TEST(Bcd, BothWaysForEveryTwoDigitValue) {
    for (int v = 0; v <= 99; ++v) {
        const uint8_t b = ToBcd(v);
        EXPECT_EQ(b, (v / 10) * 16 + v % 10) << v;
        EXPECT_EQ(FromBcd(b), v);
        EXPECT_TRUE(IsBcd(b));
    }
    EXPECT_EQ(ToBcd(-3), 0x00);
    EXPECT_EQ(ToBcd(125), 0x99);
    EXPECT_FALSE(IsBcd(0x1A));
    EXPECT_FALSE(IsBcd(0xA1));
}

struct RateCase {
    unsigned code;
    int ms;
    int tenths;
};

TEST(SampleRate, CodesReadBackAsIntervals) {
    const RateCase cases[] = {
        {0xF000, 1000, 10},    {0xFFFF, 1, 1},     {0x0000, 16000, 160},
        {65536 - 409, 100, 1}, {0xB000, 5000, 50}, {0xF800, 500, 5},
    };
    for (const RateCase& c : cases) {
        EXPECT_EQ(IntervalMsFromCode(c.code), c.ms) << std::hex << c.code;
        EXPECT_EQ(TenthsFromCode(c.code), c.tenths) << std::hex << c.code;
    }
}

TEST(SampleRate, PeriodIsNotTruncated) {
    EXPECT_DOUBLE_EQ(PeriodSecondsFromCode(0xF000), (4095 * 8000.0 / 32768 + 1) / 1000);
    EXPECT_GT(PeriodSecondsFromCode(0xF000), 1.0);
    EXPECT_DOUBLE_EQ(PeriodSecondsFromCode(0xFFFF), 0.001);
}

TEST(SampleRate, DialogTenthsRoundTripForEveryValue) {
    EXPECT_EQ(CodeFromTenths(10), 0xF000u);
    EXPECT_EQ(CodeFromTenths(1), 65536u - 409u);
    for (int tenths = 1; tenths <= 160; ++tenths) {
        const unsigned code = CodeFromTenths(tenths);
        EXPECT_LE(code, 0xFFFFu) << tenths;
        EXPECT_EQ(TenthsFromCode(code), tenths);
    }
    // Out of range never wraps past 16 bits.
    EXPECT_EQ(CodeFromTenths(0), CodeFromTenths(1));
    EXPECT_EQ(CodeFromTenths(500), CodeFromTenths(160));
}

TEST(SampleRate, IntervalInverseReadsBack) {
    EXPECT_EQ(CodeFromIntervalMs(1000), 0xF000u);
    for (int ms : {1, 2, 3, 7, 250, 333, 999, 1000, 1001, 5000, 15999, 16000})
        EXPECT_EQ(IntervalMsFromCode(CodeFromIntervalMs(ms)), ms) << ms;
}

struct LevelCase {
    unsigned freeMemory;
    unsigned code;
    long remaining;
    int level;
};

TEST(SampleRate, RemainingTimeAndMemoryLevel) {
    const LevelCase cases[] = {
        {131071, 0xF000, 43723, 0},
        {0, 0xF000, 0, 700},
        {65535, 0xFFFF, 21, 350},
        {0xFFFFFF, 0xF000, 5596632, 0},  // more than the log holds: the level stays at 0
    };
    for (const LevelCase& c : cases) {
        EXPECT_EQ(RemainingSeconds(c.freeMemory, c.code), c.remaining) << c.freeMemory;
        EXPECT_EQ(MemoryLevel(c.freeMemory), c.level) << c.freeMemory;
    }
}

TEST(SampleRate, BatteryLevelIsThreeTimesTheReadingWithinTheGauge) {
    EXPECT_EQ(BatteryLevel(0), 0);
    EXPECT_EQ(BatteryLevel(117), 351);
    EXPECT_EQ(BatteryLevel(233), 699);
    EXPECT_EQ(BatteryLevel(234), 700);
    EXPECT_EQ(BatteryLevel(0xFFFF), 700);
}

TEST(VersionWord, LittleEndianOrZeroWithoutReply) {
    const uint8_t v43[] = {0x03, 0x04};
    const uint8_t v42[] = {0x02, 0x04};
    EXPECT_EQ(VersionWord(v43), 0x0403);
    EXPECT_EQ(VersionWord(nullptr), 0);
    EXPECT_EQ(SettingsBlockLength(VersionWord(v43)), 41u);
    EXPECT_EQ(SettingsBlockLength(VersionWord(v42)), 21u);
    EXPECT_EQ(SettingsBlockLength(0), 21u);
    EXPECT_EQ(SettingsBlockLength(0x0304), 21u);
}

std::array<uint8_t, 41> LongBlock() {
    std::array<uint8_t, 41> b{};
    const uint8_t head[] = {0x00, 0xF0,  // rate code 0xF000
                            0x03, 0x00,  // 3 events
                            0x03,        // litres, auto-logging
                            0x32, 0x00, 0x05, 0x00, 0x0A, 0x00, 0x0A,
                            0x00,                                      // thresholds and delays
                            0x01, 0x14, 0x32,                          // rough 1, zero 20, fine 50
                            0x05, 0x28, 0x02, 'b',  0x07, 0x71, 0x09,  // serial 2417
                            0x18, 0x03, 0x25};
    std::copy(std::begin(head), std::end(head), b.begin());
    b[33] = 5;
    b[34] = 4;
    b[40] = 0xEE;
    return b;
}

TEST(SettingsBlock, LongFormHasEveryField) {
    const auto bytes = LongBlock();
    const auto s = DecodeSettingsBlock(bytes);
    ASSERT_TRUE(s.has_value());
    EXPECT_TRUE(s->longForm);
    EXPECT_EQ(s->rateCode, 0xF000);
    EXPECT_EQ(s->fileCount, 3);
    EXPECT_TRUE(s->metricUnits());
    EXPECT_TRUE(s->autoLog());
    EXPECT_EQ(s->flowOnThreshold, 50);
    EXPECT_EQ(s->flowOnDelay, 5);
    EXPECT_EQ(s->flowOffThreshold, 10);
    EXPECT_EQ(s->flowOffDelay, 10);
    EXPECT_EQ(s->pressureRough, 1);
    EXPECT_EQ(s->pressureZero, 20);
    EXPECT_EQ(s->pressureFine, 50);
    EXPECT_EQ(s->medianLength, 5);
    EXPECT_EQ(s->flowClamp, 40);
    EXPECT_EQ(s->displayAlternation, 2);
    EXPECT_EQ(s->pressureUnit, 'b');
    EXPECT_EQ(s->volumeRange, 7);
    EXPECT_EQ(s->serial, 2417);
    EXPECT_EQ(s->manufactureDate, (std::array<uint8_t, 3>{0x18, 0x03, 0x25}));
    EXPECT_EQ(s->unitMarker, 5);
    EXPECT_EQ(s->flowUnitBit, 4);

    std::array<uint8_t, 41> again{};
    EncodeSettingsBlock(*s, again);
    again[40] = 0xEE;  // unused byte: not part of the decoded block
    EXPECT_EQ(again, bytes);
}

TEST(SettingsBlock, ShortFormHasNoSerialDateOrMarker) {
    auto bytes = LongBlock();
    const auto s = DecodeSettingsBlock(std::span<const uint8_t>(bytes.data(), 21));
    ASSERT_TRUE(s.has_value());
    EXPECT_FALSE(s->longForm);
    EXPECT_EQ(s->length(), 21u);
    EXPECT_EQ(s->pressureUnit, 'b');
    EXPECT_FALSE(s->serial.has_value());
    EXPECT_FALSE(s->manufactureDate.has_value());
    EXPECT_FALSE(s->unitMarker.has_value());
    EXPECT_FALSE(DecodeSettingsBlock(std::span<const uint8_t>(bytes.data(), 20)).has_value());
    EXPECT_FALSE(DecodeSettingsBlock({}).has_value());
}

TEST(SettingsBlock, GallonsWithoutAutoLogging) {
    auto bytes = LongBlock();
    bytes[4] = 0x00;
    const auto s = DecodeSettingsBlock(bytes);
    EXPECT_FALSE(s->metricUnits());
    EXPECT_FALSE(s->autoLog());
}

struct FlowUnitCase {
    std::size_t length;
    uint8_t marker;
    uint8_t bit;
    bool sets;
    int unit;
};

TEST(FlowUnitMarker, DecidesFromTheLongBlockOnly) {
    const FlowUnitCase cases[] =
        {
            {41, 5, 1, true, 0},   {41, 5, 2, true, 1},   {41, 5, 4, true, 2},
            {41, 5, 8, true, 3},   {41, 5, 3, true, -1},  {41, 5, 0, true, -1},
            {41, 5, 16, true, -1}, {41, 4, 1, false, -1}, {41, 0, 2, false, -1},
            {21, 5, 1, false, -1},  // the short block has no byte 33, whatever follows it in memory
        };
    for (const FlowUnitCase& c : cases) {
        auto bytes = LongBlock();
        bytes[33] = c.marker;
        bytes[34] = c.bit;
        const MeterFlowUnit out = DecideMeterFlowUnit(bytes.data(), c.length);
        EXPECT_EQ(out.meterSetsFlowUnit, c.sets)
            << c.length << " " << int{c.marker} << " " << int{c.bit};
        EXPECT_EQ(out.flowUnit, c.unit) << c.length << " " << int{c.marker} << " " << int{c.bit};
    }
    EXPECT_FALSE(DecideMeterFlowUnit(nullptr, 41).meterSetsFlowUnit);
}

TEST(LoggerStatus, Decodes24BitFreeMemoryBatteryAndCode) {
    const uint8_t bytes[] = {0xFF, 0xFF, 0x01, 0xC8, 0x00, 0x00, 0xF0};
    const auto st = DecodeLoggerStatus(bytes);
    ASSERT_TRUE(st.has_value());
    EXPECT_EQ(st->freeMemory, 131071u);
    EXPECT_EQ(st->battery, 200);
    EXPECT_EQ(st->rateCode, 0xF000);
    uint8_t again[7];
    EncodeLoggerStatus(*st, again);
    EXPECT_TRUE(std::equal(std::begin(again), std::end(again), std::begin(bytes)));
    EXPECT_FALSE(DecodeLoggerStatus(std::span<const uint8_t>(bytes, 6)).has_value());
}

TEST(MeterClock, MasksTheFlagBitsAndKeepsTheFourthByte) {
    const uint8_t bytes[] = {0x85, 0xD9, 0xE3, 0x5A, 0x31, 0x12, 0x26, 0x77};
    const auto c = DecodeClock(bytes);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->second, 5);
    EXPECT_EQ(c->minute, 59);
    EXPECT_EQ(c->hour, 23);
    EXPECT_EQ(c->fourth, 0x5A);
    EXPECT_EQ(c->day, 31);
    EXPECT_EQ(c->month, 12);
    EXPECT_EQ(c->year, 2026);
    EXPECT_FALSE(DecodeClock(std::span<const uint8_t>(bytes, 6)).has_value());
}

TEST(MeterClock, TimeAndDateBlocksFromABrokenDownTime) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;  // December
    t.tm_mday = 9;
    t.tm_hour = 22;
    t.tm_min = 7;
    t.tm_sec = 43;
    EXPECT_EQ(MakeTimeBlock(t, 0x5A), (TimeBlock{0x43, 0x07, 0x22, 0x5A}));
    EXPECT_EQ(MakeDateBlock(t), (DateBlock{0x09, 0x12, 0x26}));
    t.tm_year = 1999 - 1900;
    EXPECT_EQ(MakeDateBlock(t)[2], 0x00);
    t.tm_year = 2150 - 1900;
    EXPECT_EQ(MakeDateBlock(t)[2], 0x99);
}

TEST(RawSample, SplitsFourteenAndTenBits) {
    struct Case {
        uint8_t a, b, c;
        int flow, pressure;
    };
    const Case cases[] = {
        {0x34, 0x52, 0x78, 0x1234, 0x178},
        {0x34, 0x56, 0x78, 0x1634, 0x178},
        {0x10, 0xFF, 0x20, 16128 + 0x10, 768 + 0x20},
        {0x00, 0x00, 0x00, 0, 0},
        {0xFF, 0x3F, 0x00, 0x3FFF, 0},
        {0x00, 0xC0, 0xFF, 0, 0x3FF},
    };
    for (const Case& c : cases) {
        const uint8_t bytes[] = {c.a, c.b, c.c};
        EXPECT_EQ(DecodeRawSample(bytes), (RawSample{c.flow, c.pressure}));
        uint8_t again[3];
        EncodeRawSample({c.flow, c.pressure}, again);
        EXPECT_TRUE(std::equal(again, again + 3, bytes));
    }
    uint8_t clamped[3];
    EncodeRawSample({99999, 5000}, clamped);
    EXPECT_EQ(DecodeRawSample(clamped), (RawSample{0x3FFF, 0x3FF}));
}

std::vector<uint8_t> LiveBytes(uint8_t count, std::size_t samples) {
    std::vector<uint8_t> block(223, 0);
    block[0] = count;
    for (std::size_t k = 0; k < samples && 3 + 3 * k < block.size(); ++k) {
        block[1 + 3 * k] = static_cast<uint8_t>(k);
        block[2 + 3 * k] = 0x40;
        block[3 + 3 * k] = static_cast<uint8_t>(200 - k);
    }
    return block;
}

TEST(LiveBlock, CountByteGivesWholeSamplesUpTo74) {
    const struct {
        uint8_t count;
        std::size_t samples;
    } cases[] = {{0, 0},  {1, 0},    {2, 0},    {3, 1},    {5, 1},
                 {18, 6}, {221, 73}, {222, 74}, {224, 74}, {255, 74}};
    for (const auto& c : cases) {
        const auto bytes = LiveBytes(c.count, 74);
        const LiveBlock live = DecodeLiveBlock(bytes);
        ASSERT_EQ(live.size(), c.samples) << int{c.count};
        for (std::size_t k = 0; k < live.size(); ++k)
            EXPECT_EQ(live.samples[k],
                      (RawSample{static_cast<int>(k), 256 + 200 - static_cast<int>(k)}));
    }
}

TEST(LiveBlock, FirstSampleOfTheDocumentedBlock) {
    std::vector<uint8_t> bytes(223, 0);
    const uint8_t head[] = {0x12, 0x34, 0x56, 0x78};
    std::copy(std::begin(head), std::end(head), bytes.begin());
    const LiveBlock live = DecodeLiveBlock(bytes);
    ASSERT_EQ(live.size(), 6u);
    EXPECT_EQ(live.samples[0], (RawSample{5684, 376}));
}

TEST(LiveBlock, NeverReadsPastTheBytesGiven) {
    const uint8_t truncated[] = {222, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(DecodeLiveBlock(truncated).size(), 2u);
    EXPECT_EQ(DecodeLiveBlock({}).size(), 0u);
}

TEST(MemoryLayout, TableOfContentsGrowsDownFromTheTop) {
    EXPECT_EQ(TocAddress(0), 0x1FFFFu);
    EXPECT_EQ(TocAddress(1), 0x1FFFFu - 9);
    EXPECT_EQ(TocAddress(2), 0x1FFFFu - 18);
    EXPECT_EQ(TocAddress(0xFFFF), TocAddress(kMaxEvents));  // a corrupt count stays inside memory
}

TEST(MemoryLayout, TocEntryAndItsDateText) {
    const uint8_t bytes[] = {0x30, 0x05, 0x09, 0x07, 0x03, 0x11, 0x29, 0x01, 0x01};
    const TocEntry e = DecodeTocEntry(bytes);
    EXPECT_EQ(e.endAddress, 0x010129u);
    EXPECT_EQ(FormatEventDate(e), "7/03/2011 9:05:30");
    uint8_t again[9];
    EncodeTocEntry(e, again);
    EXPECT_TRUE(std::equal(again, again + 9, bytes));

    const struct {
        TocEntry entry;
        const char* text;
    } cases[] = {
        {{0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0}, "1/01/2000 0:00:00"},
        {{0x59, 0x59, 0x23, 0x31, 0x12, 0x99, 0}, "31/12/2099 23:59:59"},
        {{0x07, 0x40, 0x14, 0x08, 0x12, 0x26, 0}, "8/12/2026 14:40:07"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatEventDate(c.entry), c.text);
}

}  // namespace
