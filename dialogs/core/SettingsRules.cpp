#include "dialogs/core/SettingsRules.h"

#include <wx/datetime.h>

#include <algorithm>

#include "meter/Bcd.h"

uint16_t RateCodeFromInterval(int tenths) {
    tenths = std::clamp(tenths, kMinInterval, kMaxInterval);
    // 409.6 ticks a second is 4096 per ten tenths: integer arithmetic gives the same truncation.
    const int ticks = tenths * 4096 / 10;
    return static_cast<uint16_t>(65536 - ticks);
}

int IntervalFromRateCode(unsigned code) {
    code &= 0xFFFF;
    const int tenths = 1 + static_cast<int>((65535u - code) * 80u / 32768u);
    return std::clamp(tenths, kMinInterval, kMaxInterval);
}

int StepInterval(int tenths, bool up) {
    if (up && tenths >= kMinInterval && tenths < kMaxInterval) return tenths + 1;
    if (!up && tenths > kMinInterval && tenths <= kMaxInterval) return tenths - 1;
    return tenths;
}

wxString IntervalText(int tenths) { return wxString::Format("%.1f", tenths / 10.0); }

int ClockByteValue(uint8_t byte) {
    const wxString hex = wxString::Format("%x", byte);
    int value = 0;
    for (wxUniChar c : hex) {
        if (c < '0' || c > '9') break;
        value = value * 10 + static_cast<int>(c.GetValue() - '0');
    }
    return value;
}

uint8_t StepClockByte(uint8_t byte, uint8_t digitMask, int limit, bool up) {
    const int v = ClockByteValue(byte & digitMask);
    if (v < 0 || v > limit) return byte;
    const uint8_t digits =
        up ? (v + 1 > limit ? 0 : ToBcd(v + 1)) : (v - 1 < 0 ? ToBcd(limit) : ToBcd(v - 1));
    return static_cast<uint8_t>((byte & ~digitMask) | digits);
}

ClockTexts ClockFieldTexts(const ClockBytes& clock) {
    ClockTexts out;
    out.seconds = wxString::Format("%x", clock[0] & 0x7F);
    const int minutes = clock[1] & 0x7F;
    out.minutes = wxString::Format(minutes < 0x10 ? "0%x" : "%x", minutes);
    out.hours = wxString::Format("%x", clock[2] & 0x3F);
    return out;
}

std::optional<CalendarDate> ClockDate(const ClockBytes& clock) {
    if (!IsBcd(clock[4]) || !IsBcd(clock[5]) || !IsBcd(clock[6])) return std::nullopt;
    CalendarDate date{FromBcd(clock[4]), FromBcd(clock[5]), 2000 + FromBcd(clock[6])};
    if (date.month < 1 || date.month > 12 || date.day < 1) return std::nullopt;
    const auto month = static_cast<wxDateTime::Month>(date.month - 1);
    if (date.day > wxDateTime::GetNumberOfDays(month, date.year)) return std::nullopt;
    return date;
}

void SetClockDate(ClockBytes& clock, const CalendarDate& date) {
    clock[4] = ToBcd(date.day);
    clock[5] = ToBcd(date.month);
    clock[6] = ToBcd(std::clamp(date.year, 2000, 2099) - 2000);
}

wxString IdentityLine(unsigned serial, const std::array<uint8_t, 3>& manufacture) {
    return wxString::Format("Numero seriale del misuratore: %u  Data di fabbricazione: %x:%x:%x",
                            serial, manufacture[0], manufacture[1], manufacture[2]);
}
