// KestUSB against the simulated meter: how every request is packed, what the replies carry and
// how memory reads are cut into chunks.

#include <algorithm>
#include <array>
#include <functional>
#include <string>

#include "meter/LoggerStatus.h"
#include "meter/MeterClock.h"
#include "tests/unit/meter/LinkFixture.h"

namespace {

struct RequestCase {
    std::string name;
    std::function<bool(KestUSB&)> call;
    std::vector<Packet> packets;
    std::function<void(const sim::Meter&)> effect;
};

std::vector<RequestCase> RequestCases() {
    const uint8_t time[4] = {0x43, 0x07, 0x22, 0x5A};
    const uint8_t date[3] = {0x09, 0x12, 0x26};
    static uint8_t memory[41];
    return {
        {"GetErrorCode",
         [](KestUSB& k) { return k.GetErrorCode() == 0; },
         {{0xC0, 1, 0, 0, 1, 500}},
         {}},
        {"GetClockConfig",
         [](KestUSB& k) { return k.GetClockConfig() != nullptr; },
         {{0xC0, 2, 0, 0, 2, 100}},
         {}},
        {"SetAutoLog(1)",
         [](KestUSB& k) { return k.SetAutoLog(1); },
         {{0x40, 3, 2, 0, 1, 500}},
         [](const sim::Meter& m) { EXPECT_TRUE(m.Settings().autoLog()); }},
        {"SetAutoLog(2)",
         [](KestUSB& k) { return k.SetAutoLog(2); },
         {{0x40, 3, 0, 0, 1, 500}},
         [](const sim::Meter& m) { EXPECT_FALSE(m.Settings().autoLog()); }},
        {"DownloadSettings",
         [](KestUSB& k) { return k.DownloadSettings(0x1F000, 0x170); },
         {{0x40, 4, 0xF000, 0, 1, 500}, {0x40, 12, 0x70, 0, 1, 500}},
         [](const sim::Meter& m) {
             EXPECT_EQ(m.Settings().rateCode, 0xF000);
             EXPECT_EQ(m.Settings().pressureUnit, 'p');
         }},
        {"SetLiveMode(5)",
         [](KestUSB& k) { return k.SetLiveMode(5); },
         {{0x40, 5, 1, 0, 1, 500}},
         [](const sim::Meter& m) { EXPECT_TRUE(m.LiveMode()); }},
        {"SetLiveMode(-1)",
         [](KestUSB& k) { return k.SetLiveMode(-1); },
         {{0x40, 5, 0, 0, 1, 500}},
         [](const sim::Meter& m) { EXPECT_FALSE(m.LiveMode()); }},
        {"EraseLog",
         [](KestUSB& k) { return k.EraseLog(); },
         {{0x40, 13, 0, 0, 1, 500}},
         [](const sim::Meter& m) { EXPECT_EQ(m.EventCount(), 0u); }},
        {"GetLiveSamples",
         [](KestUSB& k) { return k.GetLiveSamples() != nullptr; },
         {{0xC0, 21, 0, 0, 223, 100}},
         {}},
        {"ReadMemory",
         [](KestUSB& k) { return k.ReadMemory(0, 41, memory); },
         {{0xC0, 23, 0, 0x2900, 41, 1000}},
         {}},
        {"GetClock",
         [](KestUSB& k) { return k.GetClock() != nullptr; },
         {{0xC0, 26, 0, 0, 8, 500}},
         {}},
        {"SetClockTime",
         [time](KestUSB& k) { return k.SetClockTime(time); },
         {{0x40, 27, 0x0743, 0x5A22, 4, 500}},
         [](const sim::Meter& m) {
             EXPECT_EQ(m.Clock().hour, 22);
             EXPECT_EQ(m.Clock().minute, 7);
             EXPECT_EQ(m.Clock().second, 43);
             EXPECT_EQ(m.FourthClockByte(), 0x5A);
         }},
        {"SetClockDate",
         [date](KestUSB& k) { return k.SetClockDate(date); },
         {{0x40, 28, 0x1209, 0x26, 4, 500}},
         [](const sim::Meter& m) {
             EXPECT_EQ(m.Clock().day, 9);
             EXPECT_EQ(m.Clock().month, 12);
             EXPECT_EQ(m.Clock().year, 2026);
         }},
        {"SetClockConfig",
         [](KestUSB& k) { return k.SetClockConfig(0, 171); },
         {{0x40, 29, 0xAB00, 0, 2, 100}},
         [](const sim::Meter& m) {
             EXPECT_EQ(m.ClockConfig(), (std::array<uint8_t, 2>{0x00, 0xAB}));
         }},
        {"SetFlowOnThreshold",
         [](KestUSB& k) { return k.SetFlowOnThreshold(300, 7); },
         {{0x40, 30, 300, 7, 4, 500}},
         [](const sim::Meter& m) {
             EXPECT_EQ(m.Settings().flowOnThreshold, 300);
             EXPECT_EQ(m.Settings().flowOnDelay, 7);
         }},
        {"SetFlowOffThreshold",
         [](KestUSB& k) { return k.SetFlowOffThreshold(12, 30); },
         {{0x40, 31, 12, 30, 4, 500}},
         [](const sim::Meter& m) {
             EXPECT_EQ(m.Settings().flowOffThreshold, 12);
             EXPECT_EQ(m.Settings().flowOffDelay, 30);
         }},
        {"SetMedianClamp",
         [](KestUSB& k) { return k.SetMedianClamp(5, 40); },
         {{0x40, 33, 0x2805, 0, 2, 500}},
         [](const sim::Meter& m) {
             EXPECT_EQ(m.Settings().medianLength, 5);
             EXPECT_EQ(m.Settings().flowClamp, 40);
         }},
        {"GetLoggerStatus",
         [](KestUSB& k) { return k.GetLoggerStatus() != nullptr; },
         {{0xC0, 34, 0, 0, 7, 500}},
         {}},
        {"SetPressureCalibration",
         [](KestUSB& k) { return k.SetPressureCalibration(20, 50, 1); },
         {{0x40, 35, 0x3214, 1, 3, 500}},
         [](const sim::Meter& m) {
             EXPECT_EQ(m.Settings().pressureZero, 20);
             EXPECT_EQ(m.Settings().pressureFine, 50);
             EXPECT_EQ(m.Settings().pressureRough, 1);
         }},
        {"GetPressureAdc",
         [](KestUSB& k) { return k.GetPressureAdc() != nullptr; },
         {{0xC0, 37, 0, 0, 2, 500}},
         {}},
        {"GetFirmwareVersion",
         [](KestUSB& k) { return k.GetFirmwareVersion() != nullptr; },
         {{0xC0, 41, 0, 0, 2, 500}},
         {}},
    };
}

TEST_F(LinkTest, EveryRequestIsPackedAsTheMeterExpects) {
    for (const RequestCase& c : RequestCases()) {
        SCOPED_TRACE(c.name);
        bus().Reset();
        sim::Meter& meter = bus().PlugMeter();
        meter.AddEvent({2026, 12, 8, 9, 0, 0}, std::vector<RawSample>(10, RawSample{100, 200}));
        {
            KestUSB link;
            Warm(link);
            EXPECT_TRUE(c.call(link));
        }
        EXPECT_EQ(Packets(), c.packets);
        if (c.effect) c.effect(meter);
        EXPECT_EQ(bus().OpenHandles(), 0);
    }
}

TEST_F(LinkTest, FirstRequestSearchesAndConfiguresTheMeter) {
    bus().PlugMeter();
    KestUSB link;
    const uint8_t* version = link.GetFirmwareVersion();
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version[0], 0x03);
    EXPECT_EQ(version[1], 0x04);
    EXPECT_EQ(Packets(), (std::vector<Packet>{kSetConfigPacket, {0xC0, 41, 0, 0, 2, 500}}));
    EXPECT_EQ(bus().OpenCalls(), 2);  // once by the search, once by the request
}

