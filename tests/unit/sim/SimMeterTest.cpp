// The simulated meter's own behaviour that later tests rely on: memory layout as the download reads
// it, erase, the running clock, live mode, and the libusb 0.1 lists it presents.

#include <gtest/gtest.h>
#include <usb.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "meter/KestUSB.h"
#include "meter/LiveBlock.h"
#include "meter/MemoryLayout.h"
#include "meter/MeterClock.h"
#include "meter/SettingsBlock.h"
#include "sim/Bus.h"

namespace {

class SimTest : public ::testing::Test {
protected:
    void SetUp() override { bus().Reset(); }
    void TearDown() override { bus().Reset(); }
    static sim::Bus& bus() { return sim::Bus::Instance(); }
};

std::vector<RawSample> Ramp(int n, int flow0, int pressure0) {
    std::vector<RawSample> out;
    for (int k = 0; k < n; ++k) out.push_back({flow0 + k, pressure0 - k});
    return out;
}

TEST_F(SimTest, EventsAreLaidOutAsTheDownloadReadsThem) {
    sim::Meter& meter = bus().PlugMeter();
    ASSERT_TRUE(meter.AddEvent({2011, 3, 7, 9, 5, 30}, Ramp(4, 100, 500)));
    ASSERT_TRUE(meter.AddEvent({2026, 12, 8, 14, 40, 7}, Ramp(2, 16000, 1000)));
    const auto& m = meter.Memory();

    EXPECT_EQ(meter.Settings().fileCount, 2);
    const uint8_t oldest[] = {0x30, 0x05, 0x09, 0x07, 0x03, 0x11, 41 + 12, 0x00, 0x00};
    EXPECT_TRUE(std::equal(std::begin(oldest), std::end(oldest), m.begin() + 0x1FFFF - 9));
    const TocEntry newer = DecodeTocEntry(m.data() + 0x1FFFF - 18);
    EXPECT_EQ(FormatEventDate(newer), "8/12/2026 14:40:07");
    EXPECT_EQ(newer.endAddress, 41u + 12 + 6);
    EXPECT_EQ(DecodeRawSample(m.data() + 41), (RawSample{100, 500}));
    EXPECT_EQ(DecodeRawSample(m.data() + 41 + 9), (RawSample{103, 497}));
    EXPECT_EQ(DecodeRawSample(m.data() + 41 + 15), (RawSample{16001, 999}));
    EXPECT_EQ(meter.FreeMemory(), 131071u - 18 - 18);
}

TEST_F(SimTest, ShortSettingsBlockMovesTheSampleAreaTo21) {
    sim::Meter& meter = bus().PlugMeter();
    meter.SetFirmwareVersion(0x0402);
    ASSERT_TRUE(meter.AddEvent({2026, 1, 2, 3, 4, 5}, Ramp(3, 10, 20)));
    EXPECT_EQ(DecodeTocEntry(meter.Memory().data() + 0x1FFFF - 9).endAddress, 21u + 9);
    EXPECT_EQ(DecodeRawSample(meter.Memory().data() + 21), (RawSample{10, 20}));
    EXPECT_FALSE(meter.Settings().longForm);
}

// The download's walk over the table of contents, through the link, oldest event first.
std::vector<std::vector<RawSample>> ReadEvents(KestUSB& link) {
    const uint16_t version = VersionWord(link.GetFirmwareVersion());
    const unsigned L = static_cast<unsigned>(SettingsBlockLength(version));
    std::vector<uint8_t> block(L);
    EXPECT_TRUE(link.ReadMemory(0, L, block.data()));
    const unsigned n = DecodeSettingsBlock(block)->fileCount;
    std::vector<std::vector<RawSample>> events;
    if (n == 0) return events;
    std::vector<uint8_t> toc(9 * n);
    EXPECT_TRUE(link.ReadMemory(TocAddress(n), 9 * n, toc.data()));
    const uint32_t end = DecodeTocEntry(toc.data()).endAddress;
    std::vector<uint8_t> data(end - L);
    EXPECT_TRUE(link.ReadMemory(L, end - L, data.data()));
    uint32_t start = L;
    for (unsigned k = n; k-- > 0;) {
        const uint32_t stop = DecodeTocEntry(toc.data() + 9 * k).endAddress;
        std::vector<RawSample> samples;
        for (uint32_t a = start; a + 3 <= stop; a += 3)
            samples.push_back(DecodeRawSample(data.data() + (a - L)));
        events.push_back(samples);
        start = stop;
    }
    return events;
}

TEST_F(SimTest, LoggedEventsReadBackThroughTheLink) {
    sim::Meter& meter = bus().PlugMeter();
    const auto a = Ramp(300, 0, 900), b = Ramp(0, 0, 0), c = Ramp(77, 5000, 400);
    meter.AddEvent({2026, 12, 8, 8, 0, 0}, a);
    meter.AddEvent({2026, 12, 8, 9, 0, 0}, b);
    meter.AddEvent({2026, 12, 8, 10, 0, 0}, c);
    KestUSB link;
    const auto events = ReadEvents(link);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], a);
    EXPECT_EQ(events[1], b);
    EXPECT_EQ(events[2], c);
}

