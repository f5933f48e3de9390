// KestUSB against the simulated meter when things go wrong: no meter, unplug and replug, two
// meters, failed transfers and their one retry, short replies. No handle outlives an operation.

#include <algorithm>
#include <array>
#include <functional>
#include <string>

#include "meter/LoggerStatus.h"
#include "meter/MeterClock.h"
#include "tests/unit/meter/LinkFixture.h"

namespace {

TEST_F(LinkTest, NoMeterFailsEveryOperationAndTransfersNothing) {
    bus().PlugForeignDevice(0x04D8, 0x000A);  // same vendor, another product
    bus().PlugForeignDevice(0x1234, 0xFFFD);
    KestUSB link;
    uint8_t dest[8];
    EXPECT_EQ(link.GetErrorCode(), 0);
    EXPECT_EQ(link.GetClockConfig(), nullptr);
    EXPECT_FALSE(link.SetAutoLog(1));
    EXPECT_FALSE(link.DownloadSettings(0xF000, 'b'));
    EXPECT_FALSE(link.SetLiveMode(1));
    EXPECT_FALSE(link.EraseLog());
    EXPECT_EQ(link.GetLiveSamples(), nullptr);
    EXPECT_FALSE(link.ReadMemory(0, 8, dest));
    EXPECT_EQ(link.GetClock(), nullptr);
    const uint8_t block[4] = {0, 0, 0, 0};
    EXPECT_FALSE(link.SetClockTime(block));
    EXPECT_FALSE(link.SetClockDate(block));
    EXPECT_FALSE(link.SetClockConfig(0, 171));
    EXPECT_FALSE(link.SetFlowOnThreshold(1, 1));
    EXPECT_FALSE(link.SetFlowOffThreshold(1, 1));
    EXPECT_FALSE(link.SetMedianClamp(1, 1));
    EXPECT_EQ(link.GetLoggerStatus(), nullptr);
    EXPECT_FALSE(link.SetPressureCalibration(1, 1, 1));
    EXPECT_EQ(link.GetPressureAdc(), nullptr);
    EXPECT_EQ(link.GetFirmwareVersion(), nullptr);
    EXPECT_TRUE(Packets().empty());
    EXPECT_EQ(bus().OpenCalls(), 0);

    // Every operation searches again: a meter plugged in now is found by the next one.
    bus().PlugMeter(2);
    EXPECT_NE(link.GetFirmwareVersion(), nullptr);
}

TEST_F(LinkTest, FailedVersionRequestLeavesZeroesInTheBuffer) {
    sim::Meter& meter = bus().PlugMeter();
    meter.SetClock({2026, 12, 9, 10, 30, 15});
    KestUSB link;
    const uint8_t* buffer = link.GetClock();
    ASSERT_NE(buffer, nullptr);
    ASSERT_EQ(buffer[0] & 0x7F, 0x15);
    bus().Unplug(meter);
    EXPECT_EQ(link.GetFirmwareVersion(), nullptr);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 0);
}

TEST_F(LinkTest, UnpluggedMeterIsForgottenAndFoundAgainAtItsNewAddress) {
    sim::Meter& meter = bus().PlugMeter();
    KestUSB link;
    ASSERT_TRUE(link.SetLiveMode(1));
    const int oldAddress = bus().AddressOf(meter);

    bus().Unplug(meter);
    bus().ClearTransfers();
    EXPECT_FALSE(link.SetLiveMode(0)) << "the open fails";
    EXPECT_TRUE(Packets().empty());
    EXPECT_FALSE(link.EraseLog()) << "searched again: no meter";

    bus().Replug(meter);
    ASSERT_NE(bus().AddressOf(meter), oldAddress);
    EXPECT_TRUE(link.SetLiveMode(0));
    EXPECT_FALSE(meter.LiveMode());
    ASSERT_FALSE(bus().Transfers().empty());
    EXPECT_EQ(bus().Transfers().back().address, bus().AddressOf(meter));
}

