#pragma once
// The legend box: one or two lines per series whose measuring cursor marked a sample, each with a
// short stroke in the series' pen. Not drawn while no series is marked.
#include "plot/mpInfoLayer.h"

class mpInfoLegend : public mpInfoLayer {
public:
    mpInfoLegend();
    mpInfoLegend(const wxRect& rect, const wxBrush& brush);

    void Plot(wxDC& dc, mpWindow& w) override;

    wxDECLARE_DYNAMIC_CLASS(mpInfoLegend);
};
