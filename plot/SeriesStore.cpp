#include "plot/SeriesStore.h"

#include <algorithm>

#include "plot/core/NearestSample.h"

void SeriesStore::Set(const std::vector<float>& xs, const std::vector<float>& ys,
                      const std::vector<float>& zs, std::optional<double> extraY) {
    const std::size_t n = std::min(xs.size(), ys.size());
    xs_.assign(xs.begin(), xs.begin() + static_cast<std::ptrdiff_t>(n));
    ys_.assign(ys.begin(), ys.begin() + static_cast<std::ptrdiff_t>(n));
    zs_ = zs;
    index_ = 0;
    bounds_ = plotcore::ComputeSeriesBounds(xs_.data(), ys_.data(), n, extraY);
    sorted_ = plotcore::IsSortedSeries(xs_.data(), n);
    finite_ = plotcore::HasNoNaN(ys_.data(), n);
    if (sorted_ && finite_)
        pyramid_.Build(ys_.data(), n);
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
