#include "mpInfoLayer.h"

#include "InfoLayout.h"
#include "mpWindow.h"

#include <wx/dc.h>

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
    // The step of a drag motion moves the box once; later repaints (live logging, a click without
    // motion) leave it where it is.
    if (w.GetDragSerial() != appliedDrag_) {
        appliedDrag_ = w.GetDragSerial();
        const plotcore::PlotPoint c{w.GetLastLeftX() - W / 2, w.GetLastLeftY() - H / 2};
        if (plotcore::InsideBox(c, {box_.x, box_.y, box_.width, box_.height})) {
            box_.x = static_cast<int>(stored.x - w.GetDragDX());
            box_.y = static_cast<int>(stored.y - w.GetDragDY());
        }
    }
    if (W != winW_ || H != winH_) {
        const plotcore::PlotPoint p = plotcore::RescaleBoxPosition({box_.x, box_.y}, {winW_, winH_}, {W, H});
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
