#include "plot/PenDialog.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>

#include "plot/PlotDialogLook.h"

PenDialog::PenDialog(wxWindow* parent, int width)
    : wxDialog(parent, wxID_ANY, "Stile del bordo della tabella", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    SetBackgroundColour(DialogGrey());
    wxArrayString entries;
    for (int w = 1; w <= 7; ++w) entries.Add(wxString::Format("Spessore linea %d", w));
    choice_ = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, entries);
    // A width the program never produces selects nothing.
    choice_->SetSelection(width >= 1 && width <= 7 ? width - 1 : wxNOT_FOUND);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(choice_, 0, wxEXPAND | wxALL, 10);
    column->Add(OkCloseButtons(this), 0, wxALIGN_CENTER | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(column);
}

int PenDialog::GetWidth() const {
    const int selection = choice_->GetSelection();
    return selection == wxNOT_FOUND ? 0 : selection + 1;
}
