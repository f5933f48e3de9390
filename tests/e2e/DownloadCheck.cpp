// What the end-to-end download left behind, checked against the scenario the meter was built from:
//   download-check SCENARIO WORKSPACE MEMORY FLOW-UNIT
// WORKSPACE is the file the program saved, MEMORY the simulated meter's memory as the preloaded
// simulator wrote it when the program ended, FLOW-UNIT the unit the program must have taken.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/Preferences.h"
#include "data/Workspace.h"
#include "meter/LoggedMemory.h"
#include "tests/unit/sim/ScenarioRecords.h"

namespace {

std::string scenarioPath, workspacePath, memoryPath;
int flowUnit = 0;

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DownloadedAndErased, TheSavedFileHoldsEveryEventOfTheMeter) {
    const sim::Scenario scenario = sim::Scenario::Load(scenarioPath);
    ASSERT_FALSE(scenario.events().empty()) << "a scenario with events shows the download";
    Preferences prefs;
    const WorkspaceReadResult back = ReadWorkspace(wxString::FromUTF8(workspacePath), prefs);
    ASSERT_TRUE(back.Ok()) << back.error;
    ExpectSameRecords(back.records, ExpectedRecords(scenario, flowUnit), 1e-6);
    EXPECT_EQ(prefs.flowUnit, flowUnit);
}

TEST(DownloadedAndErased, TheMeterIsEmptyWithItsSettingsKept) {
    const sim::Scenario scenario = sim::Scenario::Load(scenarioPath);
    const std::vector<uint8_t> image = ReadBytes(memoryPath);
    ASSERT_EQ(image.size(), kMemorySize) << memoryPath;
    const LoggedMemoryResult decoded = DecodeMemoryImage(image, scenario.meter().FirmwareVersion());
    ASSERT_TRUE(decoded.memory) << decoded.error;
    EXPECT_EQ(decoded.memory->table.events.size(), 0u) << "events left on the meter";

    // Byte for byte what the meter's own erase leaves: the settings block untouched but for the
    // event count, the rest blank.
    sim::Meter erased = scenario.meter();
    erased.EraseLog();
    const auto& want = erased.Memory();
    for (std::size_t i = 0; i < kMemorySize; ++i) {
        if (image[i] != want[i]) {
            ADD_FAILURE() << "memory byte 0x" << std::hex << i << " is 0x" << int(image[i])
                          << " instead of 0x" << int(want[i]);
            break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: download-check SCENARIO WORKSPACE MEMORY FLOW-UNIT\n");
        return 2;
    }
    scenarioPath = argv[1];
    workspacePath = argv[2];
    memoryPath = argv[3];
    flowUnit = std::atoi(argv[4]);
    return RUN_ALL_TESTS();
}
