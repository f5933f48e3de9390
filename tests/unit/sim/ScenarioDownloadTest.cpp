// The shipped scenarios played through KestUSB the way the program uses the meter: the download's
// reads (version word, settings block, table of contents, the whole sample area, then the samples
// shared out oldest event first) give back the scenario's events, and a live session gives the
// scenario's live readings at the meter's interval.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "meter/KestUSB.h"
#include "meter/LiveBlock.h"
#include "meter/LogDownload.h"
#include "meter/MemoryLayout.h"
#include "meter/SampleRate.h"
#include "meter/SettingsBlock.h"
#include "sim/Bus.h"
#include "sim/Scenario.h"

namespace {

struct Event {
    std::string date;
    uint32_t end = 0;
    std::vector<RawSample> samples;
};

struct Download {
    unsigned settingsLength = 0;
    SettingsBlock settings;
    std::vector<Event> events;  // newest first, as the record list shows them
};

// The download's own reads (ReadSettings, then ReadLog), with the samples of each event taken as
// the records take them.
Download RunDownload(KestUSB& link) {
    Download d;
    const std::optional<SettingsRead> settings = ReadSettings(link);
    if (!settings) {
        ADD_FAILURE() << "settings block: " << ReasonText(link.LastFailure());
        return d;
    }
    d.settingsLength = static_cast<unsigned>(settings->block.size());
    d.settings = settings->settings;
    const LogRead log = ReadLog(link, *settings, {});
    if (log.outcome != LogReadOutcome::kDone) {
        ADD_FAILURE() << "log: " << log.error << ReasonText(link.LastFailure());
        return d;
    }
    EXPECT_TRUE(log.memory.table.warnings.empty());
    for (const LoggedEvent& e : log.memory.table.events) {
        Event& event = d.events.emplace_back(Event{FormatEventDate(e.entry), e.end, {}});
        for (uint32_t i = 0; i < e.SampleCount(); ++i)
            event.samples.push_back(log.memory.Sample(e, i));
    }
    return d;
}

class ScenarioSession : public ::testing::Test {
protected:
    void SetUp() override { bus().Reset(); }
    void TearDown() override {
        EXPECT_EQ(bus().OpenHandles(), 0);
        bus().Reset();
    }
    static sim::Bus& bus() { return sim::Bus::Instance(); }
    static sim::Meter& Plug(const std::string& file) {
        return sim::Scenario::Load(std::string(HVX_SCENARIO_DIR) + "/" + file).PlugInto(bus());
    }
    static std::vector<int> Requests() {
        std::vector<int> out;
        for (const sim::TransferRecord& r : bus().Transfers()) out.push_back(r.request);
        return out;
    }
};

std::pair<int, int> FlowRange(const std::vector<RawSample>& samples) {
    const auto [lo, hi] =
        std::minmax_element(samples.begin(), samples.end(),
                            [](const RawSample& a, const RawSample& b) { return a.flow < b.flow; });
    return {lo->flow, hi->flow};
}

TEST_F(ScenarioSession, HydrantDayDownloadsItsFourEventsNewestFirst) {
    Plug("hydrant-test.txt");
    KestUSB link;
    const Download d = RunDownload(link);

    EXPECT_EQ(d.settingsLength, 41u);
    EXPECT_EQ(d.settings.serial, 2417);
    EXPECT_EQ(d.settings.pressureUnit, 'b');
    EXPECT_TRUE(d.settings.metricUnits());
    EXPECT_EQ(IntervalMsFromCode(d.settings.rateCode), 1000);
    EXPECT_EQ(d.settings.pressureZero, 20);
    EXPECT_EQ(d.settings.pressureRough, 1);
    EXPECT_EQ(d.settings.pressureFine, 50);

    // One sample a second: a hydrant test settles for a tenth of its hold (at least 3 s) before
    // and after rise, hold and fall.
    struct Expected {
        const char* date;
        std::size_t samples;
        int peakFlow;
    };
    const Expected expected[] = {
        {"9/12/2026 7:58:12", 30 + 30 + 300 + 25 + 30, 1720},
        {"8/12/2026 11:03:30", 90, 640},
        {"8/12/2026 9:47:05", 18 + 20 + 180 + 15 + 18, 1180},
        {"8/12/2026 8:12:40", 24 + 25 + 240 + 20 + 24, 1450},
    };
    ASSERT_EQ(d.events.size(), std::size(expected));
    uint32_t end = 41;
    for (std::size_t k = std::size(expected); k-- > 0;) {
        SCOPED_TRACE(expected[k].date);
        const Event& e = d.events[k];
        EXPECT_EQ(e.date, expected[k].date);
        EXPECT_EQ(e.end, end + 3 * expected[k].samples) << "events follow one another in memory";
        end = e.end;
        ASSERT_EQ(e.samples.size(), expected[k].samples);
        EXPECT_NEAR(FlowRange(e.samples).second, expected[k].peakFlow, expected[k].peakFlow / 20);
    }
    // A hydrant test starts and ends at rest, at the static pressure (5.6 bar is 20 + 81.2 x 1.5
    // counts); the full flow draws it down to the residual 3.9 bar.
    const Event& oldest = d.events[3];
    EXPECT_EQ(oldest.samples.front().flow, 0);
    EXPECT_EQ(oldest.samples.back().flow, 0);
    EXPECT_NEAR(oldest.samples.front().pressure, 142, 3);
    EXPECT_NEAR(oldest.samples[24 + 25 + 120].pressure, 105, 3);

    // The download's own reads and nothing else: version, settings block, table of contents, and
    // the sample area in chunks of 128 bytes.
    const std::size_t chunks = (end - 41 + 127) / 128;
    std::vector<int> reads = {9, 41, 23, 23};
    reads.insert(reads.end(), chunks, 23);
    EXPECT_EQ(Requests(), reads);
    const sim::TransferRecord& toc = bus().Transfers()[3];
    EXPECT_EQ(toc.value, (0x1FFFF - 36) & 0xFFFF);
    EXPECT_EQ(toc.index, 36 * 256 + 1);
    EXPECT_EQ(bus().Transfers()[4].value, 41);
}

TEST_F(ScenarioSession, OldMeterDownloadsFromTheShortSettingsBlock) {
    Plug("irrigation-gallons.txt");
    KestUSB link;
    const Download d = RunDownload(link);

    EXPECT_EQ(d.settingsLength, 21u);
    EXPECT_FALSE(d.settings.serial.has_value());
    EXPECT_FALSE(d.settings.metricUnits());
    EXPECT_EQ(d.settings.pressureUnit, 'p');
    EXPECT_EQ(IntervalMsFromCode(d.settings.rateCode), 5000);
    ASSERT_EQ(d.events.size(), 3u);

    // The newest event was logged sample by sample in the scenario file.
    const std::vector<RawSample> logged = {
        {0, 162},   {0, 162},   {41, 160},  {88, 158},  {130, 156}, {171, 154},
        {205, 152}, {233, 151}, {251, 150}, {256, 150}, {254, 150}, {255, 151},
        {249, 151}, {188, 154}, {97, 158},  {12, 161},  {0, 162},   {0, 162}};
    EXPECT_EQ(d.events[0].date, "21/06/2026 5:30:00");
    EXPECT_EQ(d.events[0].samples, logged);

    // Ten minutes at about 120 gpm and 66 psi (18 + 66 x 2.25 counts), one sample every 5 s.
    EXPECT_EQ(d.events[1].date, "20/06/2026 18:00:10");
    ASSERT_EQ(d.events[1].samples.size(), 120u);
    const auto [lo, hi] = FlowRange(d.events[1].samples);
    EXPECT_GE(lo, 118);
    EXPECT_LE(hi, 122);
    for (const RawSample& s : d.events[1].samples) EXPECT_NEAR(s.pressure, 166, 2);

    EXPECT_EQ(d.events[2].date, "20/06/2026 5:30:00");
    EXPECT_EQ(d.events[2].samples.size(), 36u + 24 + 360 + 18 + 36);
    EXPECT_EQ(d.events[2].end, 21u + 3 * d.events[2].samples.size());
}

TEST_F(ScenarioSession, EmptyMeterDownloadsNoEventAndReadsNoTable) {
    Plug("empty-meter.txt");
    KestUSB link;
    const Download d = RunDownload(link);
    EXPECT_TRUE(d.events.empty());
    EXPECT_EQ(d.settings.serial, 3105);
    EXPECT_EQ(Requests(), (std::vector<int>{9, 41, 23}));
}

TEST_F(ScenarioSession, EraseAfterTheDownloadLeavesNothingToDownload) {
    Plug("hydrant-test.txt");
    KestUSB link;
    ASSERT_EQ(RunDownload(link).events.size(), 4u);
    ASSERT_TRUE(link.EraseLog());
    const Download again = RunDownload(link);
    EXPECT_TRUE(again.events.empty());
    EXPECT_EQ(again.settings.serial, 2417) << "the erase keeps the settings";
    const uint8_t* status = link.GetLoggerStatus();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status[0] | status[1] << 8 | status[2] << 16, 131071);
}

