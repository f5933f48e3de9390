#include "plot/mpEvents.h"

wxDEFINE_EVENT(mpEVT_MEASURE, wxCommandEvent);
wxDEFINE_EVENT(mpEVT_TEXTBOX_MOVED, wxCommandEvent);
wxDEFINE_EVENT(mpEVT_PAINTED, wxCommandEvent);
