#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/log.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "data/Preferences.h"
#include "data/Workspace.h"

wxString ChosenPath(const wxFileDialog& dialog) {
    return wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
}

bool MainFrame::SaveWorkspace() {
    if (workspacePath.empty()) return SaveWorkspaceAs();
    wxString error;
    if (!WriteWorkspace(workspacePath, records, GlobalPreferences(), &error)) {
        wxLogError("%s", error);
        return false;
    }
    saved = 1;
    return true;
}

bool MainFrame::SaveWorkspaceAs() {
    wxFileDialog dialog(this, "Salva i dialoghi dello spazio di lavoro", "", "",
                        "HVX files (*.orv)|*.orv||", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    dialog.SetFilterIndex(1);
    if (dialog.ShowModal() != wxID_OK) return false;
    const wxString previous = workspacePath;
    workspacePath = WorkspacePathWithExtension(ChosenPath(dialog));
    // A file that could not be written is not the workspace's file: later saves ask again.
    if (!SaveWorkspace()) {
        workspacePath = previous;
        return false;
    }
    SetTitle(dialog.GetFilename());
    return true;
}

void MainFrame::OpenWorkspace(const wxString& path, const wxString& caption) {
    // The file's units become the preferences only when the whole file could be read.
    Preferences prefs = GlobalPreferences();
    WorkspaceReadResult result = ReadWorkspace(path, prefs);
    if (!result.Ok()) {
        wxLogError("%s", result.error);
        return;
    }
    GlobalPreferences() = prefs;
    records = std::move(result.records);
    workspacePath = path;
    filterOn = false;
    UpdateFlowUnitChecks();
    RefreshRecordList();
    EnableRecordCommands(false);
    saved = 1;
    SetTitle(caption);
}

void MainFrame::OnOpen(wxCommandEvent&) {
    wxFileDialog dialog(this, "Apri spazio di lavoro ORV HVX ", "", "", "ORV files (*.orv)|*.orv",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return;
    OpenWorkspace(ChosenPath(dialog), dialog.GetFilename());
}

void MainFrame::OnSave(wxCommandEvent&) { SaveWorkspace(); }

void MainFrame::OnSaveAs(wxCommandEvent&) { SaveWorkspaceAs(); }
