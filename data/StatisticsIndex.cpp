#include "data/StatisticsIndex.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <utility>

#include "data/BaseOnly.h"
#include "data/Storage.h"

namespace {

constexpr std::size_t kBlock = std::size_t{1} << StatisticsIndex::kBlockShift;
constexpr float kInf = std::numeric_limits<float>::infinity();

using Curve = StatisticsIndex::Curve;

// The area of the segment from sample k to sample k + 1.
inline double Segment(const float* t, const float* y, std::size_t k) {
    return (double(y[k]) + y[k + 1]) / 2.0 * (double(t[k + 1]) - t[k]);
}

void Prepare(Curve& c, const float* t, const float* y, std::size_t n) {
    const std::size_t blocks = (n + kBlock - 1) / kBlock;
    c.area.assign(blocks + 1, 0.0);
    double area = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        if ((k & (kBlock - 1)) == 0) c.area[k >> StatisticsIndex::kBlockShift] = area;
        if (k + 1 < n) area += Segment(t, y, k);
    }
    c.area[blocks] = area;

    c.mins.assign(1, std::vector<float>(blocks, kInf));
    c.maxs.assign(1, std::vector<float>(blocks, -kInf));
    for (std::size_t k = 0; k < n; ++k) {
        float& mn = c.mins[0][k >> StatisticsIndex::kBlockShift];
        float& mx = c.maxs[0][k >> StatisticsIndex::kBlockShift];
        if (y[k] < mn) mn = y[k];
        if (y[k] > mx) mx = y[k];
    }
    for (std::size_t span = 2; span <= blocks; span *= 2) {
        const std::vector<float>& lowerMin = c.mins.back();
        const std::vector<float>& lowerMax = c.maxs.back();
        const std::size_t count = blocks - span + 1, half = span / 2;
        std::vector<float> mins(count), maxs(count);
        for (std::size_t k = 0; k < count; ++k) {
            mins[k] = std::min(lowerMin[k], lowerMin[k + half]);
            maxs[k] = std::max(lowerMax[k], lowerMax[k + half]);
        }
        c.mins.push_back(std::move(mins));
        c.maxs.push_back(std::move(maxs));
    }
}

// Area under the curve from sample 0 to sample i.
double AreaTo(const Curve& c, const float* t, const float* y, std::size_t i) {
    std::size_t k = (i >> StatisticsIndex::kBlockShift) << StatisticsIndex::kBlockShift;
    double area = c.area[i >> StatisticsIndex::kBlockShift];
    for (; k < i; ++k) area += Segment(t, y, k);
    return area;
}

// Minimum and maximum of samples [i, j).
std::pair<float, float> Extremes(const Curve& c, const float* y, std::size_t i, std::size_t j) {
    float mn = kInf, mx = -kInf;
    auto take = [&](float v) {
        if (v < mn) mn = v;
        if (v > mx) mx = v;
    };
    const std::size_t firstBlock = (i + kBlock - 1) >> StatisticsIndex::kBlockShift;
    const std::size_t endBlock = j >> StatisticsIndex::kBlockShift;
    if (firstBlock >= endBlock) {
        for (std::size_t k = i; k < j; ++k) take(y[k]);
        return {mn, mx};
    }
    for (std::size_t k = i; k < (firstBlock << StatisticsIndex::kBlockShift); ++k) take(y[k]);
    for (std::size_t k = endBlock << StatisticsIndex::kBlockShift; k < j; ++k) take(y[k]);
    const std::size_t span = endBlock - firstBlock;
    const unsigned level = unsigned(std::bit_width(span) - 1);
    const std::size_t other = endBlock - (std::size_t{1} << level);
    take(c.mins[level][firstBlock]);
    take(c.mins[level][other]);
    take(c.maxs[level][firstBlock]);
    take(c.maxs[level][other]);
    return {mn, mx};
}

// First index whose time is not below x (strict: above x); n when there is none. Written out
// rather than std::lower_bound so that a file with times out of order stays within the series.
std::size_t FirstAtOrAfter(const float* t, std::size_t n, double x, bool strict) {
    std::size_t lo = 0, hi = n;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (strict ? t[mid] <= x : t[mid] < x)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// The curve at time x, given i, the first sample at or after x.
double ValueAt(const float* t, const float* y, std::size_t i, double x) {
    if (t[i] == x || i == 0 || t[i] <= t[i - 1]) return y[i];
    return y[i - 1] + (y[i] - double(y[i - 1])) * (x - t[i - 1]) / (double(t[i]) - t[i - 1]);
}

}  // namespace

void StatisticsIndex::Build(const Storage& r) {
    length_ = r.time.size();
    Prepare(flow_, r.time.data(), r.flow.data(), length_);
    Prepare(pressure_, r.time.data(), r.pressure.data(), length_);
}

void StatisticsIndex::Clear() {
    length_ = 0;
    flow_ = {};
    pressure_ = {};
}

RangeStatistics StatisticsIndex::Query(const Storage& r, double from, double to) const {
    const std::size_t n = r.time.size();
    if (n != length_ || r.flow.size() != n || r.pressure.size() != n || r.volume.size() != n)
        return ScanRangeStatistics(r, from, to);
    if (from > to) std::swap(from, to);
    RangeStatistics s;
    if (n == 0) return s;
    const float* t = r.time.data();
    const double a = std::max(from, double(t[0]));
    const double b = std::min(to, double(t[n - 1]));
    if (!(a <= b)) return s;
    const std::size_t i = FirstAtOrAfter(t, n, a, false);
    const std::size_t j = FirstAtOrAfter(t, n, b, true);  // one past the last sample in range
    if (i >= j) return s;
    s.samples = j - i;
    s.start = a;
    s.end = b;
    s.duration = b - a;
    const std::size_t afterB = std::min(j, n - 1);
    s.volume = ValueAt(t, r.volume.data(), afterB, b) - ValueAt(t, r.volume.data(), i, a);

    auto summarise = [&](const Curve& c, const float* y) {
        RangeStatistics::Summary out;
        const auto [mn, mx] = Extremes(c, y, i, j);
        out.min = mn;
        out.max = mx;
        if (b > a) {
            // The samples' own segments, plus the pieces from a to the first sample and from
            // the last sample to b.
            double area = AreaTo(c, t, y, j - 1) - AreaTo(c, t, y, i);
            area += (ValueAt(t, y, i, a) + y[i]) / 2.0 * (double(t[i]) - a);
            area += (y[j - 1] + ValueAt(t, y, afterB, b)) / 2.0 * (b - t[j - 1]);
            out.mean = area / (b - a);
        } else {
            out.mean = y[i];
        }
        return out;
    };
    s.flow = summarise(flow_, r.flow.data());
    s.pressure = summarise(pressure_, r.pressure.data());
    return s;
}

std::size_t StatisticsIndex::MemoryBytes() const {
    std::size_t bytes = 0;
    for (const Curve* c : {&flow_, &pressure_}) {
        bytes += c->area.capacity() * sizeof(double);
        for (const auto& level : c->mins) bytes += level.capacity() * sizeof(float);
        for (const auto& level : c->maxs) bytes += level.capacity() * sizeof(float);
    }
    return bytes;
}
