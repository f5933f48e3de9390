#pragma once
// Which kind of spreadsheet file an export writes, and under which name: the name's own extension
// decides (".xlsx" or ".csv"), otherwise the file type chosen in the dialog, whose extension is
// then added. A CSV path keeps the old rule: ".csv" is added unless the path holds it anywhere.

#include <wx/string.h>

enum class ExportFormat { Csv, Xlsx };

// The save dialog's file types, in this order: CSV first (the default), then the workbook.
constexpr int kCsvFilterIndex = 0;
constexpr int kXlsxFilterIndex = 1;
extern const char* const kExportWildcard;

struct ExportTarget {
    ExportFormat format = ExportFormat::Csv;
    wxString path;
};

ExportTarget ChooseExportTarget(const wxString& chosenPath, int filterIndex);
