#include "data/ExportTarget.h"

#include "data/BaseOnly.h"
#include "data/CsvExport.h"
#include "data/FileTypeChoice.h"

const char* const kExportWildcard =
    "Excel files (*.csv)|*.csv|Cartella di lavoro Excel (*.xlsx)|*.xlsx";

ExportTarget ChooseExportTarget(const wxString& chosenPath, int filterIndex) {
    if (ChooseFileType(chosenPath, filterIndex, {"csv", "xlsx"}) == kCsvFilterIndex)
        return {ExportFormat::Csv, CsvPathWithExtension(chosenPath)};
    return {ExportFormat::Xlsx,
            HasExtension(chosenPath, "xlsx") ? chosenPath : chosenPath + ".xlsx"};
}
