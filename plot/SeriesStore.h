#pragma once
// The samples of a vector series and what is derived from them once per SetData: bounds, the
// min/max summaries for fast drawing and whether x is ordered (binary-search measuring).
#include <optional>
#include <vector>

#include "plot/SeriesPainter.h"
#include "plot/core/MinMaxPyramid.h"
#include "plot/core/SeriesBounds.h"

class SeriesStore {
public:
    // Copies the samples; a y or z sequence shorter than x limits the series to the common length
    // (z: missing values read as emptyZ).
    void Set(const std::vector<float>& xs, const std::vector<float>& ys,
             const std::vector<float>& zs, std::optional<double> extraY);
    // The same as Set when the sequences only grew at their ends since the last Set or Extend:
    // the new samples are copied and summarised, the old ones are not read again (live logging
    // appends a few samples to a long record every second).
    void Extend(const std::vector<float>& xs, const std::vector<float>& ys,
                const std::vector<float>& zs, std::optional<double> extraY);

    void Rewind() { index_ = 0; }
    bool GetNextXY(double& x, double& y);
    bool GetXYZ(double& x, double& y, double& z, int i, double emptyZ) const;
    int Count() const { return static_cast<int>(xs_.size()); }
    bool FindNearest(double x, double& sx, double& sy, double& sz, double emptyZ) const;
    SeriesSamples Samples() const;

    const plotcore::SeriesBounds& Bounds() const { return bounds_; }
    const std::vector<float>& Xs() const { return xs_; }
    const std::vector<float>& Ys() const { return ys_; }
    const std::vector<float>& Zs() const { return zs_; }

private:
    std::vector<float> xs_, ys_, zs_;
    unsigned index_ = 0;
    void TakeExtremes(std::size_t from);
    void UpdateBounds(std::optional<double> extraY);

    plotcore::SeriesBounds bounds_;
    // Extremes of the samples (NaN ignored); +inf/-inf before the first one.
    double minX_ = 0, maxX_ = 0, minY_ = 0, maxY_ = 0;
    plotcore::MinMaxPyramid pyramid_;
    bool sorted_ = false;
    bool finite_ = false;
};
