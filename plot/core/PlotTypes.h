#pragma once
// Plain value types of the plot arithmetic; the GUI layer converts them to wxPoint/wxSize/wxRect.

namespace plotcore {

struct PlotPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

struct PlotSize {
    int w = 0;
    int h = 0;
    friend bool operator==(const PlotSize&, const PlotSize&) = default;
};

struct PlotRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    friend bool operator==(const PlotRect&, const PlotRect&) = default;
};

}  // namespace plotcore