TEST_F(LinkTest, RepliesCarryTheMetersState) {
    sim::Meter& meter = bus().PlugMeter();
    meter.SetClock({2026, 12, 9, 10, 30, 15}, 0x11);
    meter.SetBattery(205);
    meter.SetErrorCode(7);
    meter.SetPressureAdc(0x1234);
    KestUSB link;
    EXPECT_EQ(link.GetErrorCode(), 7);
    const auto clock = DecodeClock(std::span<const uint8_t>(link.GetClock(), kClockLength));
    EXPECT_EQ(clock->year, 2026);
    EXPECT_EQ(clock->minute, 30);
    EXPECT_EQ(clock->second, 15);
    EXPECT_EQ(clock->fourth, 0x11);
    const auto status =
        DecodeLoggerStatus(std::span<const uint8_t>(link.GetLoggerStatus(), kLoggerStatusLength));
    EXPECT_EQ(status->freeMemory, 131071u);
    EXPECT_EQ(status->battery, 205);
    EXPECT_EQ(status->rateCode, meter.Settings().rateCode);
    const uint8_t* adc = link.GetPressureAdc();
    EXPECT_EQ(adc[0] | adc[1] << 8, 0x1234);
}

TEST_F(LinkTest, MemoryReadsAreCutInto128ByteChunks) {
    sim::Meter& meter = bus().PlugMeter();
    auto& image = meter.MutableMemory();
    for (std::size_t a = 0; a < image.size(); ++a)
        image[a] = static_cast<uint8_t>(a * 7 + (a >> 8));
    KestUSB link;
    Warm(link);

    std::vector<uint8_t> bytes(300);
    ASSERT_TRUE(link.ReadMemory(0x1FF00, 300, bytes.data()));
    EXPECT_EQ(Packets(), (std::vector<Packet>{{0xC0, 23, 0xFF00, 0x8001, 128, 1000},
                                              {0xC0, 23, 0xFF80, 0x8001, 128, 1000},
                                              {0xC0, 23, 0x0000, 0x2C02, 44, 1000}}));
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 256, image.begin() + 0x1FF00));
    // The meter's address lines wrap past 128 KiB.
    EXPECT_TRUE(std::equal(bytes.begin() + 256, bytes.end(), image.begin()));

    bus().ClearTransfers();
    uint8_t block[41];
    ASSERT_TRUE(link.ReadMemory(0, 41, block));
    EXPECT_EQ(Packets(), (std::vector<Packet>{{0xC0, 23, 0, 0x2900, 41, 1000}}));
    EXPECT_TRUE(std::equal(block, block + 41, image.begin()));

    bus().ClearTransfers();
    EXPECT_TRUE(link.ReadMemory(0x100, 0, nullptr));
    EXPECT_TRUE(Packets().empty());
}