TEST_F(SimTest, EraseEmptiesTheLogAndKeepsTheSettings) {
    sim::Meter& meter = bus().PlugMeter();
    meter.AddEvent({2026, 12, 8, 8, 0, 0}, Ramp(50, 1, 1));
    const SettingsBlock before = meter.Settings();
    KestUSB link;
    ASSERT_TRUE(link.EraseLog());
    EXPECT_EQ(meter.EventCount(), 0u);
    EXPECT_EQ(meter.FreeMemory(), 131071u);
    SettingsBlock after = meter.Settings();
    EXPECT_EQ(after.serial, before.serial);
    EXPECT_EQ(after.rateCode, before.rateCode);
    EXPECT_TRUE(ReadEvents(link).empty());
    // The next event starts at the beginning of the sample area again.
    meter.AddEvent({2026, 12, 9, 8, 0, 0}, Ramp(2, 7, 7));
    EXPECT_EQ(DecodeTocEntry(meter.Memory().data() + 0x1FFFF - 9).endAddress, 41u + 6);
}

TEST_F(SimTest, MemoryRefusesAnEventThatWouldReachTheTable) {
    sim::Meter& meter = bus().PlugMeter();
    const std::size_t fits = (0x1FFFF - 9 - 41) / 3;
    EXPECT_FALSE(meter.AddEvent({2026, 1, 1, 0, 0, 0}, std::vector<RawSample>(fits + 1)));
    EXPECT_EQ(meter.EventCount(), 0u);
    EXPECT_TRUE(meter.AddEvent({2026, 1, 1, 0, 0, 0}, std::vector<RawSample>(fits)));
    EXPECT_EQ(meter.FreeMemory(), 0u);
}

TEST_F(SimTest, ClockRunsAcrossMidnightAndTheNewYear) {
    sim::Meter& meter = bus().PlugMeter();
    meter.SetClock({2026, 12, 31, 23, 59, 30}, 0x42);
    bus().Advance(std::chrono::milliseconds(29'600));
    EXPECT_EQ(meter.Clock().second, 59);
    bus().Advance(std::chrono::milliseconds(15'400));
    const sim::DateTime t = meter.Clock();
    EXPECT_EQ(t.year, 2027);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.minute, 0);
    EXPECT_EQ(t.second, 15);
    EXPECT_EQ(meter.FourthClockByte(), 0x42);
}

// Like the meter's clock chip, the seconds byte carries the running oscillator's flag in bit 7,
// which a reader must mask.
TEST_F(SimTest, ClockReplyCarriesTheOscillatorFlagOnTheSeconds) {
    sim::Meter& meter = bus().PlugMeter();
    meter.SetClock({2026, 12, 9, 23, 7, 5}, 0x21);
    KestUSB link;
    const uint8_t* reply = link.GetClock();
    ASSERT_NE(reply, nullptr);
    const std::vector<uint8_t> bytes(reply, reply + kClockLength);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x85, 0x07, 0x23, 0x21, 0x09, 0x12, 0x26, 0x00}));
    const auto clock = DecodeClock(bytes);
    ASSERT_TRUE(clock.has_value());
    EXPECT_EQ(clock->second, 5);
    EXPECT_EQ(clock->hour, 23);
}

