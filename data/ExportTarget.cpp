#include "data/ExportTarget.h"

#include <wx/filename.h>

#include "data/BaseOnly.h"
#include "data/CsvExport.h"

const char* const kExportWildcard =
    "Excel files (*.csv)|*.csv|Cartella di lavoro Excel (*.xlsx)|*.xlsx";

namespace {

// The text after the last "." of the file name (not of a folder), lower case.
wxString Extension(const wxString& path) { return wxFileName(path).GetExt().Lower(); }

}  // namespace

ExportTarget ChooseExportTarget(const wxString& chosenPath, int filterIndex) {
    const wxString ext = Extension(chosenPath);
    ExportFormat format = filterIndex == kXlsxFilterIndex ? ExportFormat::Xlsx : ExportFormat::Csv;
    if (ext == "xlsx")
        format = ExportFormat::Xlsx;
    else if (ext == "csv")
        format = ExportFormat::Csv;
    if (format == ExportFormat::Csv) return {format, CsvPathWithExtension(chosenPath)};
    return {format, ext == "xlsx" ? chosenPath : chosenPath + ".xlsx"};
}