// The main window and a dialog each keep a link. When one searches after the meter was replugged,
// libusb frees the device the other remembers: that one must not open it, but report the open as
// failed and search again at its next request.
TEST_F(LinkTest, DeviceFreedByAnotherLinksSearchIsNeverOpened) {
    sim::Meter& meter = bus().PlugMeter();
    meter.SetErrorCode(4);
    KestUSB mainLink;
    ASSERT_EQ(mainLink.GetErrorCode(), 4);

    KestUSB dialogLink;  // while the meter stays, a second search frees nothing
    ASSERT_EQ(dialogLink.GetErrorCode(), 4);
    ASSERT_EQ(mainLink.GetErrorCode(), 4);

    bus().Unplug(meter);
    bus().Replug(meter);
    ASSERT_EQ(dialogLink.GetErrorCode(), 0) << "its own open fails first";
    ASSERT_EQ(dialogLink.GetErrorCode(), 4) << "then it searches and finds the meter again";
    EXPECT_EQ(mainLink.GetErrorCode(), 0);
    EXPECT_EQ(bus().StaleDeviceOpens(), 0) << "opened a device structure libusb had freed";
    EXPECT_EQ(mainLink.GetErrorCode(), 4);
    EXPECT_EQ(bus().StaleDeviceOpens(), 0);
}

TEST_F(LinkTest, MeterUnpluggedInTheMiddleOfAReadLeavesNoHandle) {
    bus().PlugMeter();
    KestUSB link;
    Warm(link);
    bus().UnplugAfterTransfers(1);
    std::vector<uint8_t> dest(1000);
    EXPECT_FALSE(link.ReadMemory(0, 1000, dest.data()));
    EXPECT_EQ(Packets().size(), 2u);
    EXPECT_LT(bus().Transfers().back().result, 0);
}

TEST_F(LinkTest, FailedOpenClearsTheDeviceAndTheNextRequestSearches) {
    bus().PlugMeter();
    KestUSB link;
    Warm(link);
    bus().FailNextOpens(1);
    EXPECT_EQ(link.GetLoggerStatus(), nullptr);
    EXPECT_TRUE(Packets().empty());
    EXPECT_NE(link.GetLoggerStatus(), nullptr);
    EXPECT_EQ(Packets(), (std::vector<Packet>{kSetConfigPacket, {0xC0, 34, 0, 0, 7, 500}}));
}

TEST_F(LinkTest, SearchThatCannotOpenStillRemembersTheMeter) {
    bus().PlugMeter();
    KestUSB link;
    bus().FailNextOpens(1);  // the search's own open
    EXPECT_NE(link.GetLoggerStatus(), nullptr);
    EXPECT_EQ(Packets(), (std::vector<Packet>{{0xC0, 34, 0, 0, 7, 500}}));
}

TEST_F(LinkTest, FirstMeterInBusAndDeviceOrderIsUsed) {
    bus().PlugForeignDevice(0x046D, 0xC077, 1);
    sim::Meter& second = bus().PlugMeter(2);
    sim::Meter& first = bus().PlugMeter(1);
    sim::Meter& third = bus().PlugMeter(1);
    first.SetErrorCode(1);
    second.SetErrorCode(2);
    third.SetErrorCode(3);
    KestUSB link;
    EXPECT_EQ(link.GetErrorCode(), 1);
    for (const sim::TransferRecord& r : bus().Transfers()) {
        EXPECT_EQ(r.bus, 1);
        EXPECT_EQ(r.address, bus().AddressOf(first));
    }
    // Once the first is gone, a fresh search finds the next one in order.
    bus().Unplug(first);
    EXPECT_EQ(link.GetErrorCode(), 0);
    EXPECT_EQ(link.GetErrorCode(), 3);
}

struct RetryCase {
    std::string name;
    std::function<void()> fault;
    bool ok;
    std::vector<Packet> packets;
};

