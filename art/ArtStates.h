#pragma once
// Hover, pressed and disabled faces derived from the normal picture, the same way for every button.

#include <wx/image.h>

#include "art/Art.h"

// `picture` is the normal face with alpha, rendered at `scale` times the picture's default size;
// the result has the same size.
wxImage ApplyArtState(const wxImage& picture, ArtState state, double scale = 1.0);
