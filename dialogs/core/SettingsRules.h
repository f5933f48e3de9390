#pragma once
// The settings dialog's arithmetic: interval tenths and the meter's sample-rate code, the BCD clock
// bytes as the dialog shows and steps them, and the identity line.

#include <wx/string.h>

#include <array>
#include <cstdint>
#include <optional>

constexpr int kMinInterval = 1;    // tenths of a second
constexpr int kMaxInterval = 159;  // 160 would wrap the 16-bit code to 0

using ClockBytes = std::array<uint8_t, 8>;

// 65536 - trunc(tenths * 409.6), 16 bits; tenths are clamped to 1..159.
uint16_t RateCodeFromInterval(int tenths);
// 1 + trunc((65535 - code) * 80 / 32768), brought into 1..159.
int IntervalFromRateCode(unsigned code);
// The interval stepper: nothing happens at the ends of 1..159.
int StepInterval(int tenths, bool up);
// Seconds with one decimal, "%.1f".
wxString IntervalText(int tenths);

// A clock byte read the way the meter's digits print: its hex digits taken as a decimal number
// (leading digits only, 0 when there are none).
int ClockByteValue(uint8_t byte);
// Steps the digits under digitMask: v + 1 up to limit, then 0; v - 1 down to 0, then limit. The
// bits outside the mask are the clock chip's flags (the oscillator's among them) and are kept as
// read. Digits outside 0..limit are left alone.
uint8_t StepClockByte(uint8_t byte, uint8_t digitMask, int limit, bool up);

struct ClockTexts {
    wxString hours, minutes, seconds;  // only the minutes carry a leading zero
};
ClockTexts ClockFieldTexts(const ClockBytes& clock);

struct CalendarDate {
    int day = 1, month = 1, year = 2000;
};
// The date of clock bytes 4..6; nothing when they do not make a real calendar date.
std::optional<CalendarDate> ClockDate(const ClockBytes& clock);
// Writes bytes 4..6 from a picked date (years outside 2000..2099 clamped, the meter keeps two
// digits).
void SetClockDate(ClockBytes& clock, const CalendarDate& date);

// "Numero seriale del misuratore: <serial>  Data di fabbricazione: <b23>:<b24>:<b25>" (hex bytes).
wxString IdentityLine(unsigned serial, const std::array<uint8_t, 3>& manufacture);
