#pragma once
// "Impostazioni filtro": the half width N of the moving average (2N + 1 samples), 1 to 10.
//
//     FilterDialog dialog(parent, filterWidth);
//     if (dialog.ShowModal() == wxID_OK) filterWidth = dialog.GetHalfWidth();

#include <wx/dialog.h>

class wxScrollEvent;
class wxSlider;
class wxStaticText;

class FilterDialog : public wxDialog {
public:
    FilterDialog(wxWindow* parent, int halfWidth);

    int GetHalfWidth() const { return halfWidth_; }
    wxSlider* GetSlider() const { return slider_; }
    wxStaticText* GetSamplesLabel() const { return label_; }

private:
    void OnSlider(wxScrollEvent& event);
    void ShowSamples();

    wxStaticText* label_ = nullptr;
    wxSlider* slider_ = nullptr;
    int halfWidth_;
};

// The label's text for a half width: the number of samples averaged.
wxString FilterLabel(int halfWidth);
