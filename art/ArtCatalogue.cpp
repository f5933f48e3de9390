#include "art/ArtCatalogue.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "art/ArtData.h"

namespace {

constexpr ArtEntry kEntries[] = {
    // application
    {"app-icon", "app-icon", 48, 48, false},
    {"app-icon-small", "app-icon-small", 16, 16, false},
    {"splash", "splash", 640, 540, false},
    // File menu
    {"menu-open", "menu-open", 16, 15, false},
    {"menu-save", "menu-save", 16, 15, false},
    {"menu-print", "menu-print", 16, 15, false},
    // tool row
    {"tool-open", "tool-open", 50, 50, false},
    {"tool-save", "tool-save", 50, 50, false},
    {"tool-print", "tool-print", 50, 50, false},
    {"tool-capture", "tool-capture", 50, 50, false},
    {"version", "version", 98, 60, false},
    {"graph-flow-off", "graph-flow", 50, 50, false},
    {"graph-flow-on", "graph-flow", 50, 50, true},
    {"graph-volume-off", "graph-volume", 50, 50, false},
    {"graph-volume-on", "graph-volume", 50, 50, true},
    {"graph-pressure-off", "graph-pressure", 50, 50, false},
    {"graph-pressure-on", "graph-pressure", 50, 50, true},
    // plot tool column
    {"zoom-in", "zoom-in", 35, 30, false},
    {"zoom-out", "zoom-out", 35, 30, false},
    {"measure-flow-off", "measure-flow", 35, 30, false},
    {"measure-flow-on", "measure-flow", 35, 30, true},
    {"measure-pressure-off", "measure-pressure", 35, 30, false},
    {"measure-pressure-on", "measure-pressure", 35, 30, true},
    {"grid-off", "grid", 35, 30, false},
    {"grid-on", "grid", 35, 30, true},
    {"points-off", "points", 35, 30, false},
    {"points-on", "points", 35, 30, true},
    {"filter-off", "filter", 35, 30, false},
    {"filter-on", "filter", 35, 30, true},
    // meter buttons
    {"live-start", "live-start", 70, 70, false},
    {"live-stop", "live-stop", 70, 70, false},
    {"meter-settings", "meter-settings", 70, 70, false},
    {"meter-erase", "meter-erase", 70, 70, false},
    {"meter-download", "meter-download", 70, 70, false},
    // startup tips, in the order of the tips
    {"tip-live", "tip-live", 70, 70, false},
    {"tip-settings", "tip-settings", 70, 70, false},
    {"tip-download", "tip-download", 70, 70, false},
    {"tip-erase", "tip-erase", 70, 70, false},
    {"tip-open", "tip-open", 50, 50, false},
    {"tip-hover", "tip-hover", 70, 70, false},
    {"tip-capture", "tip-capture", 50, 50, false},
    // meter settings dialog
    {"meter-connected", "meter-connected", 280, 70, false},
    {"meter-sent", "meter-sent", 280, 70, false},
    {"meter-disconnected", "meter-disconnected", 280, 70, false},
};

const artdata::SvgSource* FindSource(std::string_view stem) {
    for (std::size_t i = 0; i < artdata::kSourceCount; ++i)
        if (stem == artdata::kSources[i].stem) return &artdata::kSources[i];
    return nullptr;
}

// The viewBox width and height, for sizing the latched pad in the picture's own units.
bool ViewBoxSize(std::string_view svg, double& w, double& h) {
    const auto at = svg.find("viewBox=\"");
    if (at == std::string_view::npos) return false;
    const char* p = svg.data() + at + 9;
    const char* end = svg.data() + svg.size();
    double v[4] = {};
    for (double& x : v) {
        while (p < end && (*p == ' ' || *p == ',')) ++p;
        const auto r = std::from_chars(p, end, x);
        if (r.ec != std::errc()) return false;
        p = r.ptr;
    }
    w = v[2];
    h = v[3];
    return w > 0 && h > 0;
}

// A pressed-in tile behind the picture: the look of a latched tool button, drawn in vector form so
// it stays sharp at every scale.
std::string LatchedPad(double w, double h) {
    const double r = std::min(w, h) * 0.16;
    char buf[900];
    std::snprintf(
        buf, sizeof buf,
        "<defs><linearGradient id=\"latchPad\" x1=\"0%%\" y1=\"0%%\" x2=\"0%%\" y2=\"100%%\">"
        "<stop offset=\"0\" stop-color=\"#8fb0d6\"/><stop offset=\"0.35\" stop-color=\"#bcd3ec\"/>"
        "<stop offset=\"1\" stop-color=\"#dde9f6\"/></linearGradient></defs>"
        "<rect x=\"0.5\" y=\"0.5\" width=\"%.2f\" height=\"%.2f\" rx=\"%.2f\" "
        "fill=\"url(#latchPad)\" stroke=\"#4a75a3\" stroke-width=\"1\"/>"
        "<path d=\"M%.2f 1.6H%.2f\" stroke=\"#7f9dbd\" stroke-width=\"1\" opacity=\"0.8\"/>",
        w - 1, h - 1, r, r, w - r);
    return buf;
}

}  // namespace

std::span<const ArtEntry> ArtEntries() { return kEntries; }

const ArtEntry* FindArtEntry(const wxString& name) {
    const std::string key = name.utf8_string();
    for (const ArtEntry& e : kEntries)
        if (key == e.name) return &e;
    return nullptr;
}

std::string ArtSvgText(const ArtEntry& entry) {
    const artdata::SvgSource* src = FindSource(entry.source);
    if (!src) return {};
    std::string svg(reinterpret_cast<const char*>(src->data), src->size);
    if (!entry.latched) return svg;
    double w = 0, h = 0;
    const auto open = svg.find("<svg");
    const auto openEnd = open == std::string::npos ? open : svg.find('>', open);
    if (openEnd == std::string::npos || !ViewBoxSize(svg, w, h)) return svg;
    const auto close = svg.rfind("</svg>");
    if (close == std::string::npos || close < openEnd) return svg;
    // The picture shrinks a little into the pad, the way a latched key sits lower than its frame.
    constexpr double kInset = 0.86;
    char group[120];
    std::snprintf(group, sizeof group, "<g transform=\"translate(%.3f,%.3f) scale(%.3f)\">",
                  w * (1 - kInset) / 2, h * (1 - kInset) / 2, kInset);
    svg.insert(close, "</g>");
    svg.insert(openEnd + 1, LatchedPad(w, h) + group);
    return svg;
}
