#include "plot/core/CornerLegend.h"

#include "plot/core/AxisPlacement.h"

namespace plotcore {

PlotSegment CornerLegendSample(int row, int width, int height) {
    return {{55 - width / 2, row - height / 2}, {75 - width / 2, row - height / 2}};
}

PlotPoint CornerLegendTextAt(int row, int width, int height, int textHeight) {
    return {80 - width / 2, row - height / 2 - textHeight / 2};
}

bool WritesCornerLegend(int placement) {
    return placement == mpAXIS_AT_ORIGIN || placement == mpAXIS_LOW_INSET ||
           placement == mpAXIS_HIGH_BORDER;
}

}  // namespace plotcore
