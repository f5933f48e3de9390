#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/textdlg.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "art/Art.h"
#include "data/Units.h"
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
    // The list takes one selection at a time; the selected row is the current record however it
    // became selected (click, keyboard, or a command reselecting it).
    if (c_.recordList->GetSelectedItemCount() != 1) return -1;
    const long row = c_.recordList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    return records_.Valid(int(row)) ? int(row) : -1;
}

void MainFrame::RefreshRecordList() {
    // Rebuilding the rows must not run the selection commands (live logging refreshes every tick
    // while the user works in the list): the selected record is selected again afterwards.
    {
        wxEventBlocker quiet(c_.recordList, wxEVT_LIST_ITEM_SELECTED);
        quiet.Block(wxEVT_LIST_ITEM_DESELECTED);
        c_.recordList->DeleteAllItems();
        wxListItem volumeHeader;
        volumeHeader.SetMask(wxLIST_MASK_TEXT);
        c_.recordList->GetColumn(4, volumeHeader);
        for (std::size_t i = 0; i < records_.Size(); ++i) {
            const Storage& r = records_.At(int(i));
            const long row = c_.recordList->InsertItem(long(i), r.title);
            const wxString date = r.dateText;
            const int blank = date.Find(' ');
            c_.recordList->SetItem(row, 1, blank == wxNOT_FOUND ? date : date.Left(blank));
            c_.recordList->SetItem(row, 2, blank == wxNOT_FOUND ? wxString() : date.Mid(blank + 1));
            c_.recordList->SetItem(row, 3, DurationText(r));
            c_.recordList->SetItem(row, 4,
                                   ListVolumeText(r.GetLastVolume(), r.metricUnits, r.flowUnit,
                                                  volumeHeader.GetText()));
        }
        const int again = records_.IndexOf(currentId_);
        if (again >= 0) {
            const long both = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
            c_.recordList->SetItemState(again, both, both);
        } else {
            currentId_ = RecordSequence::kNoRecord;
        }
    }
    EnableRecordCommands(CurrentRow() >= 0);
}

void MainFrame::EnableRecordCommands(bool on) {
    for (wxButton* b : {c_.removeRecordButton, c_.renameRecordButton, c_.recordInfoButton,
                        c_.textBoxButton, c_.targetFlowButton})
        b->Enable(on);
    if (wxMenuBar* bar = GetMenuBar()) bar->Enable(ID_EXPORT_CSV, on);
}

void MainFrame::ToggleFilter() {
    const int c = CurrentRow();
    if (c < 0) return;
    const bool on = !records_.FilterOn();
    records_.SetFilter(c, on);
    ShowFilterPictures(c_.filterButton, on);
    ShowRecord(c);
}

void MainFrame::OnFilter(wxCommandEvent&) { ToggleFilter(); }

void MainFrame::RowBecameCurrent() {
    const int c = CurrentRow();
    currentId_ = records_.IdAt(c);
    if (c >= 0) {
        // A newly selected record is always shown unfiltered.
        records_.SetFilter(c, false);
        ShowFilterPictures(c_.filterButton, false);
        ShowRecord(c);
    }
    EnableRecordCommands(c >= 0);
}

void MainFrame::OnRecordSelected(wxListEvent&) { RowBecameCurrent(); }

void MainFrame::OnRecordDeselected(wxListEvent&) {
    currentId_ = records_.IdAt(CurrentRow());
    EnableRecordCommands(CurrentRow() >= 0);
}

void MainFrame::OnRecordActivated(wxListEvent&) { EditRecord(ID_RENAME_RECORD); }

void MainFrame::OnEditRecord(wxCommandEvent& event) { EditRecord(event.GetId()); }

void MainFrame::SelectRow(int row) {
    c_.recordList->SetFocus();
    if (row < 0 || row >= c_.recordList->GetItemCount()) return;
    {
        // Whether the toolkit reports this selection or not, it is handled once, by the caller.
        wxEventBlocker quiet(c_.recordList, wxEVT_LIST_ITEM_SELECTED);
        quiet.Block(wxEVT_LIST_ITEM_DESELECTED);
        const long both = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
        c_.recordList->SetItemState(row, both, both);
    }
    c_.recordList->EnsureVisible(row);
    currentId_ = records_.IdAt(CurrentRow());
    EnableRecordCommands(CurrentRow() >= 0);
}

void MainFrame::EditRecord(int id) {
    const int c = CurrentRow();
    if (c < 0) return;
    const Storage& r = records_.At(c);
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
        bool changed = false;
        switch (id) {
            case ID_RENAME_RECORD:
                changed = records_.Rename(c, entered);
                break;
            case ID_RECORD_INFO:
                changed = records_.SetInfo(c, entered);
                break;
            case ID_RECORD_TEXTBOX:
                changed = records_.SetBoxText(c, entered);
                break;
            default:
                changed = records_.SetTargetFlow(c, entered);
        }
        if (changed) {
            RefreshRecordList();
            ShowRecord(c);
        }
    }
    SelectRow(c);
}

void MainFrame::OnRemoveRecord(wxCommandEvent&) {
    const int c = CurrentRow();
    if (c < 0) return;
    if (c == records_.LiveIndex()) StopLiveLogging();
    records_.Remove(c);
    RefreshRecordList();
    // The previous row (the first, when the first was removed) becomes the current record.
    SelectRow(c == 0 ? 0 : c - 1);
    RowBecameCurrent();
}
