#pragma once
// The corner legend of the plot, written by the series and vertical axis layers together.
#include "plot/core/PlotTypes.h"

namespace plotcore {

// The corner legend in the top-left corner of the plot: a 20 px sample of each series' pen from
// 55 to 75 px in, and texts from 80 px in, vertically centred on their row.
constexpr int kLegendRowHeader2 = 10;  // primary axis header2, or a reference line's sample
constexpr int kLegendRowHeader = 22;   // primary axis header, a primary series' sample
constexpr int kLegendRowSecond = 35;   // the second axis's first word and its series' sample
struct PlotSegment {
    PlotPoint from, to;
};
PlotSegment CornerLegendSample(int row, int width, int height);
PlotPoint CornerLegendTextAt(int row, int width, int height, int textHeight);
// Whether a vertical axis at this placement writes its captions into the corner legend.
bool WritesCornerLegend(int placement);

}  // namespace plotcore
