#include "plot/SeriesCursor.h"

#include "plot/mpEvents.h"
#include "plot/mpLayer.h"
#include "plot/mpWindow.h"

std::optional<CursorHit> MeasureNearestToClick(
    wxDC& dc, mpWindow& w, const std::function<bool(double, double&, double&, double&)>& nearest,
    int (*pixelY)(double, const plotcore::ViewState&)) {
    const int W = w.GetScrX(), H = w.GetScrY();
    const double worldX = (w.GetLastLeftX() - W / 2) / w.GetScaleX() + w.GetPosX();
    CursorHit hit;
    if (!nearest(worldX, hit.x, hit.y, hit.z)) return std::nullopt;
    hit.pixel = wxPoint(w.GetLastLeftX() - W / 2, pixelY(hit.y, w.GetView()));
    dc.SetPen(*wxGREY_PEN);
    dc.DrawLine(hit.pixel.x, -H / 2, hit.pixel.x, H / 2);
    dc.DrawLine(-W / 2, hit.pixel.y, W / 2, hit.pixel.y);
    return hit;
}

void SendMeasure(mpWindow& w, mpLayer& layer, int which, const wxString& text) {
    wxCommandEvent evt(mpEVT_MEASURE, -1);
    evt.SetEventObject(&layer);
    evt.SetInt(which);
    evt.SetString(text);
    if (wxWindow* parent = w.GetParent()) parent->GetEventHandler()->ProcessEvent(evt);
}

void DrawMeasureMarker(wxDC& dc, mpWindow& w, wxPoint at) {
    dc.SetBrush(wxBrush(w.GetBackgroundColour()));
    dc.DrawRectangle(at.x - 5, at.y - 5, 10, 10);
}
