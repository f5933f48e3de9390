#pragma once
// Minimum and maximum of a float series over index blocks of 16, 32, 64, ... samples, so the
// extremes of any index range come from O(log n) summaries instead of a scan of the range.
#include <cstddef>
#include <utility>
#include <vector>

namespace plotcore {

class MinMaxPyramid {
public:
    static constexpr unsigned kBaseShift = 4;  // the finest summary covers 16 samples

    void Build(const float* ys, std::size_t n);
    // The same summaries as Build(ys, n) when ys grew at its end since the last Build or Extend
    // and its earlier values are unchanged; only the new blocks are summarised.
    void Extend(const float* ys, std::size_t n);
    void Clear() { levels_.clear(); }

    // {min, max} of ys[a..b), NaN ignored; {+inf, -inf} for an empty range or only NaN.
    // ys must be the sequence given to Build.
    std::pair<float, float> Range(const float* ys, std::size_t a, std::size_t b) const;

    std::size_t MemoryBytes() const;

private:
    struct Level {
        std::vector<float> mins, maxs;
    };
    std::vector<Level> levels_;
};

}  // namespace plotcore
