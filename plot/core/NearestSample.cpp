#include "plot/core/NearestSample.h"

#include <algorithm>
#include <cmath>

namespace plotcore {

std::optional<std::size_t> NearestIndexLinear(const float* xs, std::size_t n, double x) {
    if (n == 0) return std::nullopt;
    std::size_t best = 0;
    double bestD = std::fabs(x - xs[0]);
    for (std::size_t i = 1; i < n; ++i) {
        const double d = std::fabs(x - xs[i]);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

std::optional<std::size_t> NearestIndexSorted(const float* xs, std::size_t n, double x) {
    if (n == 0) return std::nullopt;
    if (std::isnan(x)) return std::size_t{0};  // every distance is NaN: the scan keeps index 0
    // Right of x the distance never falls, left of it never rises (rounding is monotone), so the
    // earliest minimum is either the first sample at or after x or the start of the run of samples
    // left of x that share the smallest left distance.
    const std::size_t right = static_cast<std::size_t>(
        std::lower_bound(xs, xs + n, x, [](float a, double v) { return a < v; }) - xs);
    if (right == 0) return std::size_t{0};
    const double dl = std::fabs(x - xs[right - 1]);
    if (right < n && std::fabs(x - xs[right]) < dl) return right;
    const std::size_t first = static_cast<std::size_t>(
        std::partition_point(xs, xs + right, [&](float a) { return std::fabs(x - a) > dl; }) - xs);
    return first;
}

bool IsSortedSeries(const float* xs, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (std::isnan(xs[i])) return false;
        if (i > 0 && xs[i] < xs[i - 1]) return false;
    }
    return true;
}

}  // namespace plotcore
