#include <gtest/gtest.h>

#include "dialogs/core/SettingsRules.h"

TEST(IntervalCode, WritesTheMeterTimerReload) {
    const struct {
        int tenths;
        unsigned code;
    } cases[] = {{1, 65536 - 409}, {10, 0xF000}, {25, 65536 - 10240}, {159, 0x019A}};
    for (const auto& c : cases) {
        EXPECT_EQ(RateCodeFromInterval(c.tenths), c.code) << c.tenths;
        EXPECT_EQ(IntervalFromRateCode(c.code), c.tenths) << c.tenths;
    }
}

TEST(IntervalCode, EveryIntervalReadsBackAsItself) {
    for (int tenths = kMinInterval; tenths <= kMaxInterval; ++tenths)
        EXPECT_EQ(IntervalFromRateCode(RateCodeFromInterval(tenths)), tenths);
}

TEST(IntervalCode, CodesOffTheGridStayInsideTheSliderRange) {
    EXPECT_EQ(IntervalFromRateCode(0xFFFF), 1);
    EXPECT_EQ(IntervalFromRateCode(0), kMaxInterval);  // would read 160 and wrap on the way back
    EXPECT_EQ(RateCodeFromInterval(160), RateCodeFromInterval(159));
    EXPECT_EQ(RateCodeFromInterval(0), RateCodeFromInterval(1));
}

TEST(IntervalStepper, StopsAtTheEnds) {
    EXPECT_EQ(StepInterval(159, true), 159);
    EXPECT_EQ(StepInterval(1, false), 1);
    EXPECT_EQ(StepInterval(158, true), 159);
    EXPECT_EQ(StepInterval(2, false), 1);
    EXPECT_EQ(IntervalText(1), "0.1");
    EXPECT_EQ(IntervalText(159), "15.9");
}

TEST(ClockStepper, WrapsAtItsLimits) {
    const struct {
        uint8_t byte;
        int limit;
        bool up;
        uint8_t expected;
    } cases[] = {
        {0x59, 59, true, 0x00},  {0x00, 59, false, 0x59}, {0x23, 23, true, 0x00},
        {0x00, 23, false, 0x23}, {0x09, 59, true, 0x10},  {0x10, 59, false, 0x09},
        {0x19, 23, true, 0x20},  {0x60, 59, true, 0x60},  // not a valid minute: left alone
    };
    for (const auto& c : cases)
        EXPECT_EQ(StepClockByte(c.byte, c.limit == 23 ? 0x3F : 0x7F, c.limit, c.up), c.expected)
            << std::hex << int(c.byte) << (c.up ? " up" : " down");
}

// The bits above the digits are the clock chip's flags (bit 7 of the seconds is the running
// oscillator's): stepping moves the digits and hands the flags back as read.
TEST(ClockStepper, StepsTheDigitsAndKeepsTheFlagBits) {
    const struct {
        uint8_t byte;
        uint8_t mask;
        int limit;
        bool up;
        uint8_t expected;
    } cases[] = {
        {0x85, 0x7F, 59, true, 0x86},   // oscillator flag on the seconds
        {0x80, 0x7F, 59, false, 0xD9},  // wraps 0 -> 59 under the flag
        {0xD9, 0x7F, 59, true, 0x80},   // and 59 -> 0
        {0x89, 0x7F, 59, true, 0x90},   // a flagged minute
        {0x63, 0x3F, 23, true, 0x40},   // hours: bit 6 kept, 23 -> 0
        {0xC0, 0x3F, 23, false, 0xE3},  // bits 6 and 7 kept, 0 -> 23
        {0x88, 0x3F, 23, false, 0x87},
        {0xE0, 0x7F, 59, true, 0xE0},  // digits 60 are no valid second: left alone, flag and all
    };
    for (const auto& c : cases)
        EXPECT_EQ(StepClockByte(c.byte, c.mask, c.limit, c.up), c.expected)
            << std::hex << int(c.byte) << (c.up ? " up" : " down");
}

TEST(ClockFields, OnlyMinutesCarryALeadingZeroAndFlagBitsAreMasked) {
    const ClockBytes clock{0x87, 0x05, 0x49, 0, 0x03, 0x04, 0x15, 0};
    const ClockTexts texts = ClockFieldTexts(clock);
    EXPECT_EQ(texts.seconds, "7");
    EXPECT_EQ(texts.minutes, "05");
    EXPECT_EQ(texts.hours, "9");
}

TEST(ClockDate, ReadsBcdAndRefusesImpossibleDates) {
    ClockBytes clock{0, 0, 0, 0, 0x29, 0x02, 0x24, 0};
    auto date = ClockDate(clock);
    ASSERT_TRUE(date);
    EXPECT_EQ(date->day, 29);
    EXPECT_EQ(date->month, 2);
    EXPECT_EQ(date->year, 2024);
    clock[6] = 0x23;  // 29 February 2023
    EXPECT_FALSE(ClockDate(clock));
    clock = {0, 0, 0, 0, 0x01, 0x13, 0x20, 0};
    EXPECT_FALSE(ClockDate(clock));
    clock = {0, 0, 0, 0, 0x1A, 0x01, 0x20, 0};
    EXPECT_FALSE(ClockDate(clock));
}

TEST(ClockDate, PickedDateBecomesBcdBytes) {
    ClockBytes clock{};
    SetClockDate(clock, {31, 12, 2030});
    EXPECT_EQ(clock[4], 0x31);
    EXPECT_EQ(clock[5], 0x12);
    EXPECT_EQ(clock[6], 0x30);
    SetClockDate(clock, {1, 1, 2150});  // the meter keeps two digits
    EXPECT_EQ(clock[6], 0x99);
}

TEST(IdentityLine, ShowsSerialAndDateBytes) {
    EXPECT_EQ(IdentityLine(1234, {0x15, 0x06, 0x21}),
              "Numero seriale del misuratore: 1234  Data di fabbricazione: 15:6:21");
}