// The clock chip takes its flag bits with the time; only the digits under them are the time.
TEST_F(SimTest, ClockTimeTakesTheFlagBitsAboveTheDigits) {
    sim::Meter& meter = bus().PlugMeter();
    meter.SetClock({2026, 2, 10, 8, 0, 0});
    KestUSB link;
    const uint8_t flagged[4] = {0x86, 0x85, 0x52, 0x20};  // 12:05:06, flags on all three bytes
    ASSERT_TRUE(link.SetClockTime(flagged));
    const sim::DateTime t = meter.Clock();
    EXPECT_EQ(t.hour, 12);
    EXPECT_EQ(t.minute, 5);
    EXPECT_EQ(t.second, 6);
    const uint8_t badUnderFlag[4] = {0xE0, 0x00, 0x12, 0x00};  // digits 60 under the flag
    EXPECT_FALSE(link.SetClockTime(badUnderFlag));
    EXPECT_EQ(meter.Clock().hour, 12);
}

TEST_F(SimTest, ClockRejectsBlocksThatAreNotValidBcd) {
    sim::Meter& meter = bus().PlugMeter();
    meter.SetClock({2026, 2, 10, 8, 0, 0});
    KestUSB link;
    const uint8_t badTime[4] = {0x60, 0x00, 0x12, 0x00};
    const uint8_t badDate[3] = {0x30, 0x02, 0x26};  // 30 February
    const uint8_t hexDigit[3] = {0x1A, 0x02, 0x26};
    EXPECT_FALSE(link.SetClockTime(badTime));
    EXPECT_FALSE(link.SetClockDate(badDate));
    EXPECT_FALSE(link.SetClockDate(hexDigit));
    EXPECT_EQ(meter.Clock().day, 10);
    EXPECT_EQ(meter.Clock().hour, 8);
}

TEST_F(SimTest, LiveModeFillsABufferThatEachBlockDrains) {
    sim::Meter& meter = bus().PlugMeter();
    int n = 0;
    meter.SetLiveSource([&n](double) { return RawSample{++n, 3}; });
    KestUSB link;
    bus().Advance(std::chrono::seconds(10));
    EXPECT_EQ(meter.PendingLiveSamples(), 0u) << "nothing is sampled while live mode is off";

    ASSERT_TRUE(link.SetLiveMode(1));
    bus().Advance(std::chrono::milliseconds(999));
    EXPECT_EQ(meter.PendingLiveSamples(), 0u);
    bus().Advance(std::chrono::milliseconds(1));
    EXPECT_EQ(meter.PendingLiveSamples(), 1u);

    // More than one block's worth waiting: 74 now, the rest in the next block, oldest dropped
    // past 74.
    bus().Advance(std::chrono::seconds(79));
    EXPECT_EQ(meter.PendingLiveSamples(), 74u);
    LiveBlock first =
        DecodeLiveBlock(std::span<const uint8_t>(link.GetLiveSamples(), kLiveBlockLength));
    ASSERT_EQ(first.size(), 74u);
    EXPECT_EQ(first.samples[0].flow, 80 - 73);
    EXPECT_EQ(first.samples[73].flow, 80);
    EXPECT_EQ(meter.PendingLiveSamples(), 0u);

    ASSERT_TRUE(link.SetLiveMode(0));
    bus().Advance(std::chrono::seconds(5));
    EXPECT_EQ(
        DecodeLiveBlock(std::span<const uint8_t>(link.GetLiveSamples(), kLiveBlockLength)).size(),
        0u);
}

