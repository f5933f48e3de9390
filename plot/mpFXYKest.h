#pragma once
// A series drawn against the second vertical axis (type 3). A sibling of mpFXY, not a subclass:
// no visibility test, no headings, legend sample on row 35, measured with measureSecond.
#include "plot/SeriesPainter.h"
#include "plot/mpLayer.h"

class mpFXYKest : public mpLayer {
public:
    explicit mpFXYKest(const wxString& name = wxEmptyString, int flags = 0);

    virtual void Rewind() = 0;
    virtual bool GetNextXY(double& x, double& y) = 0;
    virtual bool GetXYZ(double& x, double& y, double& z, int index) = 0;
    virtual int GetCount() = 0;
    virtual bool FindNearest(double x, double& sx, double& sy, double& sz);

    void Plot(wxDC& dc, mpWindow& w) override;

    void SetFastDrawing(bool on) { fastDrawing_ = on; }
    wxPoint GetMarkerPixel() const { return markerPixel_; }

    int flags = 0;

protected:
    virtual SeriesSamples Samples() { return {}; }

private:
    wxPoint markerPixel_;
    bool fastDrawing_ = true;

    wxDECLARE_ABSTRACT_CLASS(mpFXYKest);
};
