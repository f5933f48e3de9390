#include "data/XlsxExport.h"

#include <wx/ffile.h>
#include <wx/filename.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "data/AtomicFile.h"
#include "data/BaseOnly.h"
#include "data/CsvExport.h"
#include "data/NumberText.h"

namespace {

// Excel holds at most this many characters in one cell.
constexpr std::size_t kMaxCellText = 32767;

std::string Utf8(const wxString& text) {
    const wxString held = text.length() > kMaxCellText ? text.Left(kMaxCellText) : text;
    return std::string(held.utf8_str());
}

class Sheets {
public:
    Sheets(lxw_workbook* book, unsigned rowsPerSheet) : book_(book), rows_(rowsPerSheet) {
        number_ = workbook_add_format(book_);
        format_set_num_format(number_, "0.00");
    }

    lxw_error Start(const char* name) {
        sheet_ = workbook_add_worksheet(book_, name);
        row_ = 0;
        if (sheet_ == nullptr) return LXW_ERROR_MEMORY_MALLOC_FAILED;
        // Room for the longest label of the first column and for the column titles.
        worksheet_set_column(sheet_, 0, 0, 22, nullptr);
        return worksheet_set_column(sheet_, 1, 3, 16, nullptr);
    }

    // A row of texts; empty texts leave their cell empty. The cell in column `readingCol` holds a
    // reading from the graph: a number where its text is one.
    lxw_error Texts(const std::vector<wxString>& cells, std::size_t readingCol = SIZE_MAX) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (cells[c].empty()) continue;
            const std::string text = Utf8(cells[c]);
            const lxw_error e = c == readingCol ? Reading(lxw_col_t(c), text)
                                                : worksheet_write_string(sheet_, row_, lxw_col_t(c),
                                                                         text.c_str(), nullptr);
            if (e) return e;
        }
        ++row_;
        return LXW_NO_ERROR;
    }

    // A sample row; the columns continue on a new sheet when this one is full.
    lxw_error Sample(const float (&values)[4], const std::vector<wxString>& titles) {
        if (row_ >= rows_) {
            const std::string name = "Dati " + std::to_string(++extra_ + 1);
            if (lxw_error e = Start(name.c_str())) return e;
            if (lxw_error e = Texts(titles)) return e;
        }
        for (lxw_col_t c = 0; c < 4; ++c)
            if (lxw_error e = Number(c, values[c])) return e;
        ++row_;
        return LXW_NO_ERROR;
    }

private:
    // A number shown with as many decimals as its text has; any other text stays text.
    lxw_error Reading(lxw_col_t col, const std::string& text) {
        double value = 0.0;
        const char* end = text.data() + text.size();
        const auto r = std::from_chars(text.data(), end, value);
        if (r.ec != std::errc() || r.ptr != end || !std::isfinite(value))
            return worksheet_write_string(sheet_, row_, col, text.c_str(), nullptr);
        const std::size_t dot = text.find('.');
        const std::size_t decimals = dot == std::string::npos ? 0 : text.size() - dot - 1;
        lxw_format* format = workbook_add_format(book_);
        format_set_num_format(format,
                              decimals == 0 ? "0" : ("0." + std::string(decimals, '0')).c_str());
        return worksheet_write_number(sheet_, row_, col, value, format);
    }

    // The value the CSV shows ("%.2f"), as a number; "nan" and "inf" stay texts, as no cell
    // holds them as numbers.
    lxw_error Number(lxw_col_t col, float value) {
        char text[kMaxNumberText + 1];
        const std::size_t n = FormatFixed2(value, text);
        text[n] = '\0';
        if (!std::isfinite(value)) return worksheet_write_string(sheet_, row_, col, text, nullptr);
        double shown = 0.0;
        std::from_chars(text, text + n, shown);
        return worksheet_write_number(sheet_, row_, col, shown, number_);
    }

    lxw_workbook* book_;
    lxw_format* number_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    unsigned rows_;
    lxw_row_t row_ = 0;
    int extra_ = 0;
};

lxw_error WriteBook(const wxString& scratch, const wxString& path, const Storage& record,
                    unsigned rowsPerSheet) {
    const std::string scratchName(scratch.utf8_str());
    const std::string tmpdir(wxFileName::GetTempDir().utf8_str());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;  // rows go to a temporary file, not to memory
    options.tmpdir = const_cast<char*>(tmpdir.c_str());
    lxw_workbook* book = workbook_new_opt(scratchName.c_str(), &options);
    if (book == nullptr) return LXW_ERROR_CREATING_XLSX_FILE;

    const ExportLabels labels = ChooseExportLabels(record);
    const std::vector<wxString> titles = {"Tempo (s)", "portata(" + labels.flow + ")",
                                          "Volume (" + labels.volume + ")",
                                          "Pressione(" + labels.pressure + ")"};
    Sheets sheets(book, std::max(rowsPerSheet, 8u));
    lxw_error e = sheets.Start("Dati");
    if (!e) e = sheets.Texts({"File Name", path});
    if (!e) e = sheets.Texts({"Title", record.title + " " + record.dateText});
    if (!e) e = sheets.Texts({"Information", record.info});
    if (!e) e = sheets.Texts({"Flow Measurement", record.flowReading, labels.flow}, 1);
    if (!e) e = sheets.Texts({"Pressure Measurement", record.pressureReading, labels.pressure}, 1);
    if (!e) e = sheets.Texts(titles);
    const std::size_t count = std::min(
        {record.time.size(), record.flow.size(), record.pressure.size(), record.volume.size()});
    for (std::size_t i = 0; i < count && !e; ++i) {
        const float values[4] = {record.time[i], record.flow[i], record.volume[i],
                                 record.pressure[i]};
        e = sheets.Sample(values, titles);
    }
    // Closing writes the file and frees the workbook, also after a failure.
    const lxw_error closed = workbook_close(book);
    return e ? e : closed;
}

bool ReadAll(const wxString& path, std::vector<char>& bytes) {
    wxFFile in(path, "rb");
    if (!in.IsOpened()) return false;
    const wxFileOffset length = in.Length();
    if (length < 0) return false;
    bytes.resize(std::size_t(length));
    return in.Read(bytes.data(), bytes.size()) == bytes.size();
}

}  // namespace

bool WriteXlsx(const wxString& path, const Storage& record, wxString* error,
               unsigned rowsPerSheet) {
    // The library writes a whole file by name: it goes to a scratch file first, then into place
    // the way every other file of the program is saved.
    const wxString scratch = wxFileName::CreateTempFileName("hvx-xlsx");
    wxString why;
    std::vector<char> bytes;
    if (scratch.empty()) {
        why = "cannot create a temporary file";
    } else if (lxw_error e = WriteBook(scratch, path, record, rowsPerSheet)) {
        why = wxString::FromUTF8(lxw_strerror(e));
    } else if (!ReadAll(scratch, bytes)) {
        why = "cannot read back the temporary workbook";
    }
    if (!scratch.empty()) wxRemoveFile(scratch);
    if (why.empty()) {
        AtomicFile out(path);
        out.Write(bytes.data(), bytes.size());
        if (out.Commit()) return true;
        why = out.Error();
    }
    if (error != nullptr) *error = why;
    return false;
}
