#pragma once
// Export of one record as an Excel workbook: the CSV export's header lines and columns, one cell
// each, with the samples as numbers (rounded to two decimals as the CSV shows them), so that a
// spreadsheet in any locale reads them as numbers. The file is replaced atomically.

#include <wx/string.h>

#include "data/Storage.h"

// Rows of one worksheet; samples past the last row go on to further worksheets ("Dati 2", ...),
// each starting with the column titles.
constexpr unsigned kXlsxMaxRows = 1048576;

// On failure the old file stays and `error` (when given) says why. `rowsPerSheet` is the sheet size
// (smaller only in tests).
bool WriteXlsx(const wxString& path, const Storage& record, wxString* error = nullptr,
               unsigned rowsPerSheet = kXlsxMaxRows);
