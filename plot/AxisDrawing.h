#pragma once
// Draws the axes laid out and walked by plot/core/AxisWalk.h, for all four axis layers.
#include <wx/dc.h>

#include <functional>
#include <vector>

#include "plot/core/AxisWalk.h"

inline wxPoint ToWx(plotcore::PlotPoint p) { return {p.x, p.y}; }

// Measures texts in the font selected into dc.
plotcore::TextMeasure MeasureWith(wxDC& dc);

// The axis line, then for each tick its mark with pen (dotted, as a grid line, when the axis has
// no ticks), its label when it has one and afterLabel for what the axis adds below a label, then
// the axis name.
void DrawHorizontalAxis(wxDC& dc, const wxPen& pen, const plotcore::ViewState& v,
                        const plotcore::HorizontalAxis& axis, const wxString& name,
                        const plotcore::TickLabel& label,
                        const std::function<void(const plotcore::AxisTick&)>& afterLabel = {});
// The same for an axis whose ticks were walked already.
void DrawWalkedHorizontalAxis(wxDC& dc, const wxPen& pen, const plotcore::HorizontalAxis& axis,
                              const wxString& name, const std::vector<plotcore::AxisTick>& ticks,
                              const std::function<void(const plotcore::AxisTick&)>& afterLabel);
void DrawVerticalAxis(wxDC& dc, const wxPen& pen, const plotcore::ViewState& v,
                      const plotcore::VerticalAxis& axis, const wxString& name);
