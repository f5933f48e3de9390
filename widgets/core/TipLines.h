#pragma once
// How the tips dialog breaks a tip's text into lines and where it draws each line.

#include <wx/string.h>

#include <vector>

struct TipLine {
    wxString text;
    int x = 0;
    int y = 0;
};

inline constexpr size_t kTipLineWidth = 40;  // characters looked at for one line

// A rest of at most 40 characters is one line; otherwise it breaks at the last blank among its
// first 40 characters, unless that blank stands at position 0 or 1 (or there is none): then the
// whole rest is one line, however long.
std::vector<wxString> BreakTipLines(const wxString& text);

// Line k is drawn at (100, 15 + 20 k), right of the tip's picture.
std::vector<TipLine> LayoutTipLines(const wxString& text);
