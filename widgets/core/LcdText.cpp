#include "widgets/core/LcdText.h"

#include <cmath>
#include <cstdio>

namespace lcd {
namespace {

// Characters beyond Latin-1 would otherwise alias table entries by their low byte (U+0131 as '1').
unsigned char CellChar(wxUniChar ch) {
    const auto v = ch.GetValue();
    return v > 0xFF ? 0 : static_cast<unsigned char>(v);
}

}  // namespace

wxString SeparateDots(const wxString& text) {
    wxString out;
    out.reserve(text.length() * 2);
    wxUniChar prev = 0;
    for (const wxUniChar ch : text) {
        if (ch == '.' && prev == '.') out += ' ';
        out += ch;
        prev = ch;
    }
    return out;
}

std::vector<Cell> WalkText(const wxString& text, int cells) {
    std::vector<Cell> out;
    if (cells <= 0) return out;
    out.reserve(static_cast<std::size_t>(cells));
    const wxString separated = SeparateDots(text);
    const std::vector<wxUniChar> s(separated.begin(), separated.end());
    const auto at = [&s](std::ptrdiff_t j) {
        return j >= 0 ? s[static_cast<std::size_t>(j)] : wxUniChar(' ');
    };
    const auto last = static_cast<std::ptrdiff_t>(s.size()) - 1;
    for (std::ptrdiff_t j = last; static_cast<int>(out.size()) < cells; --j) {
        const wxUniChar c = at(j);
        if (c == '.') continue;
        const wxUniChar next = (j >= 0 && j < last) ? at(j + 1) : wxUniChar(' ');
        out.push_back({CellChar(c), next == '.'});
    }
    return out;
}

std::string ClockText(float seconds) {
    const double whole =
        std::isfinite(seconds) && seconds > 0 ? std::trunc(static_cast<double>(seconds)) : 0.0;
    const long day = static_cast<long>(std::fmod(whole, 86400.0));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", day / 3600, day / 60 % 60, day % 60);
    return buf;
}

}  // namespace lcd
