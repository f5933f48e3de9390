#pragma once
// A layer of the plot: something that draws itself through the plot window's view transform.
// Type codes: 1 axis, 2 series on the primary axis, 3 series on the second axis, 4 info layer.
#include <wx/font.h>
#include <wx/object.h>
#include <wx/pen.h>
#include <wx/string.h>

class mpWindow;
class wxDC;

enum mpLayerType { mpLAYER_AXIS = 1, mpLAYER_PLOT = 2, mpLAYER_PLOT_SECOND = 3, mpLAYER_INFO = 4 };

class mpLayer : public wxObject {
public:
    mpLayer();

    virtual bool HasBBox() { return true; }
    virtual double GetMinX() { return -1.0; }
    virtual double GetMaxX() { return 1.0; }
    virtual double GetMinY() { return -1.0; }
    virtual double GetMaxY() { return 1.0; }
    // Draws the layer; the drawing origin is the window centre (see mpWindow).
    virtual void Plot(wxDC& dc, mpWindow& w) = 0;

    int GetType() const { return type; }
    bool IsVisible() const { return visible; }
    void SetVisible(bool on) { visible = on; }
    void SetName(const wxString& s) { name = s; }
    void SetTitle(const wxString& s) { title = s; }
    void SetFooter(const wxString& s) { footer = s; }
    void SetLegendLabel(const wxString& s) { legendLabel = s; }
    void SetLegendUnit(const wxString& s) { legendUnit = s; }
    void SetLegendLabel2(const wxString& s) { legendLabel2 = s; }
    void SetLegendUnit2(const wxString& s) { legendUnit2 = s; }
    void SetFont(const wxFont& f) { font = f; }
    void SetPen(const wxPen& p) { pen = p; }
    void SetContinuity(bool on) { continuous = on; }
    const wxString& GetName() const { return name; }
    const wxPen& GetPen() const { return pen; }
    const wxFont& GetFont() const { return font; }

    // The graph view writes these directly.
    wxString legendLabel2;
    wxString legendUnit2;
    wxString legendLabel;
    wxString legendUnit;
    bool markerShown = false;
    double markerX = 0;  // time of the marked sample
    double markerY = 0;
    double markerZ = 0;
    wxFont font;
    wxPen pen;
    wxString name;
    wxString title;
    wxString footer;
    bool continuous = false;
    int type = 0;
    bool visible = true;

    wxDECLARE_ABSTRACT_CLASS(mpLayer);
};
