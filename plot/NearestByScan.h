#pragma once
// The measuring cursor's sample for a series that can only be walked in order: the one nearest to
// x, the earlier one on ties. Both series families (primary and second axis) share it.

#include <cmath>

template <class Series>
bool NearestByScan(Series& series, double x, double& sx, double& sy, double& sz) {
    const int n = series.GetCount();
    if (n < 1) return false;
    int best = -1;
    double bestD = 0;
    double xi = 0, yi = 0;
    for (int i = 0; i < n && series.GetNextXY(xi, yi); ++i) {
        const double d = std::fabs(x - xi);
        if (best < 0 || d < bestD) {
            best = i;
            bestD = d;
        }
    }
    return best >= 0 && series.GetXYZ(sx, sy, sz, best);
}
