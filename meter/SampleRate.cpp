#include "meter/SampleRate.h"

#include <algorithm>

namespace {
unsigned Ticks(unsigned rateCode) { return 65535u - (rateCode & 0xFFFFu); }
}  // namespace

int IntervalMsFromCode(unsigned rateCode) {
    return 1 + static_cast<int>(Ticks(rateCode) * 8000ull / 32768ull);
}

int TenthsFromCode(unsigned rateCode) {
    return 1 + static_cast<int>(Ticks(rateCode) * 80ull / 32768ull);
}

unsigned CodeFromTenths(int tenths) {
    tenths = std::clamp(tenths, 1, 160);
    return 65536u - static_cast<unsigned>(tenths * 409.6);
}

unsigned CodeFromIntervalMs(int intervalMs) {
    intervalMs = std::clamp(intervalMs, 1, IntervalMsFromCode(0));
    // The code the settings dialog would write (1000 ms gives 0xF000), when it reads back exactly.
    const unsigned nominal = std::min(65535u, 65536u - static_cast<unsigned>(intervalMs * 4.096));
    if (IntervalMsFromCode(nominal) == intervalMs) return nominal;
    // The interval falls as the code rises: find the largest code that still reaches intervalMs.
    unsigned lo = 0, hi = 65535;
    while (lo < hi) {
        unsigned mid = (lo + hi + 1) / 2;
        if (IntervalMsFromCode(mid) >= intervalMs)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

double PeriodSecondsFromCode(unsigned rateCode) {
    return (Ticks(rateCode) * 8000.0 / 32768.0 + 1.0) / 1000.0;
}

long RemainingSeconds(unsigned freeMemory, unsigned rateCode) {
    return static_cast<long>(freeMemory / 3.0 * PeriodSecondsFromCode(rateCode));
}

int MemoryLevel(unsigned freeMemory) {
    const unsigned used = kLogCapacity - std::min(freeMemory, kLogCapacity);
    return static_cast<int>(static_cast<unsigned long long>(kLevelScale) * used / kLogCapacity);
}

int BatteryLevel(unsigned batteryReading) {
    return static_cast<int>(std::min<unsigned long>(3ul * batteryReading, kLevelScale));
}
