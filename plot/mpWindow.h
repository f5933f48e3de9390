#pragma once
// The plot window: an ordered map of layers drawn through one view transform, with a second,
// independent vertical transform for the second-axis layers. The window never owns its layers.
#include <wx/bitmap.h>
#include <wx/datetime.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/scrolwin.h>

#include <map>

#include "plot/core/ViewState.h"

class mpLayer;

enum {
    mpID_FIT = 2000,
    mpID_ZOOM_IN = 2001,
    mpID_ZOOM_OUT = 2002,
    mpID_CENTER = 2003,
};

class mpWindow : public wxScrolledWindow {
public:
    mpWindow(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
             const wxSize& size = wxDefaultSize, long style = 0);
    ~mpWindow() override;

    bool AddLayer(mpLayer* layer);
    bool DelLayer(int key);
    // Forgets every layer without calling into any of them (they may be gone already).
    void DelAllLayers();
    mpLayer* GetLayer(int i) const;
    int CountLayers() const { return static_cast<int>(layers_.size()); }
    bool HasSecondAxisSeries() const;

    bool UpdateBBox();
    void UpdateAll();
    void Fit() override;
    void ZoomIn();
    void ZoomOut();
    void CenterAt(int px, int py);

    void SetMeasurePrimary(bool on);
    void SetMeasureSecond(bool on);

    // Background and every layer in key order on a foreign context; the caller sets origin and
    // scale (printing).
    void DrawTo(wxDC& dc);
    // The whole picture of a window of the given size: background, origin at the centre, layers.
    // Paint, picture export and tests all draw through here.
    void DrawTo(wxDC& dc, const wxSize& size);
    // The pixels currently on screen: the image of the last paint, window-sized (drawn afresh only
    // before the first paint).
    wxBitmap CaptureBitmap();

    wxMenu& GetPopupMenu() { return popup_; }

    // Read access for the layers.
    bool GetMeasurePrimary() const { return measurePrimary_; }
    bool GetMeasureSecond() const { return measureSecond_; }
    double GetMinX() const { return bounds_.minX; }
    double GetMaxX() const { return bounds_.maxX; }
    double GetMinY() const { return bounds_.minY; }
    double GetMaxY() const { return bounds_.maxY; }
    double GetMinY2() const { return bounds_.minY2; }
    double GetMaxY2() const { return bounds_.maxY2; }
    double GetScaleX() const { return view_.scaleX; }
    double GetScaleY() const { return view_.scaleY; }
    double GetScaleY2() const { return view_.scaleY2; }
    double GetPosX() const { return view_.posX; }
    double GetPosY() const { return view_.posY; }
    double GetPosY2() const { return view_.posY2; }
    const plotcore::ViewState& GetView() const { return view_; }
    void SetView(const plotcore::ViewState& v) { view_ = v; }
    int GetScrX() const { return scrX_; }
    int GetScrY() const { return scrY_; }
    int GetDragDX() const { return dragDX_; }
    int GetDragDY() const { return dragDY_; }
    // Where the left button went down last, and a count of presses: an info box grabbed at the
    // press follows the pointer from there, however many motions come between two paints.
    wxPoint GetLeftPressPoint() const { return leftPress_; }
    unsigned GetLeftPressCount() const { return leftPresses_; }
    bool IsLeftDragging() const { return leftDragging_; }
    int GetLastLeftX() const { return lastLeftX_; }
    int GetLastLeftY() const { return lastLeftY_; }
    wxPoint GetPopupPoint() const { return popupPoint_; }
    int GetBottomMargin() const { return bottomMargin_; }
    void SetBottomMargin(int px) { bottomMargin_ = px; }
    bool GetAbsoluteTime() const { return absoluteTime_; }
    void SetAbsoluteTime(bool on) { absoluteTime_ = on; }
    const wxDateTime& GetRecordStart() const { return recordStart_; }
    void SetRecordStart(const wxDateTime& t) { recordStart_ = t; }

    // Written by the info layers: their box position at the previous paint.
    wxRealPoint legendPos{0.0, 0.0};
    wxRealPoint textBoxPos{0.0, 0.0};

private:
    void OnPaint(wxPaintEvent& e);
    void OnSize(wxSizeEvent& e);
    void OnRightDown(wxMouseEvent& e);
    void OnRightOrMiddleUp(wxMouseEvent& e);
    void OnMotion(wxMouseEvent& e);
    void OnLeftDown(wxMouseEvent& e);
    void OnLeftUp(wxMouseEvent& e);
    void OnWheel(wxMouseEvent& e);
    void OnScroll(wxScrollWinEvent& e);
    void OnCenter(wxCommandEvent& e);
    void OnFit(wxCommandEvent& e);
    void OnZoomIn(wxCommandEvent& e);
    void OnZoomOut(wxCommandEvent& e);
    plotcore::PlotSize ClientSize() const;

    bool measurePrimary_ = false;
    bool measureSecond_ = false;
    std::map<int, mpLayer*> layers_;
    wxMenu popup_;
    plotcore::ViewBounds bounds_;
    plotcore::ViewState view_;
    int scrX_ = 64;
    int scrY_ = 64;
    wxPoint popupPoint_;
    int dragDX_ = 0;
    int dragDY_ = 0;
    wxPoint leftPress_;
    unsigned leftPresses_ = 0;
    bool leftDragging_ = false;
    wxSize bufferSize_{0, 0};
    wxMemoryDC bufferDC_;
    wxBitmap buffer_;
    bool movedAfterRightClick_ = false;
    wxPoint rightDragPoint_;
    int lastLeftX_ = 0;
    int lastLeftY_ = 0;
    wxDateTime recordStart_;
    int bottomMargin_ = 30;
    bool absoluteTime_ = false;
    bool paintedPending_ = false;  // an mpEVT_PAINTED is queued

    wxDECLARE_CLASS(mpWindow);
    wxDECLARE_NO_COPY_CLASS(mpWindow);
    wxDECLARE_EVENT_TABLE();
};
