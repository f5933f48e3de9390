// hvx-probe --download as a technician runs it: the real program, built against the real libusb,
// with the simulated meter loaded in its place. The workspace it writes is read back and compared
// with the scenario's own events; failures leave no file and say why.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "data/Preferences.h"
#include "data/Workspace.h"
#include "meter/ByteOrder.h"
#include "tests/unit/sim/ScenarioRecords.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ProbeDownload : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("hvx-probe-download-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "home");
        // The user prefers cubic metres per hour; the meter's own flow unit marker wins.
        std::ofstream(dir_ / "home" / "hvxv48.ini") << "1\n98\n0\n0\n2\n0\n0\n";
        prefsBefore_ = ReadText(dir_ / "home" / "hvxv48.ini");
    }
    void TearDown() override {
        EXPECT_EQ(ReadText(dir_ / "home" / "hvxv48.ini"), prefsBefore_)
            << "the preferences file changed";
        fs::remove_all(dir_);
    }

    int Run(const std::string& scenario, const fs::path& out, const std::string& env = "") {
        const std::string command = "env " + env + " HOME='" + (dir_ / "home").string() +
                                    "' HVX_SIM_SCENARIO='" + scenario + "' LD_LIBRARY_PATH='" +
                                    HVX_SIM_PRELOAD_DIR + "' '" + HVX_PROBE + "' --download '" +
                                    out.string() + "' >'" + (dir_ / "out.txt").string() + "' 2>'" +
                                    (dir_ / "err.txt").string() + "'";
        const int status = std::system(command.c_str());
        out_ = ReadText(dir_ / "out.txt");
        err_ = ReadText(dir_ / "err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    WorkspaceReadResult ReadBack(const fs::path& path, Preferences& prefs) {
        return ReadWorkspace(wxString::FromUTF8(path.string().c_str()), prefs);
    }

    fs::path dir_;
    std::string prefsBefore_, out_, err_;
};

TEST_F(ProbeDownload, EachShippedScenarioIsWrittenAsAWorkspace) {
    struct Case {
        const char* file;
        int flowUnit;  // as the program would take it
        std::size_t records;
    };
    const Case cases[] = {
        {"hydrant-test.txt", 0, 4},        // the meter says litres per minute
        {"irrigation-gallons.txt", 0, 3},  // a gallon meter records gallons per minute
        {"empty-meter.txt", 1, 0},         // the meter says litres per second; nothing logged
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = std::string(HVX_SCENARIO_DIR) + "/" + c.file;
        const fs::path out = dir_ / (std::string(c.file) + ".orv");
        ASSERT_EQ(Run(path, out), 0) << out_ << err_;
        EXPECT_EQ(err_, "") << "no warnings for a whole log";
        EXPECT_NE(out_.find("Downloaded " + std::to_string(c.records) + " events"),
                  std::string::npos)
            << out_;
        EXPECT_EQ(ReadText(out).rfind("480000\n", 0), 0u) << "a version-4 workspace";

        Preferences prefs;
        const WorkspaceReadResult back = ReadBack(out, prefs);
        ASSERT_TRUE(back.Ok()) << back.error;
        const sim::Scenario scenario = sim::Scenario::Load(path);
        ExpectSameRecords(back.records, ExpectedRecords(scenario, c.flowUnit), 1e-6);
        if (c.records > 0) {
            EXPECT_EQ(prefs.flowUnit, c.flowUnit) << "line 10's flow unit";
        }
    }
}

