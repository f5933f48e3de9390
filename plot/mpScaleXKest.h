#pragma once
// A plain numeric horizontal axis (type 1), the sibling of the time axis.
#include "plot/core/AxisPlacement.h"
#include "plot/mpLayer.h"

class mpScaleXKest : public mpLayer {
public:
    explicit mpScaleXKest(const wxString& name = wxT("X"), int flags = mpAXIS_LOW_INSET,
                          bool ticks = true, bool stop = false);

    bool HasBBox() override { return false; }
    void Plot(wxDC& dc, mpWindow& w) override;

    void SetTicks(bool on) { ticks = on; }
    void SetStopBeforeRightAxis(bool on) { stopBeforeRightAxis = on; }

    int flags;  // an mpAxisPlacement
    bool ticks;
    bool stopBeforeRightAxis;

    wxDECLARE_DYNAMIC_CLASS(mpScaleXKest);
};
