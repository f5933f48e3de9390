#pragma once
// The time axis (type 1): elapsed time or time of day with the date, ticks in powers of five.
#include <wx/datetime.h>

#include <vector>

#include "plot/core/AxisPlacement.h"
#include "plot/core/AxisWalk.h"
#include "plot/mpLayer.h"

class mpScaleX : public mpLayer {
public:
    explicit mpScaleX(const wxString& name = wxT("X"), int flags = mpAXIS_LOW_INSET,
                      bool ticks = true, bool stop = false);

    bool HasBBox() override { return false; }
    void Plot(wxDC& dc, mpWindow& w) override;

    // The ticks and labels Plot draws into a DC like dc for the window as it stands.
    std::vector<plotcore::AxisTick> Walk(wxDC& dc, mpWindow& w);

    void SetTicks(bool on) { ticks = on; }
    void SetStopBeforeRightAxis(bool on) { stopBeforeRightAxis = on; }

    int flags;  // an mpAxisPlacement
    bool ticks;
    bool stopBeforeRightAxis;

private:
    // The layout in w, and whether and from when its labels read absolute time.
    struct Setup {
        plotcore::HorizontalAxis axis;
        bool absolute = false;
        wxDateTime start;
    };
    Setup Prepare(mpWindow& w);
    static plotcore::TickLabel TimeText(const Setup& s);

    wxDECLARE_DYNAMIC_CLASS(mpScaleX);
};
