#include "widgets/core/TipLines.h"

std::vector<wxString> BreakTipLines(const wxString& text) {
    std::vector<wxString> lines;
    wxString rest = text;
    while (!rest.empty()) {
        if (rest.length() <= kTipLineWidth) {
            lines.push_back(rest);
            break;
        }
        const size_t blank = rest.Left(kTipLineWidth).find_last_of(' ');
        if (blank == wxString::npos || blank < 2) {
            lines.push_back(rest);
            break;
        }
        lines.push_back(rest.Left(blank));
        rest = rest.Mid(blank + 1);
    }
    return lines;
}

std::vector<TipLine> LayoutTipLines(const wxString& text) {
    std::vector<TipLine> out;
    int k = 0;
    for (const wxString& line : BreakTipLines(text)) {
        out.push_back({line, 100, 15 + 20 * k});
        ++k;
    }
    return out;
}
