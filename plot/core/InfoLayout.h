#pragma once
// Layout of the info boxes (legend and text box): sizes from measured text, dragging, proportional
// repositioning on resize and position clamping. Positions are relative to the window centre.
#include <wx/string.h>

#include <optional>
#include <vector>

#include "plot/core/PlotTypes.h"

namespace plotcore {

// " %.0f " from 30 upward, " %.2f " below (blanks included).
wxString LegendValueText(double v);

// Legend box size for the measured sizes of its lines; nullopt when there is no line (no box).
std::optional<PlotSize> LegendBoxSize(const std::vector<PlotSize>& lines);

// Parts between line feeds, then the part after the last one.
std::vector<wxString> SplitTextLines(const wxString& text);

// Text box size: widest line plus 10 (at least 15 with several lines), total height plus 10.
// nullopt for an empty text (no box).
std::optional<PlotSize> TextBoxSize(const std::vector<PlotSize>& lines);

// Top-left corner of each line of the text box, relative to the box corner.
std::vector<PlotPoint> TextLineOffsets(const std::vector<PlotSize>& lines);

bool InsideBox(PlotPoint p, const PlotRect& box);  // edges included

// Position after the window changed from oldSize to newSize: scaled in proportion (integer,
// truncating); a remembered extent of 1 means "never painted" and keeps the coordinate.
PlotPoint RescaleBoxPosition(PlotPoint pos, PlotSize oldSize, PlotSize newSize);

// Box corner clamped to -W/2..W/2 and -H/2..H/2.
PlotPoint ClampBoxPosition(int x, int y, PlotSize window);

}  // namespace plotcore
