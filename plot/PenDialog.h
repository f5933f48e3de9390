#pragma once
// "Stile del bordo della tabella": picks a line width 1 to 7 for a curve of the graph.
//
//     PenDialog dialog(parent, pen.GetWidth());
//     if (dialog.ShowModal() == wxID_OK) width = dialog.GetWidth();

#include <wx/dialog.h>

class wxChoice;

class PenDialog : public wxDialog {
public:
    PenDialog(wxWindow* parent, int width);

    // The chosen width, 1 to 7; 0 when no entry is selected (a start width outside 1 to 7).
    int GetWidth() const;
    wxChoice* GetChoice() const { return choice_; }

private:
    wxChoice* choice_ = nullptr;
};
