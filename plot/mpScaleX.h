#pragma once
// The time axis (type 1): elapsed time or time of day with the date, ticks in powers of five.
#include "plot/core/AxisPlacement.h"
#include "plot/mpLayer.h"

class mpScaleX : public mpLayer {
public:
    explicit mpScaleX(const wxString& name = wxT("X"), int flags = mpAXIS_LOW_INSET,
                      bool ticks = true, bool stop = false);

    bool HasBBox() override { return false; }
    void Plot(wxDC& dc, mpWindow& w) override;

    void SetTicks(bool on) { ticks = on; }
    void SetStopBeforeRightAxis(bool on) { stopBeforeRightAxis = on; }

    int flags;  // an mpAxisPlacement
    bool ticks;
    bool stopBeforeRightAxis;

    wxDECLARE_DYNAMIC_CLASS(mpScaleX);
};
