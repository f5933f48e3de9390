#pragma once
// The program's pictures: hand-drawn SVG compiled into the program, rendered sharp at any size and
// screen scale. Every name is listed by ArtNames() and in art/README.md with its use and size.

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/gdicmn.h>
#include <wx/iconbndl.h>
#include <wx/string.h>

#include <vector>

// How a button shows its picture. Hover, Pressed and Disabled are derived from Normal the same way
// for every picture: hover lighter on a highlighted pad, pressed darker on a sunken pad and shifted
// down-right, disabled grey and faded.
enum class ArtState { Normal, Hover, Pressed, Disabled };

// The picture at any size and scale; its default size is the size the program uses it at.
// An unknown name gives an empty bundle (IsOk() false) and a debug message.
wxBitmapBundle ArtBundle(const wxString& name);
wxBitmapBundle ArtBundle(const wxString& name, ArtState state);

// The picture rendered at exactly `size` pixels in the given state; invalid for an unknown name.
wxBitmap ArtBitmap(const wxString& name, const wxSize& size, ArtState state = ArtState::Normal);

// The picture at its default size (wxDefaultSize for an unknown name).
wxSize ArtDefaultSize(const wxString& name);

// The application icon at 16, 24, 32, 48, 64, 128 and 256 pixels.
wxIconBundle AppIconBundle();

// The 640 x 540 splash picture with the program's title and version drawn on it. On a
// high-resolution screen pass the window's content scale: the bitmap then has that many times the
// pixels and the same 640 x 540 logical size (scale clamped to 1..4).
wxBitmap SplashBitmap(double scale = 1.0);

// Every picture name, in a stable order.
std::vector<wxString> ArtNames();
