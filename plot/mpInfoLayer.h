#pragma once
// A box drawn over the plot at a pixel position of its own (relative to the window centre), not in
// world coordinates (type 4). The legend and the text box derive from it.
#include <wx/brush.h>
#include <wx/event.h>
#include <wx/gdicmn.h>

#include "plot/mpLayer.h"

class mpInfoLayer : public mpLayer {
public:
    mpInfoLayer();
    mpInfoLayer(const wxRect& rect, const wxBrush& brush);

    bool HasBBox() override { return false; }
    void Plot(wxDC& dc, mpWindow& w) override;

    virtual void UpdateInfo(mpWindow&, wxEvent&) {}
    virtual bool IsInfo() { return true; }
    virtual bool Inside(const wxPoint& p);
    virtual void Move(const wxPoint& delta);
    virtual void UpdateReference();

    int GetBoxX() const { return box_.x; }
    int GetBoxY() const { return box_.y; }
    const wxRect& GetBox() const { return box_; }

protected:
    // Dragging by the window's last drag step, proportional placement after a resize, brush and
    // font. stored is the box position the window keeps between paints. False: draw nothing.
    bool BeginPlot(wxDC& dc, mpWindow& w, wxRealPoint& stored);

    wxRect box_;
    wxPoint reference_;
    wxBrush brush_;
    int winW_ = 1;
    int winH_ = 1;

private:
    unsigned press_ = 0;    // the press whose drag the box follows
    bool grabbed_ = false;  // that press was inside the box
    wxPoint followedTo_;    // pointer position the box has followed up to

    wxDECLARE_DYNAMIC_CLASS(mpInfoLayer);
};
