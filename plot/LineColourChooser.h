#pragma once
// The colour chooser of the "Colore della linea" commands: the toolkit's chooser in its full form,
// its sixteen custom colours preset to greys from black up to (240, 240, 240).
#include <wx/colour.h>

#include <optional>

class wxColourData;
class wxWindow;

// The chooser's settings, starting from `start`.
wxColourData LineColourData(const wxColour& start);

// The chosen colour, or nothing when the user cancels.
std::optional<wxColour> ChooseLineColour(wxWindow* parent, const wxColour& start);