// An image of an older metric meter (short block, no flow unit marker): the user's preference,
// cubic metres per hour, is the unit the flows are recorded in. A damaged entry is named on
// standard error and the others are kept.
TEST_F(ProbeDownload, MemoryImageReplaysWithTheUsersFlowUnitAndNamesADamagedEvent) {
    sim::Meter meter;
    meter.SetFirmwareVersion(0x0402);
    SettingsBlock settings = meter.Settings();
    settings.pressureUnit = kPressurePsi;
    meter.SetSettings(settings);
    const std::vector<sim::ScenarioEvent> events = {
        {{2025, 4, 1, 6, 0, 0}, {{120, 300}, {240, 310}, {60, 305}}},
        {{2025, 4, 2, 18, 30, 5}, {{1000, 500}, {1100, 520}}},
        {{2025, 4, 3, 9, 15, 45}, {{0, 25}, {16383, 1023}}},
    };
    for (const sim::ScenarioEvent& e : events) ASSERT_TRUE(meter.AddEvent(e.start, e.samples));
    auto write = [&](const char* name) {
        std::ofstream(dir_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(meter.Memory().data()), kMemorySize);
        std::ofstream(dir_ / (std::string(name) + ".txt"))
            << "firmware 0x0402\nmemory-image " << name << "\n";
        return (dir_ / (std::string(name) + ".txt")).string();
    };
    const fs::path out = dir_ / "image.orv";
    ASSERT_EQ(Run(write("whole.bin"), out), 0) << out_ << err_;
    Preferences prefs;
    WorkspaceReadResult back = ReadBack(out, prefs);
    ASSERT_TRUE(back.Ok()) << back.error;
    ExpectSameRecords(back.records, ExpectedRecords(events, meter.Settings(), 2), 1e-6);
    EXPECT_EQ(prefs.flowUnit, 2);

    // The middle event (Memoria 2) ends below the start of the sample area.
    uint8_t* entry = meter.MutableMemory().data() + kMemoryTop - 2 * kTocEntrySize;
    WriteLe24(entry + 6, 3);
    ASSERT_EQ(Run(write("damaged.bin"), out), 0) << out_ << err_;
    EXPECT_NE(err_.find("warning: Memoria 2 (2/04/2025 18:30:05): its end address 0x00003"),
              std::string::npos)
        << err_;
    back = ReadBack(out, prefs);
    ASSERT_TRUE(back.Ok()) << back.error;
    ASSERT_EQ(back.records.size(), 3u);
    EXPECT_EQ(back.records[0].GetLength(), 4) << "the newest starts where the oldest ended";
    EXPECT_EQ(back.records[1].GetLength(), 0);
    EXPECT_EQ(back.records[2].GetLength(), 3);
}

// The preloaded simulator leaves the meter's memory behind when the program ends, in the format a
// scenario's memory-image line reads back: a download reads and changes nothing.
TEST_F(ProbeDownload, TheSimulatedMeterMemoryIsWrittenAtExit) {
    const std::string path = std::string(HVX_SCENARIO_DIR) + "/hydrant-test.txt";
    const fs::path image = dir_ / "memory.bin";
    ASSERT_EQ(Run(path, dir_ / "out.orv", "HVX_SIM_MEMORY_OUT='" + image.string() + "'"), 0)
        << out_ << err_;
    const sim::Scenario scenario = sim::Scenario::Load(path);
    const std::string want(reinterpret_cast<const char*>(scenario.meter().Memory().data()),
                           kMemorySize);
    EXPECT_TRUE(ReadText(image) == want) << "the image differs from the scenario's memory";
    EXPECT_FALSE(fs::exists(dir_ / "memory.bin.partial"));

    // Read back as a scenario, it is the same meter.
    std::ofstream(dir_ / "replay.txt") << "memory-image memory.bin\n";
    ASSERT_EQ(Run((dir_ / "replay.txt").string(), dir_ / "replay.orv"), 0) << out_ << err_;
    EXPECT_EQ(ReadText(dir_ / "replay.orv"), ReadText(dir_ / "out.orv"));
}

TEST_F(ProbeDownload, FailuresWriteNothingAndSayWhy) {
    struct Case {
        std::string name, scenario;
        int exit;
        std::string message;
    };
    // Version, settings block and table of contents arrive; then the meter is gone.
    std::ofstream(dir_ / "unplugged.txt") << "event 2026-01-01 00:00:00 samples 1/1\n"
                                          << "unplug-after 3\n";
    std::ofstream(dir_ / "denied.txt") << "fail-opens 1000\n";
    std::ofstream(dir_ / "silent.txt") << "time-out-transfers 1000\n";
    sim::Meter huge;
    WriteLe16(huge.MutableMemory().data() + 2, 20000);
    std::ofstream(dir_ / "huge.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(huge.Memory().data()), kMemorySize);
    std::ofstream(dir_ / "huge.txt") << "memory-image huge.bin\n";
    const Case cases[] = {
        {"no meter", "", 2, "no HVX-2 meter (04d8:fffd) on the USB bus"},
        {"unplugged after the settings", (dir_ / "unplugged.txt").string(), 3,
         "cannot read the table of contents or the samples: no HVX-2 meter"},
        {"permission denied", (dir_ / "denied.txt").string(), 3, "60-hvx2.rules"},
        {"meter does not answer", (dir_ / "silent.txt").string(), 3, "did not answer in time"},
        {"too many events", (dir_ / "huge.txt").string(), 4,
         "20000 events do not fit in the meter's memory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path out = dir_ / "kept.orv";
        std::ofstream(out) << "an older file\n";
        EXPECT_EQ(Run(c.scenario, out), c.exit) << out_ << err_;
        EXPECT_NE(err_.find("download failed, nothing written"), std::string::npos) << err_;
        EXPECT_NE(err_.find(c.message), std::string::npos) << err_;
        EXPECT_EQ(ReadText(out), "an older file\n");
    }
}

}  // namespace
