#include "plot/mpWindow.h"

#include <wx/dcclient.h>
#include <wx/intl.h>

#include <algorithm>

#include "plot/mpEvents.h"
#include "plot/mpLayer.h"

wxIMPLEMENT_CLASS(mpWindow, wxScrolledWindow);

// clang-format off
wxBEGIN_EVENT_TABLE(mpWindow, wxScrolledWindow)
    EVT_PAINT(mpWindow::OnPaint)
    EVT_SIZE(mpWindow::OnSize)
    EVT_RIGHT_DOWN(mpWindow::OnRightDown)
    EVT_RIGHT_UP(mpWindow::OnRightOrMiddleUp)
    EVT_MIDDLE_UP(mpWindow::OnRightOrMiddleUp)
    EVT_MOTION(mpWindow::OnMotion)
    EVT_LEFT_DOWN(mpWindow::OnLeftDown)
    EVT_LEFT_UP(mpWindow::OnLeftUp)
    EVT_MOUSEWHEEL(mpWindow::OnWheel)
    EVT_SCROLLWIN(mpWindow::OnScroll)
    EVT_MENU(mpID_CENTER, mpWindow::OnCenter)
    EVT_MENU(mpID_FIT, mpWindow::OnFit)
    EVT_MENU(mpID_ZOOM_IN, mpWindow::OnZoomIn)
    EVT_MENU(mpID_ZOOM_OUT, mpWindow::OnZoomOut)
wxEND_EVENT_TABLE()
// clang-format on

mpWindow::mpWindow(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                   long style)
    : wxScrolledWindow(parent, id, pos, size, style | wxHSCROLL | wxVSCROLL, wxT("mpWindow")) {
    popup_.Append(mpID_CENTER, _("Centra"), _("Centra la vista del grafico in questa posizione"));
    popup_.Append(mpID_FIT, _("Taglia"), _("Selezionare vista grafico per mostrare tutto"));
    popup_.Append(mpID_ZOOM_IN, _("Zoom in"), _("Zoom in grafico"));
    popup_.Append(mpID_ZOOM_OUT, _("Zoom out"), _("Zoom out grafico"));
    SetBackgroundColour(*wxWHITE);
    // The scroll bars only feed the view state; the contents are never blitted by the scrolling.
    EnableScrolling(false, false);
    SetMinSize(wxSize(64, 64));
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    UpdateAll();
}

mpWindow::~mpWindow() {
    // The layers belong to their creator.
    layers_.clear();
    bufferDC_.SelectObject(wxNullBitmap);
}

bool mpWindow::AddLayer(mpLayer* layer) {
    if (!layer) return false;
    layers_[CountLayers()] = layer;
    UpdateAll();
    return true;
}

bool mpWindow::DelLayer(int key) {
    layers_.erase(key);
    UpdateAll();
    return true;
}

void mpWindow::DelAllLayers() {
    layers_.clear();
    UpdateAll();
}

mpLayer* mpWindow::GetLayer(int i) const {
    if (i < 0 || i >= CountLayers()) return nullptr;
    const auto it = layers_.find(i);
    return it == layers_.end() ? nullptr : it->second;
}

bool mpWindow::HasSecondAxisSeries() const {
    for (int i = 0; i < CountLayers(); ++i) {
        const mpLayer* l = GetLayer(i);
        if (l && l->GetType() == mpLAYER_PLOT_SECOND) return true;
    }
    return false;
}

bool mpWindow::UpdateBBox() {
    bool first = true;
    for (const auto& [key, layer] : layers_) {
        if (!layer->HasBBox()) continue;
        if (first) {
            first = false;
            bounds_.minX = layer->GetMinX();
            bounds_.maxX = layer->GetMaxX();
            bounds_.minY = layer->GetMinY();
            bounds_.maxY = layer->GetMaxY();
        } else {
            bounds_.minY2 = layer->GetMinY();
            bounds_.maxY2 = layer->GetMaxY();
        }
    }
    return !first;
}

plotcore::PlotSize mpWindow::ClientSize() const {
    const wxSize s = GetClientSize();
    return {s.x, s.y};
}

void mpWindow::UpdateAll() {
    if (UpdateBBox()) {
        const plotcore::ScrollLayout s =
            plotcore::ComputeScrollLayout(view_, bounds_, ClientSize());
        SetScrollbars(1, 1, std::max(0, s.virtualW), std::max(0, s.virtualH), std::max(0, s.posX),
                      std::max(0, s.posY), true);
    }
    // No FitInside: without children it sets the virtual size back to the client size, which
    // takes away the scroll range just set.
    Refresh(false);
}

void mpWindow::Fit() {
    if (!UpdateBBox()) return;
    plotcore::FitView(view_, bounds_, ClientSize(), bottomMargin_);
    UpdateAll();
}

void mpWindow::ZoomIn() {
    plotcore::ZoomView(view_, 1.1);
    UpdateAll();
}

void mpWindow::ZoomOut() {
    plotcore::ZoomView(view_, 1 / 1.1);
    UpdateAll();
}

void mpWindow::CenterAt(int px, int py) { plotcore::CenterViewAt(view_, {px, py}, ClientSize()); }

void mpWindow::SetMeasurePrimary(bool on) {
    SetCursor(on ? wxCursor(wxCURSOR_CROSS) : *wxSTANDARD_CURSOR);
    measurePrimary_ = on;
}

void mpWindow::SetMeasureSecond(bool on) {
    SetCursor(on ? wxCursor(wxCURSOR_CROSS) : *wxSTANDARD_CURSOR);
    measureSecond_ = on;
}

void mpWindow::DrawTo(wxDC& dc) {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(GetBackgroundColour(), wxBRUSHSTYLE_SOLID));
    dc.DrawRectangle(0, 0, scrX_, scrY_);
    for (const auto& [key, layer] : layers_) layer->Plot(dc, *this);
}

