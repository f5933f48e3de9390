#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/textdlg.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "art/Art.h"
#include "widgets/wxKestButton.h"

namespace {

// A duration as a time of day that many seconds after midnight: a day or more wraps its hours.
wxString DurationText(const Storage& r) {
    const long long s =
        static_cast<long long>(double(r.GetLength()) * double(r.GetInterval()) / 1000.0);
    const long long hours = (s / 3600) % 24;
    const int minutes = int((s / 60) % 60);
    const int seconds = int(s % 60);
    if (hours != 0) return wxString::Format("%02d:%02d:%02d", int(hours), minutes, seconds);
    return wxString::Format("%02d:%02d", minutes, seconds);
}

void ShowFilterPictures(wxKestButton* button, bool on) {
    if (button == nullptr) return;
    const wxString name = on ? "filter-on" : "filter-off";
    const wxSize size{35, 30};
    button->SetBitmapLabel(ArtBitmap(name, size));
    button->SetBitmapCurrent(ArtBitmap(name, size, ArtState::Hover));
    button->SetBitmapPressed(ArtBitmap(name, size, ArtState::Pressed));
    button->SetBitmapDisabled(ArtBitmap(name, size, ArtState::Disabled));
    button->Refresh();
}

}  // namespace

int MainFrame::CurrentRow() const {
    const long row = recordList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    // A focused row past the records (never inserted by us) must not index the sequence.
    if (row < 0 || row >= long(records.size())) return -1;
    return int(row);
}

void MainFrame::RefreshRecordList() {
    recordList->DeleteAllItems();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Storage& r = records[i];
        const long row = recordList->InsertItem(long(i), r.title);
        const wxString date = r.dateText;
        const int blank = date.Find(' ');
        recordList->SetItem(row, 1, blank == wxNOT_FOUND ? date : date.Left(blank));
        recordList->SetItem(row, 2, blank == wxNOT_FOUND ? wxString() : date.Mid(blank + 1));
        recordList->SetItem(row, 3, DurationText(r));
        recordList->SetItem(row, 4, wxString::Format("%.2f", r.GetLastVolume()));
    }
}

void MainFrame::EnableRecordCommands(bool on) {
    for (wxButton* b : {removeRecordButton, renameRecordButton, recordInfoButton, textBoxButton,
                        targetFlowButton})
        b->Enable(on);
    if (wxMenuBar* bar = GetMenuBar()) bar->Enable(ID_EXPORT_CSV, on);
}

void MainFrame::ToggleFilter() {
    const int c = CurrentRow();
    if (c < 0) return;
    filterOn = !filterOn;
    ShowFilterPictures(filterButton, filterOn);
    records[std::size_t(c)].Smooth(filterOn, filterWidth);
    ShowRecord(c);
}

void MainFrame::OnFilter(wxCommandEvent&) { ToggleFilter(); }

void MainFrame::OnRecordSelected(wxListEvent&) {
    if (recordList->GetSelectedItemCount() == 1) {
        filterOn = true;
        ToggleFilter();
        ShowRecord(CurrentRow());
    }
    EnableRecordCommands(true);
}

void MainFrame::OnRecordDeselected(wxListEvent&) { EnableRecordCommands(false); }

void MainFrame::OnRecordActivated(wxListEvent&) { EditRecord(ID_RENAME_RECORD); }

void MainFrame::OnEditRecord(wxCommandEvent& event) { EditRecord(event.GetId()); }

void MainFrame::SelectRow(int selected, int focused) {
    recordList->SetFocus();
    if (selected >= 0 && selected < recordList->GetItemCount())
        recordList->SetItemState(selected, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    if (focused >= 0 && focused < recordList->GetItemCount()) {
        recordList->SetItemState(focused, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
        recordList->EnsureVisible(focused);
    }
}

void MainFrame::EditRecord(int id) {
    const int c = CurrentRow();
    if (recordList->GetSelectedItemCount() != 1 || c < 0) return;
    Storage& r = records[std::size_t(c)];
    const wxString more = wxString::FromUTF8("Informazioni aggiuntive\u2026");
    wxString value;
    wxString caption;
    long style = wxOK | wxCANCEL | wxCENTRE;
    switch (id) {
        case ID_RENAME_RECORD:
            value = r.title;
            caption = "Cambia il nome del titolo";
            break;
        case ID_RECORD_INFO:
            value = r.info;
            caption = more;
            break;
        case ID_RECORD_TEXTBOX:
            value = r.boxText;
            caption = more;
            style |= wxTE_MULTILINE;
            break;
        case ID_TARGET_FLOW:
            value = wxString::Format("%f", double(r.GetTargetFlow()));
            caption = "Portata target";
            break;
        default:
            return;
    }
    wxTextEntryDialog dialog(this, value, caption, value, style);
    if (dialog.ShowModal() == wxID_OK) {
        const wxString entered = dialog.GetValue();
        bool changed = true;
        switch (id) {
            case ID_RENAME_RECORD:
                r.title = entered.empty() ? wxString("-") : entered;
                break;
            case ID_RECORD_INFO:
                r.info = entered;
                break;
            case ID_RECORD_TEXTBOX:
                r.boxText = entered;
                break;
            default: {
                double target = 0.0;
                changed = entered.ToCDouble(&target) || entered.ToDouble(&target);
                if (changed) r.SetTargetFlow(float(target));
            }
        }
        if (changed) {
            RefreshRecordList();
            ShowRecord(c);
            saved = 0;
        }
    }
    SelectRow(c, c);
}

void MainFrame::OnRemoveRecord(wxCommandEvent&) {
    const int c = CurrentRow();
    if (recordList->GetSelectedItemCount() != 1 || c < 0) return;
    records.erase(records.begin() + c);
    RefreshRecordList();
    saved = 0;
    ShowRecord(-1);
    SelectRow(c == 0 ? 0 : c - 1, c);
}
