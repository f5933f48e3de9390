#include "meter/MeterClock.h"

#include "meter/Bcd.h"

std::optional<MeterClock> DecodeClock(std::span<const uint8_t> bytes) {
    if (bytes.size() < 7) return std::nullopt;
    const uint8_t* b = bytes.data();
    MeterClock c;
    c.second = FromBcd(b[0] & 0x7F);
    c.minute = FromBcd(b[1] & 0x7F);
    c.hour = FromBcd(b[2] & 0x3F);
    c.fourth = b[3];
    c.day = FromBcd(b[4]);
    c.month = FromBcd(b[5]);
    c.year = 2000 + FromBcd(b[6]);
    return c;
}

std::array<uint8_t, kClockLength> EncodeClock(const MeterClock& c) {
    return {ToBcd(c.second), ToBcd(c.minute), ToBcd(c.hour),        c.fourth,
            ToBcd(c.day),    ToBcd(c.month),  ToBcd(c.year - 2000), 0};
}

TimeBlock MakeTimeBlock(const std::tm& time, uint8_t fourthClockByte) {
    return {ToBcd(time.tm_sec), ToBcd(time.tm_min), ToBcd(time.tm_hour), fourthClockByte};
}

DateBlock MakeDateBlock(const std::tm& time) {
    return {ToBcd(time.tm_mday), ToBcd(time.tm_mon + 1), ToBcd(time.tm_year + 1900 - 2000)};
}
