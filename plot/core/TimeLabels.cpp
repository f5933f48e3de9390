#include "plot/core/TimeLabels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace plotcore {

namespace {
constexpr std::int64_t kDay = 86400;

// Whole seconds toward zero, bounded so that far-away ticks cannot overflow. A value a rounding
// error short of a whole second (5 x 0.2 s) counts as that second.
std::int64_t WholeSeconds(double t) {
    if (std::isnan(t)) return 0;
    if (t > 1e15) return static_cast<std::int64_t>(1e15);
    if (t < -1e15) return static_cast<std::int64_t>(-1e15);
    const double r = std::round(t);
    if (std::fabs(t - r) <= 1e-9 * std::max(1.0, std::fabs(t))) return static_cast<std::int64_t>(r);
    return static_cast<std::int64_t>(t);
}
}  // namespace

bool IsWholeSecond(double t) {
    if (!std::isfinite(t) || std::fabs(t) > 1e15) return false;
    return std::fabs(t - std::round(t)) <= 1e-9 * std::max(1.0, std::fabs(t));
}

wxString FormatElapsedLabel(double t) {
    const std::int64_t s = ((WholeSeconds(t) % kDay) + kDay) % kDay;
    const int h = static_cast<int>(s / 3600), m = static_cast<int>(s / 60 % 60),
              sec = static_cast<int>(s % 60);
    if (h == 0) return wxString::Format("%02d:%02d", m, sec);
    return wxString::Format("%02d:%02d:%02d", h, m, sec);
}

AbsoluteLabel FormatAbsoluteLabel(const wxDateTime& start, double t) {
    const wxDateTime at = start + wxTimeSpan::Seconds(wxLongLong(WholeSeconds(t)));
    // The toolkit's calendar asserts and prints garbage for instants tens of thousands of years
    // away, where a far zoom or pan can put a tick: such a tick gets no label.
    static const wxDateTime first(1, wxDateTime::Jan, 1), last(31, wxDateTime::Dec, 9999);
    if (!at.IsValid() || at.IsEarlierThan(first) || at.IsLaterThan(last)) return {};
    return {at.Format("%H:%M:%S"), at.Format("%d\\%m\\%y")};
}

}  // namespace plotcore
