#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "meter/KestUSB.h"
#include "meter/MemoryLayout.h"
#include "meter/SampleRate.h"
#include "sim/Scenario.h"

namespace {

TEST(Scenario, SettingsLinesFillTheSettingsBlock) {
    const sim::Scenario s = sim::Scenario::Parse(R"(
# comment line
firmware 0x0403
serial 4321          # trailing comment
manufactured 2024-02-29
units gallons
pressure-unit kpa
flow-unit gpm
interval-ms 5000
calibration 25 2 10
flow-on 40 6
flow-off 8 12
auto-log on
median-clamp 7 30
display 1
volume-range 2
clock 2026-12-09 10:30:00 fourth 0x80
battery 180
error-code 9
pressure-adc 700
)");
    const SettingsBlock st = s.meter().Settings();
    EXPECT_EQ(s.meter().FirmwareVersion(), 0x0403);
    EXPECT_EQ(st.serial, 4321);
    EXPECT_EQ(st.manufactureDate, (std::array<uint8_t, 3>{0x29, 0x02, 0x24}));
    EXPECT_FALSE(st.metricUnits());
    EXPECT_EQ(st.pressureUnit, kPressureKpa);
    EXPECT_EQ(st.unitMarker, 5);
    EXPECT_EQ(st.flowUnitBit, 8);
    EXPECT_EQ(IntervalMsFromCode(st.rateCode), 5000);
    EXPECT_EQ(st.pressureZero, 25);
    EXPECT_EQ(st.pressureRough, 2);
    EXPECT_EQ(st.pressureFine, 10);
    EXPECT_EQ(st.flowOnThreshold, 40);
    EXPECT_EQ(st.flowOffDelay, 12);
    EXPECT_TRUE(st.autoLog());
    EXPECT_EQ(st.medianLength, 7);
    EXPECT_EQ(st.flowClamp, 30);
    EXPECT_EQ(st.displayAlternation, 1);
    EXPECT_EQ(st.volumeRange, 2);
    EXPECT_EQ(s.meter().Clock().minute, 30);
    EXPECT_EQ(s.meter().FourthClockByte(), 0x80);
    EXPECT_TRUE(s.hasClock());
    EXPECT_EQ(s.meter().Battery(), 180);
    EXPECT_EQ(s.meter().ErrorCode(), 9);
    EXPECT_EQ(s.meter().PressureAdc(), 700);
}

TEST(Scenario, ErrorsNameTheLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"units metric\nfrobnicate 3\n", "scenario:2: unknown keyword 'frobnicate'"},
        {"battery\n", "scenario:1: 'battery' takes 1 value"},
        {"battery lots\n", "scenario:1: 'lots' is not a whole number"},
        {"\n\nserial 70000\n", "scenario:3: '70000' is outside 0..65535"},
        {"pressure-unit atm\n", "scenario:1: 'atm' is not one of psi, bar, mh2o, kpa"},
        {"clock 2026-02-30 10:00:00\n", "scenario:1: '2026-02-30' is not a date"},
        {"clock 2026-02-03 24:00:00\n", "scenario:1: '24:00:00' is not a time"},
        {"clock 2026-02-03 10:00:00 banana 7\n", "scenario:1: expected: clock"},
        {"serial 3\nfirmware 0x0402\n", "scenario:2: 'firmware' must come before the settings"},
        {"event 2026-01-01 00:00:00 samples 10/20 99999/3\n",
         "scenario:1: '99999' is outside 0..16383"},
        {"event 2026-01-01 00:00:00 samples 10-20\n",
         "scenario:1: sample '10-20' is not FLOW/PRESSURE"},
        {"samples 1/2\n", "scenario:1: 'samples' continues"},
        {"event 2026-01-01 00:00:00 wobble\n", "scenario:1: unknown event shape 'wobble'"},
        {"event 2026-01-01 00:00:00 constant 10 flow 5 pressure -2\n",
         "scenario:1: '-2' is not a number"},
        {"interval-ms 16000\nevent 2026-01-01 00:00:00 constant 99999999 flow 5 pressure 2\n",
         "scenario:2: the event does not fit"},
        {"interval-ms 1\nevent 2026-01-01 00:00:00 hydrant static 1 residual 1 flow 1 rise 1e300 "
         "hold 1 fall 1\n",
         "scenario:2: the event does not fit"},
    };
    for (const auto& c : cases) {
        try {
            sim::Scenario::Parse(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const sim::ScenarioError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(sim::Scenario::Load("/nonexistent/scenario.txt"), sim::ScenarioError);
}

TEST(Scenario, FaultLinesArmTheBus) {
    sim::Bus& bus = sim::Bus::Instance();
    bus.Reset();
    sim::Scenario::Parse("fail-opens 1\nfail-transfers 2\nrefuse-set-configuration 1\n")
        .PlugInto(bus);
    KestUSB link;
    EXPECT_EQ(link.GetLoggerStatus(), nullptr);
    EXPECT_NE(link.GetLoggerStatus(), nullptr);
    EXPECT_EQ(bus.OpenCalls(), 2) << "the search's own open failed";
    std::vector<std::pair<int, bool>> log;  // request, succeeded
    for (const sim::TransferRecord& r : bus.Transfers()) log.push_back({r.request, r.result >= 0});
    const std::vector<std::pair<int, bool>> expected = {
        {34, false}, {9, false},              // refused reconfiguration ends the first request
        {34, false}, {9, true},  {34, true},  // the second succeeds on its retry
    };
    EXPECT_EQ(log, expected);
    bus.Reset();
}

// Readings beyond what the meter's 14 and 10 bits hold log as the largest count, never as a
// wrapped or zero one.
TEST(Scenario, ReadingsBeyondTheMetersRangeSaturate) {
    const sim::Scenario s = sim::Scenario::Parse(R"(
pressure-unit bar
calibration 20 1 50
event 2026-12-08 08:00:00 constant 5 flow 1e30 pressure 1e9
event 2026-12-08 09:00:00 hydrant static 3e12 residual 2e12 flow 4e19 rise 2 hold 3 fall 2
)");
    const auto& m = s.meter().Memory();
    const uint32_t end = DecodeTocEntry(m.data() + TocAddress(2)).endAddress;
    ASSERT_GT(end, 41u);
    for (uint32_t a = 41; a + 3 <= end; a += 3) {
        const RawSample r = DecodeRawSample(m.data() + a);
        EXPECT_EQ(r.pressure, 0x3FF) << "sample at " << a;
        if (a < DecodeTocEntry(m.data() + TocAddress(1)).endAddress) {
            EXPECT_EQ(r.flow, 0x3FFF) << "sample at " << a;
        }
    }
}

TEST(Scenario, HydrantTestDropsToResidualWhileTheFlowRuns) {
    const sim::Scenario s = sim::Scenario::Parse(R"(
pressure-unit bar
calibration 20 1 50
interval-ms 1000
event 2026-12-08 08:00:00 hydrant static 6 residual 4 flow 1500 rise 20 hold 100 fall 10
event 2026-12-08 09:00:00 samples 1/30 2/31
samples 3/32
)");
    const auto& m = s.meter().Memory();
    ASSERT_EQ(s.meter().EventCount(), 2u);
    const TocEntry hydrant = DecodeTocEntry(m.data() + TocAddress(1));
    const unsigned n = (hydrant.endAddress - 41) / 3;
    EXPECT_EQ(n, 10u + 20 + 100 + 10 + 10);  // settle, rise, hold, fall, settle
    auto at = [&](unsigned k) { return DecodeRawSample(m.data() + 41 + 3 * k); };
    // 6 bar is 87 psi, 20 + 87 * 1.5 = 150 counts; 4 bar gives 107.
    EXPECT_EQ(at(0).flow, 0);
    EXPECT_NEAR(at(0).pressure, 150, 2);
    EXPECT_NEAR(at(80).flow, 1500, 40);
    EXPECT_NEAR(at(80).pressure, 107, 2);
    EXPECT_EQ(at(n - 1).flow, 0);
    EXPECT_NEAR(at(n - 1).pressure, 150, 2);
    const TocEntry samples = DecodeTocEntry(m.data() + TocAddress(2));
    EXPECT_EQ(samples.endAddress, hydrant.endAddress + 9);
    EXPECT_EQ(DecodeRawSample(m.data() + hydrant.endAddress + 6), (RawSample{3, 32}));
}

TEST(Scenario, ShippedScenariosLoadAndAnswerThroughTheLink) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(HVX_SCENARIO_DIR)) {
        if (entry.path().extension() != ".txt") continue;
        ++count;
        SCOPED_TRACE(entry.path().string());
        sim::Bus::Instance().Reset();
        sim::Scenario::Load(entry.path().string()).PlugInto(sim::Bus::Instance());
        KestUSB link;
        EXPECT_NE(link.GetFirmwareVersion(), nullptr);
        EXPECT_NE(link.GetLoggerStatus(), nullptr);
        sim::Bus::Instance().Reset();
    }
    EXPECT_GT(count, 0) << "no scenarios found in " << HVX_SCENARIO_DIR;
}