TEST_F(LinkTest, FailedTransferIsRetriedOnceAfterSetConfiguration) {
    const Packet status{0xC0, 34, 0, 0, 7, 500};
    const RetryCase cases[] = {
        {"one failure",
         [] { bus().FailNextTransfers(1); },
         true,
         {status, kSetConfigPacket, status}},
        {"no bytes moved",
         [] { bus().ZeroByteNextTransfers(1); },
         true,
         {status, kSetConfigPacket, status}},
        {"time-out",
         [] { bus().TimeOutNextTransfers(1); },
         true,
         {status, kSetConfigPacket, status}},
        {"reconfiguration refused",
         [] {
             bus().FailNextTransfers(1);
             bus().RefuseSetConfiguration(1);
         },
         false,
         {status, kSetConfigPacket}},
        {"retry fails too",
         [] { bus().FailNextTransfers(2); },
         false,
         {status, kSetConfigPacket, status}},
    };
    for (const RetryCase& c : cases) {
        SCOPED_TRACE(c.name);
        bus().Reset();
        bus().PlugMeter();
        KestUSB link;
        Warm(link);
        c.fault();
        EXPECT_EQ(link.GetLoggerStatus() != nullptr, c.ok);
        EXPECT_EQ(Packets(), c.packets);
        EXPECT_EQ(bus().OpenHandles(), 0);
    }
}

TEST_F(LinkTest, WritesRetryLikeReads) {
    sim::Meter& meter = bus().PlugMeter();
    KestUSB link;
    Warm(link);
    bus().FailNextTransfers(1);
    EXPECT_TRUE(link.SetAutoLog(1));
    EXPECT_TRUE(meter.Settings().autoLog());
    const Packet autoLog{0x40, 3, 2, 0, 1, 500};
    EXPECT_EQ(Packets(), (std::vector<Packet>{autoLog, kSetConfigPacket, autoLog}));
}

TEST_F(LinkTest, DownloadSettingsStopsWhenTheRateFails) {
    sim::Meter& meter = bus().PlugMeter();
    const SettingsBlock before = meter.Settings();
    KestUSB link;
    Warm(link);
    bus().FailNextTransfers(2);
    EXPECT_FALSE(link.DownloadSettings(0xB000, 'p'));
    const Packet rate{0x40, 4, 0xB000, 0, 1, 500};
    EXPECT_EQ(Packets(), (std::vector<Packet>{rate, kSetConfigPacket, rate}))
        << "the rate is tried twice, the pressure unit never";
    EXPECT_EQ(meter.Settings().pressureUnit, before.pressureUnit);
}

TEST_F(LinkTest, DirectOperationsDoNotRetry) {
    bus().PlugMeter();
    KestUSB link;
    Warm(link);
    bus().FailNextTransfers(1);
    EXPECT_EQ(link.GetLiveSamples(), nullptr);
    const uint8_t time[4] = {0x00, 0x00, 0x12, 0x00};
    bus().FailNextTransfers(1);
    EXPECT_FALSE(link.SetClockTime(time));
    const uint8_t date[3] = {0x01, 0x01, 0x27};
    bus().FailNextTransfers(1);
    EXPECT_FALSE(link.SetClockDate(date));
    EXPECT_EQ(Packets().size(), 3u);
    for (const Packet& p : Packets()) EXPECT_NE(p.request, 9);
}

