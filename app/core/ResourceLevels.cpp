#include "app/core/ResourceLevels.h"

#include <algorithm>
#include <cstdio>

#include "meter/SampleRate.h"

std::string MemoryText(long remainingSeconds) {
    const long t = std::max(remainingSeconds, 0L);
    const long days = t / 86400;
    const long hours = t / 3600 % 24;
    const long minutes = t / 60 % 60;
    char clock[32];
    std::snprintf(clock, sizeof clock, "%02ld:%02ld", hours, minutes);
    if (days >= 1)
        return std::to_string(days) + " Days, " + clock +
               "Memoria del registro dei minuti disponibile";
    if (hours >= 1) return clock + std::string("Memoria del registro delle ore disponibile");
    return clock + std::string("Memoria del registro dei minuti disponibile");
}

Rgb BatteryBarColour(int batteryLevel) {
    if (batteryLevel <= 175) return kBatteryEmpty;
    if (batteryLevel <= 350) return kBatteryLow;
    return kBatteryGood;
}

ResourceLevels LevelsFromStatus(const LoggerStatus& status) {
    ResourceLevels levels;
    levels.memoryText = MemoryText(RemainingSeconds(status.freeMemory, status.rateCode));
    levels.memoryLevel = MemoryLevel(status.freeMemory);
    levels.batteryLevel = BatteryLevel(status.battery);
    levels.batteryBar = BatteryBarColour(levels.batteryLevel);
    return levels;
}
