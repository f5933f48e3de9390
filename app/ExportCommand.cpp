#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include "app/MainFrame.h"
#include "data/CsvExport.h"
#include "data/ExportTarget.h"
#include "data/Preferences.h"
#include "data/XlsxExport.h"

// CSV stays the first and default type; the workbook is chosen by its file type or by a name
// ending in ".xlsx".
void MainFrame::OnExportCsv(wxCommandEvent&) {
    const int c = CurrentRow();
    if (c < 0) return;
    const Storage& record = records_.At(c);
    wxFileDialog dialog(this, "Esportare su excel", "", CsvDefaultFileName(record.dateText),
                        kExportWildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    dialog.SetFilterIndex(kCsvFilterIndex);
    if (dialog.ShowModal() != wxID_OK) return;
    const ExportTarget target = ChooseExportTarget(ChosenPath(dialog), dialog.GetFilterIndex());
    const bool written = target.format == ExportFormat::Xlsx ? WriteXlsx(target.path, record)
                                                             : WriteCsv(target.path, record);
    if (!written)
        wxMessageBox(
            "Impossibile aprire il file excel: controllare che non sia in uso in un'altra "
            "applicazione",
            "Message", wxOK, nullptr);
}
