#include "plot/core/Ticks.h"

#include <cmath>

namespace plotcore {

namespace {
constexpr double kLn5 = 1.609437912;
constexpr int kMaxTicks = 100000;
}  // namespace

TickStep ComputeTickStep(double s) {
    TickStep t;
    if (!(s > 0) || !std::isfinite(s)) return t;
    const double e = std::floor(std::log(128.0 / s) / kLn5);
    if (!std::isfinite(e) || std::fabs(e) > 400) return t;
    t.e = static_cast<int>(e);
    // An exact power of five: exp(e * ln 5) gives 124.99999... for 125, and the time labels, which
    // truncate to whole seconds, would read 02:04 at the 125 s tick.
    t.step = std::pow(5.0, t.e);
    t.valid = t.step > 0 && std::isfinite(t.step);
    return t;
}

double FirstTick(double viewStart, double step) { return std::floor(viewStart / step) * step; }

void ForEachTick(double start, double end, const TickStep& s,
                 const std::function<void(double)>& visit) {
    if (!s.valid || !std::isfinite(start) || !std::isfinite(end)) return;
    // Each tick from its index rather than by repeated addition, so no error piles up.
    const double first = std::floor(start / s.step);
    double prev = 0;
    for (int n = 0; n < kMaxTicks; ++n) {
        const double t = (first + n) * s.step;
        if (!(t < end) || (n > 0 && t == prev)) break;
        visit(t);
        prev = t;
    }
}

wxString FormatAxisLabel(double value, int e, AxisLabelKind kind) {
    switch (kind) {
        case AxisLabelKind::SecondY:
            return wxString::Format("%.1f", value);
        case AxisLabelKind::NumericX:
            return e >= 1 ? wxString::Format("%.f", value) : wxString::Format("%.2f", value);
        case AxisLabelKind::PrimaryY:
            break;
    }
    return e >= 1 ? wxString::Format("%.f", value) : wxString::Format("%.1f", value);
}

}  // namespace plotcore
