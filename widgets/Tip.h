#pragma once
// One usage tip of the startup tips dialog: a few words and the picture that goes with them.

#include <wx/bitmap.h>
#include <wx/string.h>

struct Tip {
    wxString text;
    wxBitmap picture;
};