// Only a memory chunk must arrive whole; another reply fails only when nothing arrives, and the
// bytes it lacks read as 0, never as the previous reply's.
TEST_F(LinkTest, ShortReplyKeepsWhatArrivedWithItsTailReadAsZero) {
    sim::Meter& meter = bus().PlugMeter();
    meter.SetClock({2026, 12, 9, 10, 30, 15});
    meter.SetBattery(0x0102);
    KestUSB link;
    Warm(link);
    ASSERT_NE(link.GetClock(), nullptr);  // fills the buffer with eight clock bytes
    bus().ClearTransfers();

    bus().ShortReplyNextTransfers(1, 3);
    const uint8_t* status = link.GetLoggerStatus();
    ASSERT_NE(status, nullptr) << "three of the status's seven bytes";
    EXPECT_EQ(Packets().size(), 1u) << "no SET_CONFIGURATION, no retry";
    EXPECT_EQ(DecodeLoggerStatus(std::span<const uint8_t>(status, 7))->freeMemory,
              meter.FreeMemory());
    for (int i = 3; i < 7; ++i) EXPECT_EQ(status[i], 0) << "byte " << i;

    bus().ShortReplyNextTransfers(1, 7);
    const uint8_t* clock = link.GetClock();
    ASSERT_NE(clock, nullptr) << "the clock's unused last byte missing";
    EXPECT_EQ(clock[0] & 0x7F, 0x15);
    EXPECT_EQ(clock[7], 0);
    EXPECT_FALSE(link.LastFailure().failed());

    bus().ClearTransfers();
    bus().ShortReplyNextTransfers(1, 127);
    std::vector<uint8_t> dest(128);
    EXPECT_FALSE(link.ReadMemory(0, 128, dest.data())) << "a memory chunk must arrive whole";
    EXPECT_EQ(link.LastFailure().kind, LinkFailureKind::kShortReply);
    EXPECT_EQ(Packets().size(), 1u);
}

