#pragma once
// Draws the samples of a series, shared by both series kinds. Time-ordered float series take the
// fast path (a few segments per pixel column, see ColumnDecimator); anything else, and the
// reference that the benchmark and the pixel test compare against, draws every segment.
#include <wx/dc.h>

#include <cstddef>
#include <functional>
#include <vector>

#include "plot/core/ColumnDecimator.h"
#include "plot/core/MinMaxPyramid.h"

// Direct view of a series' samples; n == 0 means "iterate instead".
struct SeriesSamples {
    const float* xs = nullptr;
    const float* ys = nullptr;
    std::size_t n = 0;
    const plotcore::MinMaxPyramid* pyramid = nullptr;
    bool decimatable = false;  // x ascending, no NaN anywhere
};

class SeriesPainter {
public:
    // size: the window size in pixels; the origin of dc is its centre.
    SeriesPainter(wxDC& dc, wxSize size, const plotcore::ColumnTransform& t);

    // Lines (continuous) or dots, every segment drawn as in DrawEverySegment but only a few per
    // pixel column when the samples allow it.
    void Draw(const SeriesSamples& s, bool continuous, bool fast);
    // Draw over the samples when the series has them as arrays, else DrawEverySegment over next.
    void DrawSeries(const SeriesSamples& s, bool continuous, bool fast,
                    const std::function<bool(double&, double&)>& next);
    // The series' sample in the corner legend, on the given row, with the current pen.
    void LegendSample(int row);
    // The plain rule: a segment from each sample to the next (a dot for the first), or a dot each.
    void DrawEverySegment(const std::function<bool(double&, double&)>& next, bool continuous);

private:
    void Dot(wxPoint p);
    void Segment(wxPoint a, wxPoint b);
    void Polyline(const std::vector<plotcore::PlotPoint>& pts);

    wxDC& dc_;
    wxSize size_;
    plotcore::ColumnTransform t_;
    int penWidth_;
};
