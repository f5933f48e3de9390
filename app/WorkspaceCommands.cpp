#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/msgdlg.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "data/Preferences.h"
#include "data/Workspace.h"

wxString ChosenPath(const wxFileDialog& dialog) { return dialog.GetPath(); }

bool MainFrame::SaveWorkspace() {
    if (records_.Path().empty()) return SaveWorkspaceAs();
    wxString error;
    if (!records_.Save(records_.Path(), &error)) {
        wxLogError("%s", error);
        return false;
    }
    return true;
}

bool MainFrame::SaveWorkspaceAs() {
    wxFileDialog dialog(this, "Salva i dialoghi dello spazio di lavoro", "", "",
                        "HVX files (*.orv)|*.orv||", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    dialog.SetFilterIndex(0);
    if (dialog.ShowModal() != wxID_OK) return false;
    // A file that could not be written is not the workspace's file: later saves ask again.
    wxString error;
    if (!records_.Save(WorkspacePathWithExtension(ChosenPath(dialog)), &error)) {
        wxLogError("%s", error);
        return false;
    }
    SetTitle(dialog.GetFilename());
    return true;
}

void MainFrame::OpenWorkspace(const wxString& path, const wxString& caption) {
    // The live record would be replaced: the meter leaves live mode first.
    if (LiveLoggingRunning()) StopLiveLogging();
    wxString error;
    wxString damaged;
    if (!records_.Open(path, GlobalPreferences(), &error, &damaged)) {
        wxLogError("%s", error);
        return;
    }
    UpdateFlowUnitChecks();
    RefreshRecordList();
    EnableRecordCommands(false);
    SetTitle(caption);
    // After the list shows what could be kept, so the user sees it behind the message.
    if (!damaged.empty())
        wxMessageBox(damaged, "Spazio di lavoro danneggiato", wxOK | wxICON_WARNING, this);
}

void MainFrame::OnOpen(wxCommandEvent&) {
    wxFileDialog dialog(this, "Apri spazio di lavoro ORV HVX ", "", "", "ORV files (*.orv)|*.orv",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return;
    OpenWorkspace(ChosenPath(dialog), dialog.GetFilename());
}

void MainFrame::OnSave(wxCommandEvent&) { SaveWorkspace(); }

void MainFrame::OnSaveAs(wxCommandEvent&) { SaveWorkspaceAs(); }
