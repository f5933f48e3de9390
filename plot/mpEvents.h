#pragma once
// Events of the plot layers, sent to the plot window's parent.
//   mpEVT_MEASURE: a measuring cursor picked a sample; GetInt() 1 (primary series, text "%f %f" of
//     x and y) or 2 (second-axis series, text "%f " of y); GetEventObject() the series.
//   mpEVT_TEXTBOX_MOVED: the text box was drawn at its current position; object the text box.
//   mpEVT_PAINTED: the plot window finished painting, so what it shows (view, series, measuring
//     markers) may have changed; queued to the plot window itself after the paint, once however
//     many paints come before it is handled, and not passed on to its parent. Object the window.
#include <wx/event.h>

wxDECLARE_EVENT(mpEVT_MEASURE, wxCommandEvent);
wxDECLARE_EVENT(mpEVT_TEXTBOX_MOVED, wxCommandEvent);
wxDECLARE_EVENT(mpEVT_PAINTED, wxCommandEvent);