TEST_F(LinkTest, WholeMemoryReadsBackExactly) {
    sim::Meter& meter = bus().PlugMeter();
    auto& image = meter.MutableMemory();
    for (std::size_t a = 0; a < image.size(); ++a) image[a] = static_cast<uint8_t>(a ^ (a >> 9));
    KestUSB link;
    std::vector<uint8_t> bytes(kMemorySize);
    ASSERT_TRUE(link.ReadMemory(0, kMemorySize, bytes.data()));
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), image.begin()));
    EXPECT_EQ(bus().OpenCalls(), 2);  // the search, then one open for the whole read
}

TEST_F(LinkTest, ShortReplyFailsTheReadAndCopiesNothingStale) {
    sim::Meter& meter = bus().PlugMeter();
    meter.MutableMemory().fill(0x11);
    KestUSB link;
    Warm(link);
    std::vector<uint8_t> dest(300, 0xAA);
    bus().ShortReplyNextTransfers(1, 100);
    EXPECT_FALSE(link.ReadMemory(0, 300, dest.data()));
    EXPECT_EQ(Packets().size(), 1u) << "the read stops at the short chunk";
    EXPECT_TRUE(std::all_of(dest.begin(), dest.end(), [](uint8_t b) { return b == 0xAA; }));

    bus().ClearTransfers();
    bus().FailNextTransfers(1);
    EXPECT_FALSE(link.ReadMemory(0, 41, dest.data()));
    EXPECT_EQ(Packets().size(), 1u) << "memory reads have no retry";

    EXPECT_TRUE(link.ReadMemory(0, 300, dest.data()));
    EXPECT_TRUE(std::all_of(dest.begin(), dest.end(), [](uint8_t b) { return b == 0x11; }));
}

}  // namespace
