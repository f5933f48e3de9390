#include "plot/LineColourChooser.h"

#include <wx/cmndata.h>
#include <wx/colordlg.h>

wxColourData LineColourData(const wxColour& start) {
    wxColourData data;
    data.SetChooseFull(true);
    for (int i = 0; i < wxColourData::NUM_CUSTOM; ++i) {
        const unsigned char grey = static_cast<unsigned char>(16 * i);
        data.SetCustomColour(i, wxColour(grey, grey, grey));
    }
    data.SetColour(start);
    return data;
}

std::optional<wxColour> ChooseLineColour(wxWindow* parent, const wxColour& start) {
    wxColourData data = LineColourData(start);
    wxColourDialog dialog(parent, &data);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.GetColourData().GetColour();
}
