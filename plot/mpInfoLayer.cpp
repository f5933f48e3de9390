#include "plot/mpInfoLayer.h"

#include <wx/dc.h>

#include "plot/core/InfoLayout.h"
#include "plot/mpWindow.h"

wxIMPLEMENT_DYNAMIC_CLASS(mpInfoLayer, mpLayer);

mpInfoLayer::mpInfoLayer() : box_(0, 0, 1, 1), brush_(*wxTRANSPARENT_BRUSH) { type = mpLAYER_INFO; }

mpInfoLayer::mpInfoLayer(const wxRect& rect, const wxBrush& brush)
    : box_(rect), reference_(rect.GetPosition()), brush_(brush) {
    type = mpLAYER_INFO;
}

bool mpInfoLayer::Inside(const wxPoint& p) {
    return plotcore::InsideBox({p.x, p.y}, {box_.x, box_.y, box_.width, box_.height});
}

void mpInfoLayer::Move(const wxPoint& delta) { box_.SetPosition(reference_ + delta); }

void mpInfoLayer::UpdateReference() { reference_ = box_.GetPosition(); }

bool mpInfoLayer::BeginPlot(wxDC& dc, mpWindow& w, wxRealPoint& stored) {
    if (!visible) return false;
    const int W = w.GetScrX(), H = w.GetScrY();
    // A box grabbed where the left button went down follows the pointer from there by the whole
    // way it moved, so a quick drag or motions between two paints do not lose it, and a repaint
    // without motion (live logging) or a click without a drag leaves it in place.
    if (w.GetLeftPressCount() != press_) {
        press_ = w.GetLeftPressCount();
        const wxPoint at = w.GetLeftPressPoint();
        grabbed_ = plotcore::InsideBox({at.x - W / 2, at.y - H / 2},
                                       {box_.x, box_.y, box_.width, box_.height});
        followedTo_ = at;
    }
    if (grabbed_ && w.IsLeftDragging()) {
        const wxPoint now(w.GetLastLeftX(), w.GetLastLeftY());
        box_.x = static_cast<int>(stored.x) + now.x - followedTo_.x;
        box_.y = static_cast<int>(stored.y) + now.y - followedTo_.y;
        followedTo_ = now;
    }
    if (W != winW_ || H != winH_) {
        const plotcore::PlotPoint p =
            plotcore::RescaleBoxPosition({box_.x, box_.y}, {winW_, winH_}, {W, H});
        box_.x = p.x;
        box_.y = p.y;
        if (winH_ != 1) UpdateReference();
        winW_ = W;
        winH_ = H;
    }
    stored = wxRealPoint(box_.x, box_.y);
    dc.SetBrush(brush_);
    dc.SetFont(font);
    return true;
}

void mpInfoLayer::Plot(wxDC& dc, mpWindow& w) {
    if (!visible) return;
    dc.SetPen(pen);
    dc.SetBrush(brush_);
    (void)w;
    dc.DrawRectangle(box_);
}
