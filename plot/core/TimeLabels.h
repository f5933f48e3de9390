#pragma once
// Labels of the time axis: elapsed time as a time of day, or the absolute instant with its date.
#include <wx/datetime.h>
#include <wx/string.h>

namespace plotcore {

// t seconds after midnight, truncated to whole seconds: "%M:%S" within the first hour of the day,
// "%H:%M:%S" otherwise; wraps at 24 h and below 0 (-5 s gives 23:59:55).
wxString FormatElapsedLabel(double t);

// True when t is a whole number of seconds (or a rounding error short of one, as 5 x 0.2 s): the
// time axis labels only these ticks, since the labels show whole seconds and a tick between two
// would repeat its neighbour's label.
bool IsWholeSecond(double t);

struct AbsoluteLabel {
    wxString time;  // "%H:%M:%S", local time
    wxString date;  // "%d\%m\%y"
};
// Both texts empty for an instant outside the years 1 to 9999.
AbsoluteLabel FormatAbsoluteLabel(const wxDateTime& start, double t);

}  // namespace plotcore
