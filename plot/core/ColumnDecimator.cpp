#include "plot/core/ColumnDecimator.h"

#include <algorithm>
#include <cmath>

#include "plot/core/ViewState.h"

namespace plotcore {

namespace {
// Below this many samples a column is scanned directly rather than through the pyramid.
constexpr std::size_t kScanLimit = 64;

void Push(std::vector<PlotPoint>& out, PlotPoint p) {
    if (out.empty() || !(out.back() == p)) out.push_back(p);
}
}  // namespace

bool CanDecimate(const ColumnTransform& t) {
    return t.scaleX > 0 && std::isfinite(t.scaleX) && t.scaleY > 0 && std::isfinite(t.scaleY) &&
           std::isfinite(t.posX) && std::isfinite(t.posY);
}

ColumnDecimator::ColumnDecimator(const float* xs, const float* ys, std::size_t n,
                                 const MinMaxPyramid& pyramid, const ColumnTransform& t)
    : xs_(xs), ys_(ys), n_(n), pyramid_(pyramid), t_(t) {}

int ColumnDecimator::Px(std::size_t i) const {
    return TruncToPixel((xs_[i] - t_.posX) * t_.scaleX);
}
int ColumnDecimator::PyOf(float y) const { return TruncToPixel((t_.posY - y) * t_.scaleY); }

std::pair<std::size_t, std::size_t> ColumnDecimator::VisibleRange(int left, int right) const {
    std::size_t lo = 0, hi = n_;
    while (lo < hi) {  // first sample at or right of the left column
        const std::size_t mid = lo + (hi - lo) / 2;
        if (Px(mid) < left)
            lo = mid + 1;
        else
            hi = mid;
    }
    const std::size_t first = lo > 0 ? lo - 1 : 0;
    hi = n_;
    while (lo < hi) {  // first sample right of the right column
        const std::size_t mid = lo + (hi - lo) / 2;
        if (Px(mid) <= right)
            lo = mid + 1;
        else
            hi = mid;
    }
    return {first, std::min(n_, lo + 1)};
}

std::size_t ColumnDecimator::ColumnEnd(std::size_t i, std::size_t end, int column) const {
    // Galloping: columns of a sparse series hold a few samples, those of a dense one thousands.
    std::size_t step = 1, lo = i + 1, hi = i + 1;
    while (hi < end && Px(hi) == column) {
        lo = hi + 1;
        hi = std::min(end, hi + step);
        step *= 2;
    }
    hi = std::min(hi, end);
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (Px(mid) == column)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

void ColumnDecimator::Line(int left, int right, std::vector<PlotPoint>& out) const {
    out.clear();
    const auto [first, end] = VisibleRange(left, right);
    for (std::size_t i = first; i < end;) {
        const int c = Px(i);
        const std::size_t j = ColumnEnd(i, end, c);
        Push(out, {c, PyOf(ys_[i])});
        if (j - i > 1) {
            float mn = ys_[i], mx = ys_[i];
            if (j - i <= kScanLimit) {
                for (std::size_t k = i; k < j; ++k) {
                    if (ys_[k] < mn) mn = ys_[k];
                    if (ys_[k] > mx) mx = ys_[k];
                }
            } else {
                const auto r = pyramid_.Range(ys_, i, j);
                mn = std::min(mn, r.first);
                mx = std::max(mx, r.second);
            }
            // y grows upward: the highest value has the smallest pixel row.
            Push(out, {c, PyOf(mx)});
            Push(out, {c, PyOf(mn)});
            Push(out, {c, PyOf(ys_[j - 1])});
        }
        i = j;
    }
}

void ColumnDecimator::Points(int left, int right, int top, int bottom,
                             std::vector<PlotPoint>& out) const {
    out.clear();
    if (bottom < top) return;
    const auto [first, end] = VisibleRange(left, right);
    std::vector<std::size_t> seenIn(static_cast<std::size_t>(bottom - top) + 1, 0);
    std::size_t stamp = 0;
    for (std::size_t i = first; i < end;) {
        const int c = Px(i);
        const std::size_t j = ColumnEnd(i, end, c);
        ++stamp;
        for (std::size_t k = i; k < j; ++k) {
            const int py = PyOf(ys_[k]);
            if (py < top || py > bottom || c < left || c > right) continue;
            std::size_t& seen = seenIn[static_cast<std::size_t>(py - top)];
            if (seen == stamp) continue;
            seen = stamp;
            out.push_back({c, py});
        }
        i = j;
    }
}

}  // namespace plotcore

namespace plotcore {
bool HasNoNaN(const float* v, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        if (std::isnan(v[i])) return false;
    return true;
}
}  // namespace plotcore
