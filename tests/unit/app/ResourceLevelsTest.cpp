// The "Livelli risorse" box's texts and levels for one logger status, without a display.
#include <gtest/gtest.h>

#include "app/core/ResourceLevels.h"

namespace {

const char kMinutes[] = "Memoria del registro dei minuti disponibile";
const char kHours[] = "Memoria del registro delle ore disponibile";

TEST(MemoryText, DaysHoursAndMinutesForms) {
    const struct {
        long seconds;
        std::string text;
    } cases[] = {
        {2 * 3600 + 5 * 60, std::string("02:05") + kHours},
        {45 * 60, std::string("00:45") + kMinutes},
        {86400 + 3 * 3600, std::string("1 Days, 03:00") + kMinutes},
        {0, std::string("00:00") + kMinutes},
        {59, std::string("00:00") + kMinutes},    // seconds are dropped, not rounded
        {3599, std::string("00:59") + kMinutes},  // the last minute before the hours form
        {3600, std::string("01:00") + kHours},    // the first whole hour
        {86399, std::string("23:59") + kHours},   // the last minute before the days form
        {12 * 86400 + 60, std::string("12 Days, 00:01") + kMinutes},
        {-5, std::string("00:00") + kMinutes},
    };
    for (const auto& c : cases) EXPECT_EQ(MemoryText(c.seconds), c.text) << c.seconds;
}

TEST(BatteryBarColour, GreenAboveHalfOrangeFromHalfRedFromAQuarter) {
    const struct {
        int level;
        Rgb colour;
    } cases[] = {
        {700, kBatteryGood}, {351, kBatteryGood},  {350, kBatteryLow},
        {176, kBatteryLow},  {175, kBatteryEmpty}, {0, kBatteryEmpty},
    };
    for (const auto& c : cases) EXPECT_EQ(BatteryBarColour(c.level), c.colour) << c.level;
    EXPECT_EQ(kBatteryGood, (Rgb{0, 255, 0}));
    EXPECT_EQ(kBatteryLow, (Rgb{240, 160, 0}));
    EXPECT_EQ(kBatteryEmpty, (Rgb{255, 0, 0}));
}

TEST(LevelsFromStatus, TheWholeStatusReplyBecomesTheBoxContents) {
    const struct {
        LoggerStatus status;
        std::string text;
        int memory, battery;
        Rgb bar;
    } cases[] = {
        // An empty log at one sample a second lasts 43723 s; an empty memory gauge.
        {{131071, 117, 0xF000}, std::string("12:08") + kHours, 0, 351, kBatteryGood},
        // One sample every 16 s: more than a week.
        {{131071, 116, 0x0000}, std::string("8 Days, 02:11") + kMinutes, 0, 348, kBatteryLow},
        {{22500, 58, 0xF000}, std::string("02:05") + kHours, 579, 174, kBatteryEmpty},
        // A full log: a full gauge and no time left.
        {{0, 400, 0xF000}, std::string("00:00") + kMinutes, 700, 700, kBatteryGood},
        // Readings past the scales do not overfill the gauges.
        {{0xFFFFFF, 0xFFFF, 0xF000},
         std::string("64 Days, 18:37") + kMinutes,
         0,
         700,
         kBatteryGood},
    };
    for (const auto& c : cases) {
        const ResourceLevels levels = LevelsFromStatus(c.status);
        SCOPED_TRACE(c.status.freeMemory);
        EXPECT_EQ(levels.memoryText, c.text);
        EXPECT_EQ(levels.memoryLevel, c.memory);
        EXPECT_EQ(levels.batteryLevel, c.battery);
        EXPECT_EQ(levels.batteryBar, c.bar);
    }
}

}  // namespace
