#include "plot/mpLayer.h"

#include <wx/settings.h>

wxIMPLEMENT_ABSTRACT_CLASS(mpLayer, wxObject);

mpLayer::mpLayer() : font(*wxNORMAL_FONT), pen(*wxBLACK, 1) {}
