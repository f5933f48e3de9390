#include "ArtCatalogue.h"

#include "ArtData.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

constexpr ArtEntry kEntries[] = {
    {"app-icon", "app-icon", 48, 48, false},
    {"app-icon-small", "app-icon-small", 16, 16, false},
    {"menu-open", "menu-open", 16, 15, false},
    {"menu-save", "menu-save", 16, 15, false},
    {"menu-print", "menu-print", 16, 15, false},
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
    std::snprintf(buf, sizeof buf,
                  "<defs><linearGradient id=\"latchPad\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
                  "<stop offset=\"0\" stop-color=\"#a9c3df\"/><stop offset=\"0.35\" stop-color=\"#c8dbee\"/>"
                  "<stop offset=\"1\" stop-color=\"#e4eef8\"/></linearGradient></defs>"
                  "<rect x=\"0.5\" y=\"0.5\" width=\"%.2f\" height=\"%.2f\" rx=\"%.2f\" "
                  "fill=\"url(#latchPad)\" stroke=\"#5d84ad\" stroke-width=\"1\"/>"
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
    svg.insert(openEnd + 1, LatchedPad(w, h));
    return svg;
}
