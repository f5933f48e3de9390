#include <gtest/gtest.h>

#include <cstdlib>

#include "data/Preferences.h"
#include "tests/unit/data/TempDir.h"

namespace {

// Without an application object the user configuration folder is $HOME on POSIX and %APPDATA% on
// Windows, as the toolkit names it there.
#ifdef _WIN32
constexpr const char* kConfigVariable = "APPDATA";
void SetVariable(const char* name, const std::string& value) { _putenv_s(name, value.c_str()); }
#else
constexpr const char* kConfigVariable = "HOME";
void SetVariable(const char* name, const std::string& value) {
    if (value.empty())
        unsetenv(name);
    else
        setenv(name, value.c_str(), 1);
}
#endif

class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv(kConfigVariable);
        if (old != nullptr) oldValue_ = old;
        SetVariable(kConfigVariable, dir_.Path().string());
    }
    void TearDown() override { SetVariable(kConfigVariable, oldValue_); }
    std::string IniPath() const { return dir_.File("hvxv48.ini"); }

    TempDir dir_;
    std::string oldValue_;
};

void ExpectDefaults(const Preferences& p) {
    EXPECT_EQ(p.metricUnits, 1);
    EXPECT_EQ(p.pressureUnit, 'b');
    EXPECT_EQ(p.firmwareVersion, 0);
    EXPECT_EQ(p.serial, 0);
    EXPECT_TRUE(p.showTips);
    EXPECT_EQ(p.flowUnit, 0);
    EXPECT_FALSE(p.meterSetsFlowUnit);
    EXPECT_FALSE(p.absoluteTime);
}

TEST_F(PreferencesTest, FileLivesInTheUserConfigDir) {
    EXPECT_EQ(std::string(PreferencesPath().utf8_str()), IniPath());
}

TEST_F(PreferencesTest, NoFileGivesDefaultsAndSavingWritesTheSevenDefaultLines) {
    GlobalPreferences().flowUnit = 3;
    GlobalPreferences().serial = 77;
    LoadPreferences();
    ExpectDefaults(GlobalPreferences());
    ASSERT_TRUE(SavePreferences());
    EXPECT_EQ(TempDir::Read(IniPath()), "1\n98\n0\n1\n0\n0\n0\n");
}

TEST_F(PreferencesTest, RoundTripOfEveryStoredField) {
    Preferences p;
    p.metricUnits = 0;
    p.pressureUnit = 16;
    p.firmwareVersion = 0x0213;
    p.serial = 4321;
    p.showTips = false;
    p.flowUnit = 2;
    p.meterSetsFlowUnit = true;
    p.absoluteTime = true;
    ASSERT_TRUE(SavePreferences(p, IniPath()));
    EXPECT_EQ(TempDir::Read(IniPath()), "0\n16\n531\n0\n2\n1\n1\n");
    Preferences q;
    LoadPreferences(q, IniPath());
    EXPECT_EQ(q.metricUnits, 0);
    EXPECT_EQ(q.pressureUnit, 16);
    EXPECT_EQ(q.firmwareVersion, 531);
    EXPECT_EQ(q.serial, 0) << "the serial number is never stored";
    EXPECT_FALSE(q.showTips);
    EXPECT_EQ(q.flowUnit, 2);
    EXPECT_TRUE(q.meterSetsFlowUnit);
    EXPECT_TRUE(q.absoluteTime);
}

TEST_F(PreferencesTest, BytesKeepTheLowByteAndFlagsAnyNonZero) {
    TempDir::Write(IniPath(), "257\n354\n-5\n7\n258\n-1\n2\n");
    Preferences p;
    LoadPreferences(p, IniPath());
    EXPECT_EQ(p.metricUnits, 1);
    EXPECT_EQ(p.pressureUnit, 98);
    EXPECT_EQ(p.firmwareVersion, -5);
    EXPECT_TRUE(p.showTips);
    EXPECT_EQ(p.flowUnit, 2);
    EXPECT_TRUE(p.meterSetsFlowUnit);
    EXPECT_TRUE(p.absoluteTime);
}

struct DamagedCase {
    const char* name;
    const char* content;
    int flowUnit;
    bool showTips;
    uint8_t pressureUnit;
};

class DamagedPreferences : public PreferencesTest,
                           public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedPreferences, KeepsTheDefaultsOfWhatItLacks) {
    const DamagedCase& c = GetParam();
    TempDir::Write(IniPath(), c.content);
    Preferences p;
    p.flowUnit = 3;  // stale values in memory must not survive a load
    LoadPreferences(p, IniPath());
    EXPECT_EQ(p.flowUnit, c.flowUnit);
    EXPECT_EQ(p.showTips, c.showTips);
    EXPECT_EQ(p.pressureUnit, c.pressureUnit);
    EXPECT_EQ(p.metricUnits, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedPreferences,
    ::testing::Values(
        DamagedCase{"empty", "", 0, true, 'b'},
        DamagedCase{"short", "1\n112\n0\n0\n", 0, false, 'p'},
        DamagedCase{"noFinalBreak", "1\n98\n0\n1\n2", 2, true, 'b'},
        DamagedCase{"garbageLine", "1\nbar\n0\n0\n2\n0\n0\n", 2, false, 'b'},
        DamagedCase{"trailingText", "1\n16x\n0\n1\n1\n0\n0\n", 1, true, 'b'},
        DamagedCase{"hugeNumber", "1\n99999999999999999999\n0\n1\n1\n0\n0\n", 1, true, 'b'},
        DamagedCase{"windowsBreaks", "1\r\n16\r\n0\r\n0\r\n3\r\n0\r\n0\r\n", 3, false, 16},
        DamagedCase{"binary", "\x01\xff\n\x7f\n", 0, true, 'b'}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreferencesTest, FourthLineZeroTurnsTheTipsOff) {
    TempDir::Write(IniPath(), "1\n98\n0\n0\n0\n0\n0\n");
    LoadPreferences();
    EXPECT_FALSE(GlobalPreferences().showTips);
}

TEST_F(PreferencesTest, UnwritablePlaceReportsFailureAndKeepsTheOldFile) {
    Preferences p;
    EXPECT_FALSE(SavePreferences(p, dir_.File("missing-folder/hvxv48.ini")));

    TempDir::Write(IniPath(), "0\n112\n5\n0\n1\n0\n0\n");
    std::filesystem::create_directory(dir_.File("blocked"));
    EXPECT_FALSE(SavePreferences(p, dir_.File("blocked")));
    EXPECT_TRUE(std::filesystem::is_directory(dir_.File("blocked")));
    EXPECT_EQ(TempDir::Read(IniPath()), "0\n112\n5\n0\n1\n0\n0\n");
    // No temporary files are left behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir_.Path()))
        ++entries;
    EXPECT_EQ(entries, 2);
}

}  // namespace
