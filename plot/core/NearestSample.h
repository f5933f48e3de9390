#pragma once
// The measuring cursor's choice: the sample whose x lies nearest to a world x, the earlier on ties.
#include <cstddef>
#include <optional>

namespace plotcore {

// Straight scan over every sample; the rule itself.
std::optional<std::size_t> NearestIndexLinear(const float* xs, std::size_t n, double x);

// Same choice in O(log n) for x sorted ascending without NaN (see IsSortedSeries).
std::optional<std::size_t> NearestIndexSorted(const float* xs, std::size_t n, double x);

// True when xs ascends (ties allowed) and holds no NaN.
bool IsSortedSeries(const float* xs, std::size_t n);

}  // namespace plotcore
