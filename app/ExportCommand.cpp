#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include "app/MainFrame.h"
#include "data/CsvExport.h"
#include "data/Preferences.h"

void MainFrame::OnExportCsv(wxCommandEvent&) {
    const int c = CurrentRow();
    if (c < 0) return;
    const Storage& record = records_.At(c);
    wxFileDialog dialog(this, "Esportare su excel", "", CsvDefaultFileName(record.dateText),
                        "Excel files (*.csv)|*.csv||", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    dialog.SetFilterIndex(1);
    if (dialog.ShowModal() != wxID_OK) return;
    if (!WriteCsv(CsvPathWithExtension(ChosenPath(dialog)), record, GlobalPreferences()))
        wxMessageBox(
            "Impossibile aprire il file excel: controllare che non sia in uso in un'altra "
            "applicazione",
            "Message", wxOK, nullptr);
}