void mpWindow::DrawTo(wxDC& dc, const wxSize& size) {
    scrX_ = size.x;
    scrY_ = size.y;
    dc.SetDeviceOrigin(0, 0);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(GetBackgroundColour(), wxBRUSHSTYLE_SOLID));
    dc.DrawRectangle(0, 0, scrX_, scrY_);
    dc.SetDeviceOrigin(scrX_ >> 1, scrY_ >> 1);
    for (const auto& [key, layer] : layers_) layer->Plot(dc, *this);
    dc.SetDeviceOrigin(0, 0);
}

wxBitmap mpWindow::CaptureBitmap() {
    const wxSize size = GetClientSize();
    wxBitmap bmp(std::max(1, size.x), std::max(1, size.y));
    wxMemoryDC mem(bmp);
    // The off-screen image of the last paint is exactly what the window shows: reading the screen
    // back is unreliable on some toolkits (GTK 3 under Wayland or without a compositor).
    if (buffer_.IsOk() && bufferSize_ == size)
        mem.Blit(0, 0, size.x, size.y, &bufferDC_, 0, 0);
    else
        DrawTo(mem, size);
    mem.SelectObject(wxNullBitmap);
    return bmp;
}

void mpWindow::OnPaint(wxPaintEvent&) {
    wxPaintDC paint(this);
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0) return;
    if (bufferSize_ != size || !buffer_.IsOk()) {
        bufferDC_.SelectObject(wxNullBitmap);
        buffer_ = wxBitmap(size.x, size.y);
        bufferDC_.SelectObject(buffer_);
        bufferSize_ = size;
    }
    DrawTo(bufferDC_, size);
    paint.Blit(0, 0, size.x, size.y, &bufferDC_, 0, 0);
    if (!paintedPending_) {
        paintedPending_ = true;
        CallAfter([this] {
            paintedPending_ = false;
            wxCommandEvent painted(mpEVT_PAINTED, GetId());
            painted.SetEventObject(this);
            ProcessWindowEventLocally(painted);
        });
    }
}

void mpWindow::OnSize(wxSizeEvent& e) {
    UpdateAll();
    e.Skip();
}

void mpWindow::OnRightDown(wxMouseEvent& e) {
    movedAfterRightClick_ = false;
    rightDragPoint_ = e.GetPosition();
    SetCursor(wxCursor(wxCURSOR_SIZING));
}

void mpWindow::OnRightOrMiddleUp(wxMouseEvent& e) {
    SetCursor(*wxSTANDARD_CURSOR);
    if (!movedAfterRightClick_) {
        popupPoint_ = e.GetPosition();
        PopupMenu(&popup_, popupPoint_);
    }
}

void mpWindow::OnMotion(wxMouseEvent& e) {
    if (e.RightIsDown()) {
        movedAfterRightClick_ = true;
        const int dx = rightDragPoint_.x - e.GetX(), dy = rightDragPoint_.y - e.GetY();
        rightDragPoint_ = e.GetPosition();
        plotcore::PanView(view_, dx, dy);
        UpdateAll();
    } else if (e.LeftIsDown()) {
        dragDX_ = lastLeftX_ - e.GetX();
        dragDY_ = lastLeftY_ - e.GetY();
        leftDragging_ = true;
        lastLeftX_ = e.GetX();
        lastLeftY_ = e.GetY();
        UpdateAll();
    }
}

void mpWindow::OnLeftDown(wxMouseEvent& e) {
    lastLeftX_ = e.GetX();
    lastLeftY_ = e.GetY();
    leftPress_ = e.GetPosition();
    ++leftPresses_;
    leftDragging_ = false;
    if (measurePrimary_) UpdateAll();
    if (measureSecond_) UpdateAll();
    e.Skip();  // lets the window take the focus
}

void mpWindow::OnLeftUp(wxMouseEvent&) {}

void mpWindow::OnWheel(wxMouseEvent& e) {
    // A sideways swipe or tilted wheel moves along x in the direction it turns (positive: right).
    if (e.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL) {
        plotcore::WheelScrollX(view_, -e.GetWheelRotation());
        UpdateAll();
        return;
    }
    if (e.ControlDown()) {
        if (e.GetWheelRotation() > 0)
            ZoomIn();
        else
            ZoomOut();
        return;
    }
    if (e.ShiftDown())
        plotcore::WheelScrollX(view_, e.GetWheelRotation());
    else
        plotcore::WheelScrollY(view_, e.GetWheelRotation());
    UpdateAll();
}

void mpWindow::OnScroll(wxScrollWinEvent& e) {
    int vx = 0, vy = 0;
    GetViewStart(&vx, &vy);
    // The view start still holds the old position (the bar moves after this handler): the view
    // follows where the bar is going, for arrows and pages as for the thumb.
    if (e.GetOrientation() == wxHORIZONTAL) {
        vx += CalcScrollInc(e);
        view_.posX = plotcore::PosXFromScroll(vx, ClientSize(), view_, bounds_);
    } else {
        vy += CalcScrollInc(e);
        view_.posY = plotcore::PosYFromScroll(vy, ClientSize(), view_, bounds_);
    }
    Refresh(false);
    e.Skip();
}

void mpWindow::OnCenter(wxCommandEvent&) {
    CenterAt(popupPoint_.x, popupPoint_.y);
    UpdateAll();
}

void mpWindow::OnFit(wxCommandEvent&) { Fit(); }

void mpWindow::OnZoomIn(wxCommandEvent&) {
    CenterAt(popupPoint_.x, popupPoint_.y);
    ZoomIn();
}

void mpWindow::OnZoomOut(wxCommandEvent&) { ZoomOut(); }
