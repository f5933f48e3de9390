#include "app/TightBoxSizer.h"

#include <algorithm>

wxSize TightBoxSizer::CalcMin() {
    // The base class asks every item for its minimum and counts the proportions, which laying
    // out the items needs; only its answer is replaced.
    wxBoxSizer::CalcMin();
    int major = 0, minor = 0;
    for (const wxSizerItem* item : GetChildren()) {
        if (!item->IsShown()) continue;
        const wxSize min = item->GetMinSizeWithBorder();
        major += GetSizeInMajorDir(min);
        minor = std::max(minor, GetSizeInMinorDir(min));
    }
    return IsVertical() ? wxSize(minor, major) : wxSize(major, minor);
}
