#pragma once
// Pictures of the LCD readouts and hover buttons for a person to look at.

#include <wx/string.h>

#include <vector>

// Writes lcd_rows.png (readouts at the main window's sizes and enlarged) and kest_buttons.png
// (hover buttons in each state) into `dir`, which must exist. Returns the files written; empty on
// failure, with the reason in `error`.
std::vector<wxString> WriteLcdGallery(const wxString& dir, wxString* error = nullptr);
