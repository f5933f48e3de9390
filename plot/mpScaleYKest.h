#pragma once
// The second vertical axis (type 1), drawn against scaleY2/posY2, normally at the right edge.
#include "plot/core/AxisPlacement.h"
#include "plot/mpLayer.h"

class mpScaleYKest : public mpLayer {
public:
    explicit mpScaleYKest(const wxString& name = wxT("Y"), int flags = mpAXIS_HIGH_BORDER,
                          bool ticks = true);

    bool HasBBox() override { return false; }
    void Plot(wxDC& dc, mpWindow& w) override;

    void SetTicks(bool on) { ticks = on; }

    int flags;  // an mpAxisPlacement
    bool ticks;

    wxDECLARE_DYNAMIC_CLASS(mpScaleYKest);
};
