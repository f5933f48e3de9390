#pragma once
// A series drawn against the primary vertical axis (type 2): lines or dots, its corner-legend
// sample, its headings, and the measuring cursor that sends mpEVT_MEASURE.
#include "plot/SeriesPainter.h"
#include "plot/mpLayer.h"

// Where a series puts its name: bits 0-1 of its flags.
enum mpNameCorner : int {
    mpNAME_TOP_CENTRE = 0,
    mpNAME_TOP_LEFT = 1,
    mpNAME_BOTTOM_LEFT = 2,
    mpNAME_BOTTOM_RIGHT = 3,
};

class mpFXY : public mpLayer {
public:
    explicit mpFXY(const wxString& name = wxEmptyString, int flags = mpNAME_TOP_CENTRE);

    virtual void Rewind() = 0;
    virtual bool GetNextXY(double& x, double& y) = 0;
    virtual bool GetXYZ(double& x, double& y, double& z, int index) = 0;
    virtual int GetCount() = 0;

    // The sample nearest to world x, the earlier on ties; false without samples.
    virtual bool FindNearest(double x, double& sx, double& sy, double& sz);

    void Plot(wxDC& dc, mpWindow& w) override;

    // Off: draw every segment (the reference the fast drawing is checked against).
    void SetFastDrawing(bool on) { fastDrawing_ = on; }
    wxPoint GetMarkerPixel() const { return markerPixel_; }

    bool referenceLine = false;
    bool hideSample = true;
    int flags = mpNAME_TOP_CENTRE;  // bits 0-1: an mpNameCorner

protected:
    // Direct access to the samples when the series keeps them as float arrays.
    virtual SeriesSamples Samples() { return {}; }

private:
    void DrawTexts(wxDC& dc, int W, int H);

    wxPoint markerPixel_;
    bool fastDrawing_ = true;

    wxDECLARE_ABSTRACT_CLASS(mpFXY);
};
