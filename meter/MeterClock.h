#pragma once
// The meter's real-time clock (GetClock, 8 BCD bytes) and the time and date blocks that
// SetClockTime and SetClockDate send back.

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <span>

constexpr std::size_t kClockLength = 8;

// The clock chip configuration the program always writes: SetClockConfig(a, b) with these
// (wValue 0xAB00). GetClockConfig reads it back.
constexpr int kClockConfigA = 0;
constexpr int kClockConfigB = 171;

struct MeterClock {
    int second = 0;
    int minute = 0;
    int hour = 0;
    uint8_t fourth = 0;  // not interpreted: handed back unchanged in the time block
    int day = 1;
    int month = 1;
    int year = 2000;  // full year
};

using TimeBlock = std::array<uint8_t, 4>;  // seconds, minutes, hours (BCD), fourth clock byte
using DateBlock = std::array<uint8_t, 3>;  // day, month, year - 2000 (BCD)

// Seconds and minutes are masked with 0x7F, hours with 0x3F before reading. Needs 7 bytes.
std::optional<MeterClock> DecodeClock(std::span<const uint8_t> bytes);
std::array<uint8_t, kClockLength> EncodeClock(const MeterClock& clock);

// From a broken-down time (std::tm: tm_year since 1900, tm_mon 0..11). Years outside 2000..2099
// are clamped, since the meter keeps two digits.
TimeBlock MakeTimeBlock(const std::tm& time, uint8_t fourthClockByte);
DateBlock MakeDateBlock(const std::tm& time);
