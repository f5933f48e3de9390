#pragma once
// "Suggerimenti di aiuto": a modeless window that shows one usage tip at a time, with a button for
// the next one and a box that says whether the tips open when the program starts. Changing the box
// sends a tipsEVT_SHOW_AT_START command event to the parent: id 1 when now ticked, 0 when not.

#include <wx/dialog.h>

#include <vector>

#include "widgets/Tip.h"

class wxCheckBox;
class wxDC;

wxDECLARE_EVENT(tipsEVT_SHOW_AT_START, wxCommandEvent);

class TipsDialog : public wxDialog {
public:
    enum { ID_SHOW_AT_START = 1, ID_NEXT_TIP = 0 };

    TipsDialog(wxWindow* parent, bool showAtStart);

    const std::vector<Tip>& Tips() const { return tips_; }
    size_t Current() const { return current_; }
    bool ShowAtStart() const { return showAtStartValue_; }

    // Moves to the next tip, after the last back to the first, and repaints.
    void NextTip();

    // The current tip: its picture at (10, 10), its text broken into lines right of it.
    void DrawTip(wxDC& dc) const;

private:
    void OnPaint(wxPaintEvent& event);
    void OnNext(wxCommandEvent& event);
    void OnShowAtStart(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    wxWindow* parent_;
    std::vector<Tip> tips_;
    size_t current_ = 0;
    wxCheckBox* showAtStartBox_ = nullptr;
    bool showAtStartValue_ = true;

    wxDECLARE_EVENT_TABLE();
};
