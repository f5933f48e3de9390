#pragma once
// How the LCD readout turns its text into cells, and the clock's hours:minutes:seconds text.

#include <wx/string.h>

#include <string>
#include <vector>

namespace lcd {

// What one digit cell shows: a character (0 for one outside Latin-1) and its decimal point.
struct Cell {
    unsigned char c = ' ';
    bool point = false;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// Puts a blank between every two adjacent dots, so each decimal point stands after a character.
wxString SeparateDots(const wxString& text);

// Fills `cells` cells from the right: cells[0] is the rightmost. A '.' takes no cell of its own but
// lights the point of the character before it; characters that do not fit at the left are lost and
// cells left over at the left are blank.
std::vector<Cell> WalkText(const wxString& text, int cells);

// Seconds as "HH:MM:SS", truncated to whole seconds, hours counted modulo 24. Negative and
// non-finite values show 00:00:00.
std::string ClockText(float seconds);

}  // namespace lcd