TEST(Scenario, DemoScenarioHoldsItsFourEvents) {
    const sim::Scenario s =
        sim::Scenario::Load(std::string(HVX_SCENARIO_DIR) + "/hydrant-test.txt");
    EXPECT_EQ(s.meter().EventCount(), 4u);
    EXPECT_EQ(s.meter().Settings().serial, 2417);
    EXPECT_EQ(FormatEventDate(DecodeTocEntry(s.meter().Memory().data() + TocAddress(1))),
              "8/12/2026 8:12:40");
}

}  // namespace

namespace {

// A memory image saved from a meter (the format `hvx-probe --dump` writes) replays as is: settings
// and table of contents come from the image. Its path is relative to the scenario file.
TEST(Scenario, MemoryImageIsLoadedAsIs) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("hvx-image-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "images");
    sim::Meter source;
    source.SetFirmwareVersion(0x0402);
    const RawSample samples[] = {{100, 200}, {300, 400}};
    ASSERT_TRUE(source.AddEvent({2025, 5, 6, 7, 8, 9}, samples));
    source.MutableMemory()[0x1FFFF] = 0x5A;  // a byte no entry owns survives too
    {
        std::ofstream out(dir / "images" / "meter.bin", std::ios::binary);
        out.write(reinterpret_cast<const char*>(source.Memory().data()), kMemorySize);
    }
    const std::string name = (dir / "replay.txt").string();
    const sim::Scenario s =
        sim::Scenario::Parse("firmware 0x0402\nmemory-image images/meter.bin\nbattery 99\n", name);
    EXPECT_EQ(s.meter().Memory(), source.Memory());
    EXPECT_EQ(s.meter().EventCount(), 1u);
    EXPECT_EQ(s.meter().Battery(), 99);
    EXPECT_TRUE(s.events().empty());

    std::filesystem::resize_file(dir / "images" / "meter.bin", 1000);
    struct Case {
        std::string text, message;
    };
    const Case errors[] = {
        {"memory-image images/meter.bin\n", "holds 1000 bytes instead of 131072"},
        {"memory-image missing.bin\n", "cannot read memory image"},
        {"memory-image a b\n", "takes 1 value"},
        {"event 2026-01-01 00:00:00 samples 1/1\nmemory-image images/meter.bin\n",
         "cannot be combined with 'event'"},
    };
    for (const Case& c : errors) {
        SCOPED_TRACE(c.text);
        try {
            sim::Scenario::Parse(c.text, name);
            ADD_FAILURE() << "accepted";
        } catch (const sim::ScenarioError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind(name + ":", 0), 0u) << e.what();
        }
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
