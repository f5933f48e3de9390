#pragma once
// Export of one record as comma-separated text for a spreadsheet: six header lines (file name,
// title, information, the two measuring-cursor readings, column names), then one line per sample.
// Numbers use "." whatever the locale; texts are written as they are (UTF-8).

#include <wx/string.h>

#include "data/Storage.h"

// The record's date text with ":", "/", ".", "," and "'" turned into "_".
wxString CsvDefaultFileName(const wxString& dateText);
// Appends ".csv" unless the path already holds it anywhere.
wxString CsvPathWithExtension(const wxString& path);

// The flow, volume and pressure labels of an export, shared by the CSV file and the workbook:
// they follow the record's own units (measurement system, flow unit and pressure unit).
struct ExportLabels {
    wxString flow, volume, pressure;
};
ExportLabels ChooseExportLabels(const Storage& record);

// The file is replaced atomically; on failure the old file stays and `error` (when given) says why.
bool WriteCsv(const wxString& path, const Storage& record, wxString* error = nullptr);
