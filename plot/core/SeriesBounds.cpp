#include "plot/core/SeriesBounds.h"

#include <cmath>
#include <limits>

namespace plotcore {

SeriesBounds ComputeSeriesBounds(const float* xs, const float* ys, std::size_t n,
                                 std::optional<double> extraY) {
    SeriesBounds b;
    if (n == 0) return b;
    constexpr double inf = std::numeric_limits<double>::infinity();
    double minX = inf, maxX = -inf, minY = inf, maxY = -inf;
    for (std::size_t i = 0; i < n; ++i) {
        if (xs[i] < minX) minX = xs[i];
        if (xs[i] > maxX) maxX = xs[i];
        if (ys[i] < minY) minY = ys[i];
        if (ys[i] > maxY) maxY = ys[i];
    }
    if (minX > maxX) minX = maxX = 0;  // every x was NaN
    if (minY > maxY) minY = maxY = 0;
    b.minX = minX - 0.5;
    b.maxX = maxX + 0.5;
    b.minY = minY - 0.5;
    b.maxY = maxY + 0.5;
    if (extraY && *extraY > b.maxY) b.maxY = *extraY + 0.5;
    return b;
}

}  // namespace plotcore
