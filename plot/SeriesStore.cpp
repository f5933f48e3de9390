#include "plot/SeriesStore.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "plot/core/NearestSample.h"

void SeriesStore::Set(const std::vector<float>& xs, const std::vector<float>& ys,
                      const std::vector<float>& zs, std::optional<double> extraY) {
    const std::size_t n = std::min(xs.size(), ys.size());
    xs_.assign(xs.begin(), xs.begin() + static_cast<std::ptrdiff_t>(n));
    ys_.assign(ys.begin(), ys.begin() + static_cast<std::ptrdiff_t>(n));
    zs_ = zs;
    index_ = 0;
    minX_ = minY_ = std::numeric_limits<double>::infinity();
    maxX_ = maxY_ = -std::numeric_limits<double>::infinity();
    TakeExtremes(0);
    bounds_ = plotcore::ComputeSeriesBounds(xs_.data(), ys_.data(), n, extraY);
    sorted_ = plotcore::IsSortedSeries(xs_.data(), n);
    finite_ = plotcore::HasNoNaN(ys_.data(), n);
    if (sorted_ && finite_)
        pyramid_.Build(ys_.data(), n);
    else
        pyramid_.Clear();
}

void SeriesStore::TakeExtremes(std::size_t from) {
    for (std::size_t i = from; i < xs_.size(); ++i) {
        if (xs_[i] < minX_) minX_ = xs_[i];
        if (xs_[i] > maxX_) maxX_ = xs_[i];
        if (ys_[i] < minY_) minY_ = ys_[i];
        if (ys_[i] > maxY_) maxY_ = ys_[i];
    }
}

void SeriesStore::UpdateBounds(std::optional<double> extraY) {
    // The extremes stand in for the samples: the bounds come out as ComputeSeriesBounds gives them.
    const float xs[2] = {float(minX_), float(maxX_)};
    const float ys[2] = {float(minY_), float(maxY_)};
    const bool anyX = minX_ <= maxX_, anyY = minY_ <= maxY_;
    const float zx[2] = {anyX ? xs[0] : NAN, anyX ? xs[1] : NAN};
    const float zy[2] = {anyY ? ys[0] : NAN, anyY ? ys[1] : NAN};
    bounds_ = plotcore::ComputeSeriesBounds(zx, zy, xs_.empty() ? 0 : 2, extraY);
}

void SeriesStore::Extend(const std::vector<float>& xs, const std::vector<float>& ys,
                         const std::vector<float>& zs, std::optional<double> extraY) {
    const std::size_t old = xs_.size();
    const std::size_t n = std::min(xs.size(), ys.size());
    if (n < old || zs.size() < zs_.size()) {
        Set(xs, ys, zs, extraY);
        return;
    }
    xs_.insert(xs_.end(), xs.begin() + static_cast<std::ptrdiff_t>(old),
               xs.begin() + static_cast<std::ptrdiff_t>(n));
    ys_.insert(ys_.end(), ys.begin() + static_cast<std::ptrdiff_t>(old),
               ys.begin() + static_cast<std::ptrdiff_t>(n));
    zs_.insert(zs_.end(), zs.begin() + static_cast<std::ptrdiff_t>(zs_.size()), zs.end());
    index_ = 0;
    TakeExtremes(old);
    UpdateBounds(extraY);
    const std::size_t from = old == 0 ? 0 : old - 1;  // the step from the last old sample
    sorted_ = (old == 0 || sorted_) && plotcore::IsSortedSeries(xs_.data() + from, n - from);
    finite_ = (old == 0 || finite_) && plotcore::HasNoNaN(ys_.data() + old, n - old);
    if (sorted_ && finite_)
        pyramid_.Extend(ys_.data(), n);
    else
        pyramid_.Clear();
}

bool SeriesStore::GetNextXY(double& x, double& y) {
    if (index_ >= xs_.size()) return false;
    x = xs_[index_];
    y = ys_[index_];
    ++index_;
    return true;
}

bool SeriesStore::GetXYZ(double& x, double& y, double& z, int i, double emptyZ) const {
    if (i < 0 || static_cast<std::size_t>(i) >= xs_.size()) return false;
    const auto k = static_cast<std::size_t>(i);
    x = xs_[k];
    y = ys_[k];
    z = k < zs_.size() ? zs_[k] : emptyZ;
    return true;
}

bool SeriesStore::FindNearest(double x, double& sx, double& sy, double& sz, double emptyZ) const {
    const auto i = sorted_ ? plotcore::NearestIndexSorted(xs_.data(), xs_.size(), x)
                           : plotcore::NearestIndexLinear(xs_.data(), xs_.size(), x);
    return i && GetXYZ(sx, sy, sz, static_cast<int>(*i), emptyZ);
}

SeriesSamples SeriesStore::Samples() const {
    return {xs_.data(), ys_.data(), xs_.size(), &pyramid_, sorted_ && finite_};
}