// Live start, a live tick per second with a status tick every fifth, live stop.
struct LiveSession {
    std::vector<std::size_t> perTick;
    std::vector<RawSample> samples;
    std::size_t afterStop = 0;
};

LiveSession RunLive(KestUSB& link, int ticks) {
    LiveSession s;
    uint8_t block[41];
    EXPECT_TRUE(link.ReadMemory(0, 21, block));
    const int interval = IntervalMsFromCode(block[0] | block[1] << 8);
    EXPECT_TRUE(link.SetLiveMode(1));
    for (int t = 1; t <= ticks; ++t) {
        sim::Bus::Instance().Advance(std::chrono::milliseconds(std::max(interval, 1000)));
        const uint8_t* reply = link.GetLiveSamples();
        if (reply == nullptr) {
            ADD_FAILURE() << "live read failed at tick " << t;
            break;
        }
        const LiveBlock live = DecodeLiveBlock(std::span<const uint8_t>(reply, kLiveBlockLength));
        s.perTick.push_back(live.size());
        s.samples.insert(s.samples.end(), live.begin(), live.end());
        if (t % 5 == 0) {
            EXPECT_NE(link.GetLoggerStatus(), nullptr);
        }
    }
    EXPECT_TRUE(link.SetLiveMode(0));
    sim::Bus::Instance().Advance(std::chrono::seconds(3));
    const uint8_t* last = link.GetLiveSamples();
    EXPECT_NE(last, nullptr);
    if (last != nullptr)
        s.afterStop = DecodeLiveBlock(std::span<const uint8_t>(last, kLiveBlockLength)).size();
    return s;
}

