#pragma once
// The table of pictures: each name, the SVG it is drawn from, the size the program uses it at.

#include <wx/string.h>

#include <span>
#include <string>

struct ArtEntry {
    const char* name;
    const char* source;  // stem of art/svg/<source>.svg
    int width;
    int height;
    bool latched;  // the "on" face of a two-state button: the picture sits on a sunken pad
};

std::span<const ArtEntry> ArtEntries();
const ArtEntry* FindArtEntry(const wxString& name);

// The SVG text of an entry, ready for the rasterizer; empty when its source is missing.
std::string ArtSvgText(const ArtEntry& entry);
