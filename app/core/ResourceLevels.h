#pragma once
// What the "Livelli risorse" box shows for one logger status: the remaining logging time as text,
// the used memory and the battery on the gauges' scale of 700, and the battery bar's colour.

#include <cstdint>
#include <string>

#include "meter/LoggerStatus.h"

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb kBatteryGood{0, 255, 0};
constexpr Rgb kBatteryLow{240, 160, 0};
constexpr Rgb kBatteryEmpty{255, 0, 0};
constexpr Rgb kBatteryTrough{236, 233, 216};

struct ResourceLevels {
    std::string memoryText;  // UTF-8
    int memoryLevel = 0;
    int batteryLevel = 0;
    Rgb batteryBar = kBatteryGood;
};

// "1 Days, 03:00Memoria del registro dei minuti disponibile", "02:05Memoria del registro delle
// ore disponibile" or "00:45Memoria del registro dei minuti disponibile": the parts are joined
// without blanks, hours and minutes always two digits.
std::string MemoryText(long remainingSeconds);

// Green above 350, orange from 350 down, red from 175 down.
Rgb BatteryBarColour(int batteryLevel);

ResourceLevels LevelsFromStatus(const LoggerStatus& status);