TEST_F(ScenarioSession, LiveReadingsFollowTheScenarioAtTheMetersInterval) {
    struct Case {
        const char* file;
        std::size_t perTick;
        int flowLo, flowHi, pressureLo, pressureHi;
    };
    // hydrant-test: 900 l/min at 4.3 bar (20 + 62.4 x 1.5 counts), one sample a second.
    // empty-meter: at rest, 310 kPa (22 + 45 x 1.48 counts), two samples per one-second tick.
    const Case cases[] = {{"hydrant-test.txt", 1, 850, 950, 108, 119},
                          {"empty-meter.txt", 2, 0, 0, 84, 93}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        bus().Reset();
        sim::Meter& meter = Plug(c.file);
        KestUSB link;
        const LiveSession s = RunLive(link, 12);
        EXPECT_EQ(s.perTick, std::vector<std::size_t>(12, c.perTick));
        ASSERT_FALSE(s.samples.empty());
        for (const RawSample& r : s.samples) {
            EXPECT_GE(r.flow, c.flowLo);
            EXPECT_LE(r.flow, c.flowHi);
            EXPECT_GE(r.pressure, c.pressureLo);
            EXPECT_LE(r.pressure, c.pressureHi);
        }
        EXPECT_EQ(s.afterStop, 0u) << "the meter stops sampling when live mode is switched off";
        EXPECT_FALSE(meter.LiveMode());
        EXPECT_EQ(bus().OpenHandles(), 0);
    }
}

}  // namespace
