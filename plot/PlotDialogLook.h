#pragma once
// What the line style and filter dialogs share: the interface grey and the "Ok" / "Chiudere" pair.
#include <wx/button.h>
#include <wx/colour.h>
#include <wx/sizer.h>

#include <algorithm>

inline wxColour DialogGrey() { return wxColour(236, 233, 216); }

// "Ok" (OK id) and "Chiudere" (cancel id), 60 x 30 each, side by side; a theme whose buttons need
// more room for their label gets it, so no label is clipped.
inline wxBoxSizer* OkCloseButtons(wxWindow* parent) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    for (const auto& [id, label] : {std::pair{wxID_OK, "Ok"}, std::pair{wxID_CANCEL, "Chiudere"}}) {
        auto* button = new wxButton(parent, id, label);
        const wxSize best = button->GetBestSize();
        button->SetMinSize(wxSize(std::max(60, best.x), std::max(30, best.y)));
        row->Add(button, 0, id == wxID_OK ? wxRIGHT : 0, 5);
    }
    return row;
}
