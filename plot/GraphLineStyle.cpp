// The line colour and line width of the graph's curves.
#include <wx/pen.h>

#include "plot/GraphView.h"
#include "plot/mpFXYVector.h"
#include "plot/mpFXYVectorKest.h"
#include "plot/mpWindow.h"

namespace {

void SetWidth(mpLayer* series, int width) {
    wxPen pen = series->GetPen();
    pen.SetWidth(width);
    series->SetPen(pen);
}

}  // namespace

void GraphView::SetCurveColour(Curve curve, const wxColour& colour) {
    if (!flowSeries_) return;
    const wxPen pen(colour, 5, wxPENSTYLE_SOLID);
    switch (curve) {
        case Curve::Flow:
            flowSeries_->SetPen(pen);
            break;
        case Curve::Volume:
            volumeSeries_->SetPen(pen);
            break;
        case Curve::Pressure:
            pressureSeries_->SetPen(pen);
            secondPressureSeries_->SetPen(pen);
            break;
    }
    if (c_.plot != nullptr) c_.plot->UpdateAll();
}

int GraphView::CurveWidth(Curve curve) const {
    if (!flowSeries_) return 0;
    switch (curve) {
        case Curve::Flow:
            return flowSeries_->GetPen().GetWidth();
        case Curve::Volume:
            return volumeSeries_->GetPen().GetWidth();
        case Curve::Pressure:
            break;
    }
    return pressureSeries_->GetPen().GetWidth();
}

void GraphView::SetCurveWidth(Curve curve, int width) {
    if (!flowSeries_) return;
    if (curve == Curve::Pressure) {
        SetWidth(pressureSeries_.get(), width);
        SetWidth(secondPressureSeries_.get(), width);
    } else {
        (pointsMode ? pointWidth : lineWidth) = width;
        SetWidth(curve == Curve::Flow ? static_cast<mpLayer*>(flowSeries_.get())
                                      : static_cast<mpLayer*>(volumeSeries_.get()),
                 width);
    }
    if (c_.plot != nullptr) c_.plot->UpdateAll();
}
