#pragma once
// Reduces a time-ordered series to what one paint can show: per pixel column the first, lowest,
// highest and last sample (a polyline covering exactly the pixels of every segment), or the
// distinct dots of the column in points mode. Work grows with the view, not with the series.
#include <cstddef>
#include <vector>

#include "plot/core/MinMaxPyramid.h"
#include "plot/core/PlotTypes.h"

namespace plotcore {

// Centre-relative pixels: x = (x - posX) * scaleX, y = (posY - y) * scaleY, truncated.
struct ColumnTransform {
    double posX = 0, scaleX = 1, posY = 0, scaleY = 1;
};

// Decimation needs x ascending without NaN (IsSortedSeries) and both scales positive and finite;
// otherwise draw every segment.
bool CanDecimate(const ColumnTransform& t);

class ColumnDecimator {
public:
    ColumnDecimator(const float* xs, const float* ys, std::size_t n, const MinMaxPyramid& pyramid,
                    const ColumnTransform& t);

    // Index range [first, last) of the samples whose segments can touch columns left..right: the
    // samples in those columns plus one neighbour on each side.
    std::pair<std::size_t, std::size_t> VisibleRange(int left, int right) const;

    // Polyline for the columns left..right; consecutive duplicates are dropped, a single sample
    // gives a single point.
    void Line(int left, int right, std::vector<PlotPoint>& out) const;

    // Distinct dots of the samples in columns left..right whose y pixel lies in top..bottom.
    void Points(int left, int right, int top, int bottom, std::vector<PlotPoint>& out) const;

    int Px(std::size_t i) const;
    int PyOf(float y) const;

private:
    std::size_t ColumnEnd(std::size_t i, std::size_t end, int column) const;

    const float* xs_;
    const float* ys_;
    std::size_t n_;
    const MinMaxPyramid& pyramid_;
    ColumnTransform t_;
};

}  // namespace plotcore

namespace plotcore {
bool HasNoNaN(const float* v, std::size_t n);
}
