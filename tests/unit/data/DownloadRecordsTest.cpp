// What a download makes of a decoded log: the records with their units, titles and dates, the
// preferences the settings block teaches, and the check that a saved file holds them.
#include <gtest/gtest.h>
#include <wx/filename.h>

#include <fstream>
#include <string>

#include "data/DownloadRecords.h"
#include "data/Workspace.h"
#include "meter/ByteOrder.h"
#include "tests/unit/data/TempDir.h"

namespace {

// Two events of a meter with the given block form and measurement system, newest first after
// decoding: the older holds raw flows 120 and 60, the newer one sample of flow 600.
LoggedMemory TwoEvents(bool longForm, bool metric) {
    std::vector<uint8_t> image(kMemorySize, 0xFF);
    SettingsBlock s;
    s.longForm = longForm;
    s.rateCode = 0xF000;  // 1000 ms
    s.fileCount = 2;
    s.state = metric ? 1 : 0;
    s.pressureZero = 10;
    s.pressureRough = 2;
    s.pressureFine = 50;
    s.pressureUnit = kPressurePsi;
    if (longForm) {
        s.serial = 2417;
        s.manufactureDate = std::array<uint8_t, 3>{1, 1, 0x25};
        s.unitMarker = 0;
        s.flowUnitBit = 0;
    }
    EncodeSettingsBlock(s, image);
    const uint32_t L = longForm ? 41 : 21;
    const RawSample samples[] = {{120, 110}, {60, 10}, {600, 110}};
    for (std::size_t i = 0; i < 3; ++i) EncodeRawSample(samples[i], image.data() + L + 3 * i);
    EncodeTocEntry({0x00, 0x30, 0x14, 0x21, 0x06, 0x26, L + 9}, image.data() + kMemoryTop - 18);
    EncodeTocEntry({0x05, 0x00, 0x08, 0x21, 0x06, 0x26, L + 6}, image.data() + kMemoryTop - 9);
    return *DecodeMemoryImage(image, longForm ? 0x0403 : 0x0402).memory;
}

TEST(DownloadRecords, RecordsCarryTheUnitTheyWereMeasuredIn) {
    struct Case {
        const char* name;
        bool longForm, metric;
        int flowUnit;          // the preference
        int storedUnit;        // what the records hold
        float flow0, volume1;  // older record: first flow, volume after two samples
        int serial;
    };
    const Case cases[] = {
        {"litres per minute", true, true, 0, 0, 120.0f, 3.0f, 2417},
        {"cubic metres per hour", true, true, 2, 2, 7.2f, 0.003f, 2417},
        {"litres per second", false, true, 1, 1, 2.0f, 3.0f, 0},
        {"a gallon meter stays in gallons", false, false, 2, 0, 120.0f, 3.0f, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Storage> r = RecordsFromLog(TwoEvents(c.longForm, c.metric), c.flowUnit);
        ASSERT_EQ(r.size(), 2u);
        EXPECT_EQ(r[0].title, "Memoria 1");
        EXPECT_EQ(r[0].dateText, "21/06/2026 14:30:00");
        EXPECT_EQ(r[1].title, "Memoria 2");
        EXPECT_EQ(r[1].dateText, "21/06/2026 8:00:05");
        EXPECT_EQ(r[0].GetLength(), 1);
        ASSERT_EQ(r[1].GetLength(), 2);
        for (const Storage& s : r) {
            EXPECT_EQ(s.flowUnit, c.storedUnit);
            EXPECT_EQ(s.metricUnits, c.metric ? 1 : 0);
            EXPECT_EQ(s.intervalMs, 1000);
            EXPECT_EQ(s.serial, c.serial);
            EXPECT_EQ(s.pressureUnit, kPressurePsi);
        }
        EXPECT_NEAR(r[1].flow[0], c.flow0, 1e-5);
        EXPECT_NEAR(r[1].volume[1], c.volume1, 1e-6);
        EXPECT_FLOAT_EQ(r[1].pressure[0], 40.0f) << "(110 - 10) / 2.5 psi";
        EXPECT_FLOAT_EQ(r[1].pressure[1], 0.0f) << "below zero + 5";
        EXPECT_FLOAT_EQ(r[1].time[1], 2.0f);
        EXPECT_EQ(r[0].memoryEnd, int(TwoEvents(c.longForm, c.metric).settingsLength + 9));
    }
}

TEST(DownloadRecords, SettingsTeachThePreferences) {
    std::vector<uint8_t> block(41, 0);
    block[4] = 0;  // gallons
    block[19] = kPressureKpa;
    WriteLe16(block.data() + 21, 3105);
    block[33] = 5;
    block[34] = 4;  // m³/h
    Preferences prefs;
    prefs.serial = 77;
    ApplyDownloadSettings(prefs, 0x0403, block);
    EXPECT_EQ(prefs.firmwareVersion, 0x0403);
    EXPECT_EQ(prefs.metricUnits, 0);
    EXPECT_EQ(prefs.pressureUnit, kPressureKpa);
    EXPECT_EQ(prefs.serial, 3105);
    EXPECT_EQ(prefs.flowUnit, 2);
    EXPECT_TRUE(prefs.meterSetsFlowUnit);

    block.resize(21);
    block[4] = 1;
    ApplyDownloadSettings(prefs, 0x0402, block);
    EXPECT_EQ(prefs.serial, 3105) << "the short block has no serial: it keeps its value";
    EXPECT_EQ(prefs.flowUnit, 2);
    EXPECT_FALSE(prefs.meterSetsFlowUnit);
    EXPECT_EQ(prefs.metricUnits, 1);
}

// The erase waits for this check: the saved file must give back every record and sample.
TEST(DownloadRecords, SavedFileIsCheckedRecordBySample) {
    TempDir dir;
    const wxString path = dir.File("giorno.orv");
    const std::vector<Storage> records = RecordsFromLog(TwoEvents(true, true), 2);
    ASSERT_TRUE(WriteWorkspace(path, records));
    wxString why;
    EXPECT_TRUE(WorkspaceHolds(path, records, &why)) << why;

    std::vector<Storage> other = records;
    other[1].flow[1] += 0.001f;
    EXPECT_FALSE(WorkspaceHolds(path, other, &why));
    EXPECT_NE(why.Find("Memoria 2: sample 1"), wxNOT_FOUND) << why;

    other = records;
    other.pop_back();
    EXPECT_FALSE(WorkspaceHolds(path, other, &why));
    other = records;
    other[0].title = "Memoria 9";
    EXPECT_FALSE(WorkspaceHolds(path, other, &why));
    EXPECT_FALSE(WorkspaceHolds(dir.File("missing.orv"), records, &why));
    EXPECT_FALSE(why.empty());

    // A copy cut short in the last record opens the first one, but does not hold the download.
    const std::string whole = TempDir::Read(dir.File("giorno.orv"));
    TempDir::Write(dir.File("tagliato.orv"), whole.substr(0, whole.size() - 20));
    why.clear();
    EXPECT_FALSE(WorkspaceHolds(dir.File("tagliato.orv"), records, &why));
    EXPECT_NE(why.Find("Damaged workspace file"), wxNOT_FOUND) << why;
}

}  // namespace