// Why the last operation failed, for each fault the simulator injects; the link stays silent and
// the next successful operation clears the record.
TEST_F(LinkTest, LastFailureSaysWhyTheLinkFailed) {
    struct Case {
        std::string name;
        std::function<void()> fault;
        std::function<bool(KestUSB&)> call;
        LinkStatus status;
        LinkFailureKind kind;
        std::string text;  // part of libusb's text
    };
    auto status = [](KestUSB& k) { return k.GetLoggerStatus() != nullptr; };
    auto memory = [](KestUSB& k) {
        uint8_t dest[300];
        return k.ReadMemory(0x100, 300, dest);
    };
    const Case cases[] = {
        {"no meter", [] {}, status, LINK_NOT_FOUND, LinkFailureKind::kNoMeter, "04d8:fffd"},
        {"unplugged", [] {}, memory, LINK_OPEN_FAILED, LinkFailureKind::kNoMeter, "No such device"},
        {"permission denied", [] { bus().FailNextOpens(1); }, status, LINK_OPEN_FAILED,
         LinkFailureKind::kPermissionDenied, "Permission denied"},
        {"failed transfer", [] { bus().FailNextTransfers(2); }, status, LINK_RETRY_FAILED,
         LinkFailureKind::kTransferFailed, "Input/output error"},
        {"no bytes twice", [] { bus().ZeroByteNextTransfers(2); }, status, LINK_RETRY_FAILED,
         LinkFailureKind::kTransferFailed, "no bytes"},
        {"time-out", [] { bus().TimeOutNextTransfers(2); }, status, LINK_RETRY_FAILED,
         LinkFailureKind::kTimedOut, "timed out"},
        {"refused reconfigure",
         [] {
             bus().FailNextTransfers(1);
             bus().RefuseSetConfiguration(1);
         },
         status, LINK_RECONFIGURE_FAILED, LinkFailureKind::kReconfigureRefused,
         "SET_CONFIGURATION"},
        {"memory chunk fails", [] { bus().FailNextTransfers(1); }, memory, LINK_TRANSFER_FAILED,
         LinkFailureKind::kTransferFailed, "Input/output error"},
        {"memory chunk short", [] { bus().ShortReplyNextTransfers(2, 100); }, memory,
         LINK_TRANSFER_FAILED, LinkFailureKind::kShortReply, "100 of 128 bytes"},
        {"memory chunk times out", [] { bus().TimeOutNextTransfers(1); }, memory,
         LINK_TRANSFER_FAILED, LinkFailureKind::kTimedOut, "timed out"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bus().Reset();
        const bool noMeter = c.name == "no meter";
        sim::Meter* meter = noMeter ? nullptr : &bus().PlugMeter();
        KestUSB link;
        if (meter != nullptr) Warm(link);
        if (c.name == "unplugged") bus().Unplug(*meter);
        c.fault();
        EXPECT_FALSE(c.call(link));
        const LinkFailure& failure = link.LastFailure();
        EXPECT_EQ(failure.status, c.status);
        EXPECT_EQ(failure.kind, c.kind);
        EXPECT_NE(failure.text.find(c.text), std::string::npos) << failure.text;
        EXPECT_FALSE(ReasonText(failure).empty());
        EXPECT_EQ(bus().OpenHandles(), 0);

        bus().ClearFaults();
        if (meter == nullptr)
            bus().PlugMeter();
        else if (!bus().IsPlugged(*meter))
            bus().Replug(*meter);
        EXPECT_TRUE(c.call(link) || c.call(link)) << "the link recovers";
        EXPECT_FALSE(link.LastFailure().failed());
        EXPECT_EQ(link.LastFailure().status, LINK_OK);
    }
}

TEST_F(LinkTest, PermissionDeniedNamesTheUdevRule) {
    bus().PlugMeter();
    KestUSB link;
    bus().FailNextOpens(2);  // the search's own open and the request's
    EXPECT_EQ(link.GetFirmwareVersion(), nullptr);
    EXPECT_EQ(link.LastFailure().kind, LinkFailureKind::kPermissionDenied);
    EXPECT_NE(ReasonText(link.LastFailure()).find("60-hvx2.rules"), std::string::npos);
}

TEST_F(LinkTest, LiveBlockNeverRepeatsThePreviousSamples) {
    sim::Meter& meter = bus().PlugMeter();
    int n = 0;
    meter.SetLiveSource([&n](double) { return RawSample{++n, 0}; });
    KestUSB link;
    ASSERT_TRUE(link.SetLiveMode(1));
    bus().Advance(std::chrono::seconds(4));
    ASSERT_EQ(
        DecodeLiveBlock(std::span<const uint8_t>(link.GetLiveSamples(), kLiveBlockLength)).size(),
        4u);

    bus().Advance(std::chrono::seconds(5));
    bus().ZeroByteNextTransfers(1);
    const uint8_t* empty = link.GetLiveSamples();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(DecodeLiveBlock(std::span<const uint8_t>(empty, kLiveBlockLength)).size(), 0u);

    bus().ShortReplyNextTransfers(1, 1 + 3 * 2 + 1);  // two whole samples and a stray byte
    const LiveBlock part =
        DecodeLiveBlock(std::span<const uint8_t>(link.GetLiveSamples(), kLiveBlockLength));
    ASSERT_EQ(part.size(), 2u);
    EXPECT_EQ(part.samples[0].flow, 5);
    EXPECT_EQ(part.samples[1].flow, 6);
}

TEST_F(LinkTest, LiveSamplesArriveInOrderAtTheMetersInterval) {
    sim::Meter& meter = bus().PlugMeter();
    int n = 0;
    meter.SetLiveSource([&n](double) {
        ++n;
        return RawSample{n, 1000 - n};
    });
    KestUSB link;
    ASSERT_TRUE(link.SetLiveMode(1));
    bus().Advance(std::chrono::milliseconds(3500));
    const uint8_t* block = link.GetLiveSamples();
    ASSERT_NE(block, nullptr);
    const LiveBlock live = DecodeLiveBlock(std::span<const uint8_t>(block, kLiveBlockLength));
    ASSERT_EQ(live.size(), 3u);
    EXPECT_EQ(live.samples[0], (RawSample{1, 999}));
    EXPECT_EQ(live.samples[2], (RawSample{3, 997}));
    EXPECT_EQ(
        DecodeLiveBlock(std::span<const uint8_t>(link.GetLiveSamples(), kLiveBlockLength)).size(),
        0u);
}

}  // namespace