// Switching live mode off stops the sampling but leaves what is waiting in the buffer: only a read
// empties it, which is why live logging reads once more after switching off.
TEST_F(SimTest, LiveBufferOutlivesTheSwitchUntilItIsRead) {
    sim::Meter& meter = bus().PlugMeter();
    int n = 0;
    meter.SetLiveSource([&n](double) { return RawSample{++n, 0}; });
    KestUSB link;
    auto readBlock = [&link] {
        const uint8_t* reply = link.GetLiveSamples();
        EXPECT_NE(reply, nullptr);
        std::vector<int> flows;
        if (reply == nullptr) return flows;
        for (const RawSample& s :
             DecodeLiveBlock(std::span<const uint8_t>(reply, kLiveBlockLength)))
            flows.push_back(s.flow);
        return flows;
    };

    ASSERT_TRUE(link.SetLiveMode(1));
    bus().Advance(std::chrono::milliseconds(3500));
    ASSERT_TRUE(link.SetLiveMode(0));
    bus().Advance(std::chrono::seconds(4));
    EXPECT_EQ(meter.PendingLiveSamples(), 3u) << "nothing new is sampled, nothing is lost";
    EXPECT_EQ(readBlock(), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(readBlock().empty());

    // Without that read the next session's first block starts with the old samples.
    ASSERT_TRUE(link.SetLiveMode(1));
    bus().Advance(std::chrono::milliseconds(2000));
    ASSERT_TRUE(link.SetLiveMode(0));
    ASSERT_TRUE(link.SetLiveMode(1));
    bus().Advance(std::chrono::milliseconds(1000));
    EXPECT_EQ(readBlock(), (std::vector<int>{4, 5, 6}));
}

TEST_F(SimTest, LiveSamplesFollowTheMetersInterval) {
    sim::Meter& meter = bus().PlugMeter();
    KestUSB link;
    ASSERT_TRUE(link.DownloadSettings(0xF800, 'b'));  // 500 ms
    ASSERT_TRUE(link.SetLiveMode(1));
    bus().Advance(std::chrono::milliseconds(2600));
    EXPECT_EQ(meter.PendingLiveSamples(), 5u);
    const LiveBlock block =
        DecodeLiveBlock(std::span<const uint8_t>(link.GetLiveSamples(), kLiveBlockLength));
    ASSERT_EQ(block.size(), 5u);
    for (const RawSample& s : block) {
        EXPECT_GT(s.flow, 0);  // the default source: a plausible running flow
        EXPECT_GT(s.pressure, meter.Settings().pressureZero);
    }
}

TEST_F(SimTest, ListsLookLikeLibusbs) {
    bus().PlugMeter(1);
    bus().PlugForeignDevice(0x046D, 0xC077, 3);
    usb_init();
    EXPECT_EQ(usb_find_busses(), 2);
    EXPECT_EQ(usb_find_busses(), 0);
    EXPECT_EQ(usb_find_devices(), 4);  // two root hubs, the meter, the mouse
    EXPECT_EQ(usb_find_devices(), 0);
    usb_bus* first = usb_get_busses();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, usb_busses);
    EXPECT_STREQ(first->dirname, "001");
    ASSERT_NE(first->next, nullptr);
    EXPECT_STREQ(first->next->dirname, "003");
    EXPECT_EQ(first->next->prev, first);

    struct usb_device* hub = first->devices;
    ASSERT_NE(hub, nullptr);
    EXPECT_EQ(first->root_dev, hub);
    struct usb_device* meter = hub->next;
    ASSERT_NE(meter, nullptr);
    EXPECT_EQ(meter->bus, first);
    EXPECT_STREQ(meter->filename, "002");
    EXPECT_EQ(meter->devnum, 2);
    EXPECT_EQ(meter->descriptor.bLength, USB_DT_DEVICE_SIZE);
    EXPECT_EQ(meter->descriptor.idVendor, 0x04D8);
    EXPECT_EQ(meter->descriptor.idProduct, 0xFFFD);
    ASSERT_NE(meter->config, nullptr);
    EXPECT_EQ(meter->config->bConfigurationValue, 1);

    usb_dev_handle* h = usb_open(meter);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(usb_device(h), meter);
    char text[32];
    EXPECT_GT(usb_get_string_simple(h, meter->descriptor.iProduct, text, sizeof text), 0);
    EXPECT_STREQ(text, "HVX-2");
    EXPECT_EQ(usb_set_configuration(h, 1), 0);
    EXPECT_EQ(usb_claim_interface(h, 0), 0);
    EXPECT_EQ(usb_release_interface(h, 0), 0);
    EXPECT_LT(usb_bulk_read(h, 0x81, text, 8, 100), 0);
    EXPECT_EQ(bus().OpenHandles(), 1);
    EXPECT_EQ(usb_close(h), 0);
    EXPECT_LT(usb_close(h), 0);
    EXPECT_EQ(bus().OpenHandles(), 0);
    EXPECT_LT(usb_control_msg(h, 0xC0, 41, 0, 0, text, 2, 500), 0) << "a closed handle is refused";
}

TEST_F(SimTest, StaleDevicePointersNeverOpen) {
    sim::Meter& meter = bus().PlugMeter();
    usb_init();
    usb_find_busses();
    usb_find_devices();
    struct usb_device* dev = usb_get_busses()->devices->next;
    bus().Unplug(meter);
    EXPECT_EQ(usb_open(dev), nullptr);
    EXPECT_NE(std::strlen(usb_strerror()), 0u);
    bus().Replug(meter);
    EXPECT_EQ(usb_open(dev), nullptr) << "a replugged meter is a new device";
    bus().Reset();
    EXPECT_EQ(usb_open(dev), nullptr);
}

}  // namespace
