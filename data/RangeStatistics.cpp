#include "data/RangeStatistics.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "data/BaseOnly.h"
#include "data/Storage.h"

namespace {

// The value of the drawn curve at time x inside the record. Where several samples share the
// instant x, the range's start takes the first of them and its end the last, so that the range
// holds all of them.
double ValueAt(const std::vector<float>& t, const std::vector<float>& y, double x, bool end) {
    std::size_t k = 0;
    while (k < t.size() && (end ? t[k] <= x : t[k] < x)) ++k;
    if (end && k > 0 && t[k - 1] == x) return y[k - 1];
    if (k == t.size()) return t.empty() ? 0.0 : double(y.back());
    if (t[k] == x || k == 0) return y[k];
    const double t0 = t[k - 1], t1 = t[k];
    if (t1 <= t0) return y[k];
    return y[k - 1] + (y[k] - double(y[k - 1])) * (x - t0) / (t1 - t0);
}

RangeStatistics::Summary Summarise(const std::vector<float>& t, const std::vector<float>& y,
                                   double a, double b) {
    RangeStatistics::Summary s;
    bool first = true;
    double area = 0.0;
    for (std::size_t k = 0; k < t.size(); ++k) {
        if (t[k] >= a && t[k] <= b) {
            if (first) s.mean = y[k];
            s.min = first ? y[k] : std::min(s.min, double(y[k]));
            s.max = first ? y[k] : std::max(s.max, double(y[k]));
            first = false;
        }
        if (k + 1 == t.size()) break;
        const double lo = std::max(double(t[k]), a), hi = std::min(double(t[k + 1]), b);
        if (hi <= lo) continue;
        const double t0 = t[k], slope = (y[k + 1] - double(y[k])) / (t[k + 1] - t0);
        area += (y[k] + slope * (lo - t0) + y[k] + slope * (hi - t0)) / 2.0 * (hi - lo);
    }
    if (b > a) s.mean = area / (b - a);
    return s;
}

}  // namespace

RangeStatistics ScanRangeStatistics(const Storage& r, double from, double to) {
    if (from > to) std::swap(from, to);
    RangeStatistics s;
    if (r.time.empty()) return s;
    const double a = std::max(from, double(r.time.front()));
    const double b = std::min(to, double(r.time.back()));
    for (float t : r.time)
        if (t >= a && t <= b) ++s.samples;
    if (s.samples == 0) return s;
    s.start = a;
    s.end = b;
    s.duration = b - a;
    s.volume = ValueAt(r.time, r.volume, b, true) - ValueAt(r.time, r.volume, a, false);
    s.flow = Summarise(r.time, r.flow, a, b);
    s.pressure = Summarise(r.time, r.pressure, a, b);
    return s;
}
