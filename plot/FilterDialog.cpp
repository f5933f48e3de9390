#include "plot/FilterDialog.h"

#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>

#include "plot/PlotDialogLook.h"

wxString FilterLabel(int halfWidth) {
    return wxString::Format("%d punto muovendo il filtro medio", 2 * halfWidth + 1);
}

FilterDialog::FilterDialog(wxWindow* parent, int halfWidth)
    : wxDialog(parent, wxID_ANY, "Impostazioni filtro", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      halfWidth_(halfWidth) {
    SetBackgroundColour(DialogGrey());
    label_ = new wxStaticText(this, wxID_ANY, FilterLabel(halfWidth));
    slider_ = new wxSlider(this, wxID_ANY, halfWidth, 1, 10, wxDefaultPosition, wxSize(200, -1),
                           wxSL_HORIZONTAL | wxSL_AUTOTICKS);
    slider_->SetTickFreq(1);
    // Every kind of scroll (drag, arrow keys, page, click on the track) changes the width.
    slider_->Bind(wxEVT_SCROLL_TOP, &FilterDialog::OnSlider, this);
    slider_->Bind(wxEVT_SCROLL_BOTTOM, &FilterDialog::OnSlider, this);
    slider_->Bind(wxEVT_SCROLL_LINEUP, &FilterDialog::OnSlider, this);
    slider_->Bind(wxEVT_SCROLL_LINEDOWN, &FilterDialog::OnSlider, this);
    slider_->Bind(wxEVT_SCROLL_PAGEUP, &FilterDialog::OnSlider, this);
    slider_->Bind(wxEVT_SCROLL_PAGEDOWN, &FilterDialog::OnSlider, this);
    slider_->Bind(wxEVT_SCROLL_THUMBTRACK, &FilterDialog::OnSlider, this);
    slider_->Bind(wxEVT_SCROLL_THUMBRELEASE, &FilterDialog::OnSlider, this);
    slider_->Bind(wxEVT_SCROLL_CHANGED, &FilterDialog::OnSlider, this);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(label_, 0, wxALIGN_CENTER | wxALL, 10);
    column->Add(slider_, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    column->Add(OkCloseButtons(this), 0, wxALIGN_CENTER | wxALL, 10);
    SetSizerAndFit(column);
}

void FilterDialog::OnSlider(wxScrollEvent& event) {
    halfWidth_ = slider_->GetValue();
    ShowSamples();
    event.Skip();
}

void FilterDialog::ShowSamples() {
    label_->SetLabel(FilterLabel(halfWidth_));
    Layout();
}
