#include "plot/core/MinMaxPyramid.h"

#include <algorithm>
#include <limits>

namespace plotcore {

namespace {
constexpr float kInf = std::numeric_limits<float>::infinity();

inline void Take(float v, float& mn, float& mx) {
    if (v < mn) mn = v;
    if (v > mx) mx = v;
}
}  // namespace

void MinMaxPyramid::Build(const float* ys, std::size_t n) {
    levels_.clear();
    const std::size_t base = std::size_t{1} << kBaseShift;
    std::size_t count = n >> kBaseShift;
    if (count == 0) return;
    Level first;
    first.mins.resize(count);
    first.maxs.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        float mn = kInf, mx = -kInf;
        for (std::size_t i = k * base; i < (k + 1) * base; ++i) Take(ys[i], mn, mx);
        first.mins[k] = mn;
        first.maxs[k] = mx;
    }
    levels_.push_back(std::move(first));
    while ((count = levels_.back().mins.size() / 2) > 0) {
        const Level& prev = levels_.back();
        Level next;
        next.mins.resize(count);
        next.maxs.resize(count);
        for (std::size_t k = 0; k < count; ++k) {
            next.mins[k] = std::min(prev.mins[2 * k], prev.mins[2 * k + 1]);
            next.maxs[k] = std::max(prev.maxs[2 * k], prev.maxs[2 * k + 1]);
        }
        levels_.push_back(std::move(next));
    }
}

void MinMaxPyramid::Extend(const float* ys, std::size_t n) {
    const std::size_t base = std::size_t{1} << kBaseShift;
    std::size_t count = n >> kBaseShift;
    if (count == 0) {
        levels_.clear();
        return;
    }
    if (levels_.empty()) levels_.emplace_back();
    if (levels_[0].mins.size() > count) {
        Build(ys, n);
        return;
    }
    for (std::size_t lv = 0; count > 0; ++lv) {
        if (lv == levels_.size()) levels_.emplace_back();
        Level& level = levels_[lv];
        const std::size_t from = level.mins.size();
        level.mins.resize(count);
        level.maxs.resize(count);
        for (std::size_t k = from; k < count; ++k) {
            float mn = kInf, mx = -kInf;
            if (lv == 0) {
                for (std::size_t i = k * base; i < (k + 1) * base; ++i) Take(ys[i], mn, mx);
            } else {
                const Level& prev = levels_[lv - 1];
                mn = std::min(prev.mins[2 * k], prev.mins[2 * k + 1]);
                mx = std::max(prev.maxs[2 * k], prev.maxs[2 * k + 1]);
            }
            levels_[lv].mins[k] = mn;
            levels_[lv].maxs[k] = mx;
        }
        count = levels_[lv].mins.size() / 2;
    }
}

std::pair<float, float> MinMaxPyramid::Range(const float* ys, std::size_t a, std::size_t b) const {
    float mn = kInf, mx = -kInf;
    const std::size_t base = std::size_t{1} << kBaseShift;
    std::size_t i = a;
    while (i < b && (i & (base - 1)) != 0) Take(ys[i++], mn, mx);
    while (i + base <= b && !levels_.empty()) {
        // The largest summary block that starts at i and ends inside the range.
        std::size_t lv = 0;
        while (lv + 1 < levels_.size()) {
            const std::size_t size = base << (lv + 1);
            if ((i & (size - 1)) != 0 || i + size > b) break;
            ++lv;
        }
        const std::size_t k = i >> (kBaseShift + lv);
        if (k >= levels_[lv].mins.size()) break;
        Take(levels_[lv].mins[k], mn, mx);
        Take(levels_[lv].maxs[k], mn, mx);
        i += base << lv;
    }
    while (i < b) Take(ys[i++], mn, mx);
    return {mn, mx};
}

std::size_t MinMaxPyramid::MemoryBytes() const {
    std::size_t bytes = 0;
    for (const Level& l : levels_) bytes += (l.mins.capacity() + l.maxs.capacity()) * sizeof(float);
    return bytes;
}

}  // namespace plotcore
