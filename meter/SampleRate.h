#pragma once
// The meter's logging interval is a 16-bit timer reload value counted at 32768 / 80 = 409.6 ticks
// per second. The read-back formulas use 65535 and add 1, so every code the settings dialog writes
// for 1..160 tenths reads back as the same number of tenths.

#include <cstdint>

int IntervalMsFromCode(unsigned rateCode);
int TenthsFromCode(unsigned rateCode);
// The settings dialog's inverse; tenths outside 1..160 are clamped so the code fits 16 bits.
unsigned CodeFromTenths(int tenths);
// A code that reads back as intervalMs (clamped to 1..16000 ms); the round one where there is one.
unsigned CodeFromIntervalMs(int intervalMs);
// The sample period in seconds, not truncated.
double PeriodSecondsFromCode(unsigned rateCode);

constexpr unsigned kLogCapacity = 0x1FFFF;  // bytes of log memory in an empty meter
constexpr int kLevelScale = 700;            // memory and battery gauges

// Seconds of logging left: free memory / 3 samples times the period, truncated.
long RemainingSeconds(unsigned freeMemory, unsigned rateCode);
// Used part of the log on a scale of 700.
int MemoryLevel(unsigned freeMemory);
// Three times the battery reading on a scale of 700; clamped so a gauge is never overfilled.
int BatteryLevel(unsigned batteryReading);
