#include "widgets/TipsDialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

#include <cstdlib>
#include <ctime>

#include "art/Art.h"
#include "widgets/core/TipLines.h"

wxDEFINE_EVENT(tipsEVT_SHOW_AT_START, wxCommandEvent);

wxBEGIN_EVENT_TABLE(TipsDialog, wxDialog)
    EVT_PAINT(TipsDialog::OnPaint)
    EVT_BUTTON(TipsDialog::ID_NEXT_TIP, TipsDialog::OnNext)
    EVT_CHECKBOX(TipsDialog::ID_SHOW_AT_START, TipsDialog::OnShowAtStart)
    EVT_BUTTON(wxID_OK, TipsDialog::OnOk)
    EVT_CLOSE(TipsDialog::OnClose)
wxEND_EVENT_TABLE()

namespace {

struct TipSource {
    const char* text;  // UTF-8
    const char* picture;
    int size;
};

constexpr TipSource kTips[] = {
    {"Leggi e registra le misure live dal misuratore mentre è connesso con USB", "tip-live", 70},
    {"Cambia i parameti del misuratore per controllare come i dati sono registrati", "tip-settings",
     70},
    {"Scarica tutti gli eventi registrati di pressione e portata dal misuratore attraverso USB",
     "tip-download", 70},
    {"Cancella tutte le registrazioni del misuratore. Questo cancella la memoria, richiede che la "
     "USB "
     "sia connessa",
     "tip-erase", 70},
    {"Aprire i lavori salvati in precedenza per visualizzare i dati e fare modifiche aggiuntive",
     "tip-open", 50},
    {"Muovere il cursore sopra a una icona e una nota di aiuto comparirà automaticamente",
     "tip-hover", 70},
    {"Salvare un immagine del grafico corrente. L'immagine salvata può essere importata su un "
     "report di "
     "WORD o di EXCEL",
     "tip-capture", 50},
};

const wxColour kInterfaceGrey(236, 233, 216);

// 100 x 30, or wider where the toolkit's font needs more room for the label.
wxButton* MakeButton(wxWindow* parent, wxWindowID id, const wxString& label) {
    auto* button = new wxButton(parent, id, label);
    wxSize size = button->GetBestSize();
    size.IncTo(wxSize(100, 30));
    button->SetMinSize(size);
    return button;
}

}  // namespace

TipsDialog::TipsDialog(wxWindow* parentWindow, bool showAtStart)
    : wxDialog(parentWindow, wxID_ANY, "Suggerimenti di aiuto", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE, "dialog"),
      parent_(parentWindow) {
    SetBackgroundColour(kInterfaceGrey);
    for (const TipSource& source : kTips)
        tips_.push_back({wxString::FromUTF8(source.text),
                         ArtBitmap(source.picture, wxSize(source.size, source.size))});

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    current_ = static_cast<size_t>(std::rand()) % tips_.size();

    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* group = new wxStaticBoxSizer(wxHORIZONTAL, this, wxEmptyString);
    wxWindow* box = group->GetStaticBox();
    showAtStartBox_ = new wxCheckBox(box, ID_SHOW_AT_START, "Mostra i suggerimenti all'avvio");
    group->Add(showAtStartBox_, 0, wxLEFT | wxALIGN_CENTER_VERTICAL, 10);
    group->Add(MakeButton(box, ID_NEXT_TIP, "Prossimo suggerimento"), 0, wxLEFT, 40);
    group->Add(MakeButton(box, wxID_OK, "OK"), 0, wxLEFT | wxRIGHT, 10);
    column->Add(group, 0, wxTOP, 100);
    SetSizerAndFit(column);
    CentreOnParent();

    showAtStartBox_->SetValue(showAtStart);
}

void TipsDialog::NextTip() {
    current_ = (current_ + 1) % tips_.size();
    Refresh(true);
}

void TipsDialog::DrawTip(wxDC& dc) const {
    const Tip& tip = tips_[current_];
    if (tip.picture.IsOk()) dc.DrawBitmap(tip.picture, 10, 10, false);
    dc.SetFont(GetFont());
    dc.SetTextForeground(GetForegroundColour());
    dc.SetBackgroundMode(wxTRANSPARENT);
    for (const TipLine& line : LayoutTipLines(tip.text)) dc.DrawText(line.text, line.x, line.y);
}

void TipsDialog::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    DrawTip(dc);
}

void TipsDialog::OnNext(wxCommandEvent&) { NextTip(); }

void TipsDialog::OnShowAtStart(wxCommandEvent&) {
    showAtStartValue_ = showAtStartBox_->GetValue();
    wxCommandEvent notice(tipsEVT_SHOW_AT_START, showAtStartValue_ ? 1 : 0);
    notice.SetEventObject(this);
    if (parent_) parent_->GetEventHandler()->ProcessEvent(notice);
}

// A modeless dialog that only hid itself would pile up behind the main window, one per opening.
void TipsDialog::OnOk(wxCommandEvent&) { Destroy(); }

void TipsDialog::OnClose(wxCloseEvent&) { Destroy(); }
