#pragma once
// Bounds of a sample series with the half-unit margins the plot keeps around the data.
#include <cstddef>
#include <optional>

namespace plotcore {

struct SeriesBounds {
    double minX = -1.0, maxX = 1.0, minY = -1.0, maxY = 1.0;
    friend bool operator==(const SeriesBounds&, const SeriesBounds&) = default;
};

// -1..1 on both axes without samples; otherwise the extremes widened by 0.5 on each side, and the
// upper y raised to extraY + 0.5 when extraY lies above it. NaN samples are ignored.
SeriesBounds ComputeSeriesBounds(const float* xs, const float* ys, std::size_t n,
                                 std::optional<double> extraY);

}  // namespace plotcore
