#pragma once
// Which kind of picture "cattura" writes, and under which name: the name's own extension decides
// (".bmp", ".png" or ".svg"), otherwise the file type chosen in the dialog, whose extension is then
// added.

#include <wx/string.h>

enum class PictureFormat { Bmp, Png, Svg };

// The save dialog's file types, in this order: BMP first (the default), then PNG and SVG.
extern const char* const kPictureWildcard;

struct PictureTarget {
    PictureFormat format = PictureFormat::Bmp;
    wxString path;
};

PictureTarget ChoosePictureTarget(const wxString& chosenPath, int filterIndex);
