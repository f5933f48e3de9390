#pragma once
// The tick and label walks the four axis layers share: where the axis line stands, which ticks
// fall in its band, where each tick mark (or dotted grid line), label and the axis name go, and
// which labels are left out because they would crowd the previous one. The layout functions hold
// what differs between the sibling axes; the walks are common. Display-free: the layers measure
// texts through a callback and draw what the walks return.
#include <wx/string.h>

#include <climits>
#include <functional>
#include <optional>
#include <vector>

#include "plot/core/PlotTypes.h"
#include "plot/core/Ticks.h"
#include "plot/core/ViewState.h"

namespace plotcore {

struct AxisTick {
    int pixel = 0;               // centre-relative, along the axis
    double value = 0;            // world value of the tick
    PlotPoint markFrom, markTo;  // the tick mark, or the dotted grid line of an axis without ticks
    bool labelled = false;       // false when the label is empty or would crowd the previous one
    wxString label;
    PlotPoint labelAt;  // top-left corner of the label
    PlotSize labelSize;
};

struct AxisName {
    PlotPoint at;
    int angle = 0;  // degrees counter-clockwise; 0 upright
};

using TextMeasure = std::function<PlotSize(const wxString&)>;
// The label of a tick value; exponent is that of the tick step 5^exponent.
using TickLabel = std::function<wxString(double value, int exponent)>;

// Row of a horizontal axis, centre-relative, by its placement (mpAxisPlacement); lowInset is its
// distance from the bottom edge for mpAXIS_LOW_INSET.
int HorizontalAxisRow(int placement, int height, int lowInset, const ViewState& v);
// Column of a vertical axis; lowInset from the left edge (mpAXIS_LOW_INSET), highBorderInset from
// the right edge (mpAXIS_HIGH_BORDER).
int VerticalAxisColumn(int placement, int width, int lowInset, int highBorderInset,
                       const ViewState& v);

struct HorizontalAxis {
    int placement = 0;
    bool ticks = true;  // false: dotted grid lines from 30 px below the top down to the axis
    bool stopBeforeRightAxis = false;  // no tick in the last 50 px
    int width = 0, height = 0;
    int row = 0;                   // of the axis line
    int lineFrom = 0, lineTo = 0;  // columns of the axis line
    int rightEnd = 0;              // the last tick value is the world x of this column
    int labelGap = 0;  // a label's left edge lies more than this right of the previous right edge
    int nameExtraDown = 0;  // the name below the axis moves this much lower
};
// The time axis: its row from the window's bottom margin, from 50 px in to the right edge or to
// the second axis, labels 10 px apart, the name lower by the date line of absolute time.
HorizontalAxis TimeAxisLayout(int placement, bool ticks, bool stopBeforeRightAxis, PlotSize window,
                              int bottomMargin, bool hasSecondAxis, bool absoluteTime,
                              const ViewState& v);
// The numeric axis: 35 px up whatever the margin, across the whole width, labels 64 px apart.
HorizontalAxis NumericAxisLayout(int placement, bool ticks, bool stopBeforeRightAxis,
                                 PlotSize window, const ViewState& v);
// Ticks along x; the labels sit below the axis, or above it on the bottom border, centred on their
// tick or moved just inside the window where they would be cut at its left or right edge.
std::vector<AxisTick> WalkHorizontalAxis(const ViewState& v, const HorizontalAxis& axis,
                                         const TickLabel& label, const TextMeasure& measure);
// Nothing for mpAXIS_HIGH_INSET; at the right end above an axis on the bottom border, otherwise
// from the centre column below the axis.
std::optional<AxisName> HorizontalAxisNameAt(const HorizontalAxis& axis, PlotSize text);

struct VerticalAxis {
    int placement = 0;
    bool second = false;  // against scaleY2/posY2 instead of the primary y
    bool ticks = true;
    int width = 0, height = 0;
    int column = 0;   // of the axis line, which runs from the top edge down to lineEnd
    int lineEnd = 0;  //
    // A tick is drawn when bandLow < pixel < bandHigh.
    int bandLow = INT_MIN, bandHigh = INT_MAX;
    int gridFrom = 0, gridTo = 0;  // x extent of a dotted grid line
    bool rightSide = false;        // marks and labels to the right of the axis line
    int labelInset = 4;            // between the axis line and the label
    int labelGap = 32;             // a label's centre lies more than this above the previous one
    AxisLabelKind labels = AxisLabelKind::PrimaryY;
};
// The primary axis: 50 px in on the left, ticks from 30 px below the top to the bottom margin,
// marks and labels outward (to the left, or right on the left border), its name along its side.
VerticalAxis PrimaryVerticalAxisLayout(int placement, bool ticks, bool stopBeforeRightAxis,
                                       PlotSize window, int bottomMargin, const ViewState& v);
// The second axis: 50 px in on the right, ticks everywhere above the bottom 30 px, marks and
// labels always to the right, grid lines across the whole window, one decimal on every label.
VerticalAxis SecondVerticalAxisLayout(int placement, bool ticks, PlotSize window, int bottomMargin,
                                      const ViewState& v);
// Ticks along y from the bottom edge up; the first tick in the band is always labelled.
std::vector<AxisTick> WalkVerticalAxis(const ViewState& v, const VerticalAxis& axis,
                                       const TextMeasure& measure);
// Nothing for mpAXIS_HIGH_INSET. The primary axis reads upward along its left side, the second
// downward along the right edge on the top/right border.
std::optional<AxisName> VerticalAxisNameAt(const VerticalAxis& axis, PlotSize text);

}  // namespace plotcore
