#include "data/Storage.h"

#include <cassert>
#include <optional>

#include "data/BaseOnly.h"
#include "data/Units.h"

namespace {

// The form every download and every saved workspace writes, "D/MM/YYYY H:MM:SS" (one or two digits
// for day and hour), read without the toolkit's parser: big workspaces and downloads read thousands
// of dates, and the parser allocates several times for each. Anything else, or any value the parser
// might judge differently (seconds 60 and 61, a day past the month's end), is left to the parser.
std::optional<wxDateTime> ParseCanonicalDate(const wxString& text) {
    const wxStringCharType* p = text.wx_str();
    const wxStringCharType* const end = p + text.length();
    auto number = [&](int minDigits, int maxDigits) -> int {
        int value = 0;
        int digits = 0;
        while (p != end && digits < maxDigits && *p >= '0' && *p <= '9') {
            value = value * 10 + (*p++ - '0');
            ++digits;
        }
        return digits >= minDigits ? value : -1;
    };
    auto skip = [&](wxStringCharType c) { return p != end && *p == c ? (++p, true) : false; };
    const int day = number(1, 2);
    if (day < 1 || !skip('/')) return std::nullopt;
    const int month = number(2, 2);
    if (month < 1 || month > 12 || !skip('/')) return std::nullopt;
    const int year = number(4, 4);
    if (year < 0 || !skip(' ')) return std::nullopt;
    const int hour = number(1, 2);
    if (hour < 0 || hour > 23 || !skip(':')) return std::nullopt;
    const int minute = number(2, 2);
    if (minute < 0 || minute > 59 || !skip(':')) return std::nullopt;
    const int second = number(2, 2);
    if (second < 0 || second > 59 || p != end) return std::nullopt;
    const auto m = wxDateTime::Month(month - 1);
    if (day > wxDateTime::GetNumberOfDays(m, year)) return std::nullopt;
    return wxDateTime(wxDateTime::wxDateTime_t(day), m, year, wxDateTime::wxDateTime_t(hour),
                      wxDateTime::wxDateTime_t(minute), wxDateTime::wxDateTime_t(second));
}

}  // namespace

wxDateTime ParseRecordDate(const wxString& dateText) {
    if (const std::optional<wxDateTime> fast = ParseCanonicalDate(dateText)) return *fast;
    wxDateTime when;
    const wxString text = dateText.Strip(wxString::both);
    // The creators write the day first; the free-form parser would read 7/03 as July 3rd.
    for (const char* format : {"%d/%m/%Y %H:%M:%S", "%d/%m/%Y %H:%M", "%d/%m/%Y"}) {
        wxString::const_iterator end;
        if (when.ParseFormat(text, format, &end) && end == text.end()) return when;
    }
    wxString::const_iterator end;
    if (when.ParseDateTime(text, &end) && end == text.end()) return when;
    return wxDateTime();
}

Storage::Storage(const wxString& dateText_, int intervalMs_, int metricUnits_, int reservedFlag_,
                 int flowUnit_, int number)
    : start(ParseRecordDate(dateText_)),
      flowUnit(EffectiveFlowUnit(metricUnits_, flowUnit_)),
      title(std::to_wstring(number)),
      reservedFlag(std::uint8_t(reservedFlag_)),
      metricUnits(metricUnits_),
      intervalMs(intervalMs_),
      dateText(dateText_) {}

void Storage::Reserve(std::size_t count) {
    const std::size_t n = time.size() + count;
    time.reserve(n);
    flow.reserve(n);
    pressure.reserve(n);
    volume.reserve(n);
}

void Storage::AddRawSample(int flowRaw, int pressureRaw) {
    ++sampleCount;
    time.push_back(float(double(sampleCount) * intervalMs / 1000.0));
    flow.push_back(float(ConvertFlow(flowRaw, flowUnit)));

    int d = pressureRaw - pressureZero;
    if (d < 5) d = 0;
    const float divisor = float(pressureFine / 100.0 + pressureRough);
    // An uncalibrated meter (divisor 0) reads pressure 0 rather than inf or NaN.
    const double psi = divisor != 0.0f ? d / double(divisor) : 0.0;
    pressure.push_back(float(psi / PressureDivisor(pressureUnit)));

    const double perMinute = double(flowRaw) * intervalMs;
    volumeTotal = float(volumeTotal + (VolumeInCubicMetres(flowUnit) ? perMinute / 60000000.0
                                                                     : perMinute / 60000.0));
    volume.push_back(volumeTotal);
}

void Storage::AddStoredSample(float t, float f, float p, float v) {
    time.push_back(t);
    flow.push_back(f);
    pressure.push_back(p);
    volume.push_back(v);
}

void Storage::AddSample(float t, float flowLpm, float p, float v) {
    time.push_back(t);
    flow.push_back(float(ConvertFlow(flowLpm, flowUnit)));
    pressure.push_back(p);
    volume.push_back(VolumeInCubicMetres(flowUnit) ? float(v / 1000.0) : v);
}

void Storage::GetSample(int index, float& t, float& f, float& p, float& v) const {
    assert(index >= 0 && index < GetLength());
    const auto i = std::size_t(index);
    t = time[i];
    f = flow[i];
    p = pressure[i];
    v = volume[i];
}

void Storage::GetLastSample(float& t, float& f, float& p, float& v) const {
    assert(!time.empty());
    GetSample(GetLength() - 1, t, f, p, v);
}

namespace {

// In place and ascending: the values before index i are already smoothed when i is computed.
void SmoothInPlace(std::vector<float>& series, int halfWidth) {
    const long n = long(halfWidth);
    for (long i = n; i < long(series.size()) - n; ++i) {
        double sum = 0.0;
        for (long k = i - n; k <= i + n; ++k) sum += series[std::size_t(k)];
        series[std::size_t(i)] = float(sum / double(2 * n + 1));
    }
}

// Samples appended while filtered were never smoothed: they follow the saved copy unchanged, so
// the series keep the length of `time`.
void Restore(std::vector<float>& series, std::vector<float>& saved) {
    if (series.size() > saved.size())
        saved.insert(saved.end(), series.begin() + long(saved.size()), series.end());
    series.swap(saved);
    saved.clear();
}

}  // namespace

void Storage::Smooth(bool on, int halfWidth) {
    if (on && !filtered) {
        flowSaved = flow;
        volumeSaved = volume;
        pressureSaved = pressure;
        if (halfWidth >= 0) {
            SmoothInPlace(flow, halfWidth);
            SmoothInPlace(volume, halfWidth);
            SmoothInPlace(pressure, halfWidth);
        }
        filtered = true;
    } else if (!on && filtered) {
        Restore(flow, flowSaved);
        Restore(volume, volumeSaved);
        Restore(pressure, pressureSaved);
        filtered = false;
    }
}

std::vector<float> Storage::GetTargetX() const {
    if (time.empty()) return {};
    return {time.front(), time.back(), time.back()};
}

std::vector<float> Storage::GetTargetY() const {
    if (time.empty()) return {};
    return {targetFlow, targetFlow, targetFlow};
}

void Storage::SetPressureScaling(std::uint8_t zero, std::uint8_t rough, std::uint8_t fine,
                                 std::uint8_t unit) {
    pressureZero = zero;
    pressureRough = rough;
    pressureFine = fine;
    pressureUnit = unit;
}
