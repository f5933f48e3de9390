#include "plot/core/InfoLayout.h"

#include <algorithm>
#include <cstdint>

namespace plotcore {

wxString LegendValueText(double v) {
    return v >= 30 ? wxString::Format(" %.0f ", v) : wxString::Format(" %.2f ", v);
}

std::optional<PlotSize> LegendBoxSize(const std::vector<PlotSize>& lines) {
    int w0 = 20, y = 5;
    for (const PlotSize& s : lines) {
        if (w0 <= s.w + 20) w0 = s.w + 25;
        y += s.h;
    }
    if (lines.empty()) return std::nullopt;
    return PlotSize{w0, y + 5};
}

std::vector<wxString> SplitTextLines(const wxString& text) {
    std::vector<wxString> out;
    wxString cur;
    for (wxUniChar c : text) {
        if (c == '\n') {
            out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    out.push_back(cur);
    return out;
}

std::optional<PlotSize> TextBoxSize(const std::vector<PlotSize>& lines) {
    // One line takes its own width; several start from a minimum of 5.
    int w0 = lines.size() == 1 ? 0 : 5, y = 5;
    for (const PlotSize& s : lines) {
        w0 = std::max(w0, s.w);
        y += s.h;
    }
    if (y == 5) return std::nullopt;
    return PlotSize{w0 + 10, y + 5};
}

std::vector<PlotPoint> TextLineOffsets(const std::vector<PlotSize>& lines) {
    std::vector<PlotPoint> out;
    int y = 5;
    for (const PlotSize& s : lines) {
        out.push_back({5, y});
        y += s.h;
    }
    return out;
}

bool InsideBox(PlotPoint p, const PlotRect& box) {
    return box.x <= p.x && p.x <= box.x + box.w && box.y <= p.y && p.y <= box.y + box.h;
}

PlotPoint RescaleBoxPosition(PlotPoint pos, PlotSize oldSize, PlotSize newSize) {
    if (oldSize.w != 1 && oldSize.w != 0)
        pos.x = static_cast<int>(static_cast<std::int64_t>(pos.x) * newSize.w / oldSize.w);
    if (oldSize.h != 1 && oldSize.h != 0)
        pos.y = static_cast<int>(static_cast<std::int64_t>(pos.y) * newSize.h / oldSize.h);
    return pos;
}

PlotPoint ClampBoxPosition(int x, int y, PlotSize window) {
    const int hw = window.w / 2, hh = window.h / 2;
    return {std::clamp(x, -hw, hw), std::clamp(y, -hh, hh)};
}

}  // namespace plotcore
