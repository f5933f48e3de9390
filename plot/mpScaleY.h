#pragma once
// The primary vertical axis (type 1), with its corner-legend captions header2 and header.
#include "plot/core/AxisPlacement.h"
#include "plot/mpLayer.h"

class mpScaleY : public mpLayer {
public:
    explicit mpScaleY(const wxString& name = wxT("Y"), int flags = mpAXIS_LOW_INSET,
                      bool ticks = true, bool stop = false);

    bool HasBBox() override { return false; }
    void Plot(wxDC& dc, mpWindow& w) override;

    void SetTicks(bool on) { ticks = on; }
    void SetStopBeforeRightAxis(bool on) { stopBeforeRightAxis = on; }

    int flags;  // an mpAxisPlacement
    bool ticks;
    bool stopBeforeRightAxis;
    wxString header;  // the name up to its first blank
    wxString header2;

    wxDECLARE_DYNAMIC_CLASS(mpScaleY);
};
