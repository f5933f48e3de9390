// The workbook export read by a real spreadsheet: LibreOffice converts the file to CSV as an
// Italian user's spreadsheet shows it (decimal comma), quoting every text cell, so each cell can
// be compared with the record and a number is told apart from a text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "data/XlsxExport.h"
#include "tests/unit/data/TempDir.h"

namespace {

std::string U(const wxString& s) { return std::string(s.utf8_str()); }

struct Cell {
    std::string text;
    bool quoted = false;  // a text cell; numbers and empty cells are not quoted
    friend bool operator==(const Cell&, const Cell&) = default;
};
using Rows = std::vector<std::vector<Cell>>;

Cell Text(const std::string& t) { return {t, true}; }
Cell Number(const std::string& t) { return {t, false}; }
const Cell kEmpty{};

void PrintTo(const Cell& c, std::ostream* os) { *os << (c.quoted ? "text " : "cell ") << c.text; }

// Semicolon-separated fields, "..." around texts with "" for a quote inside.
Rows ParseCsv(const std::string& bytes) {
    Rows rows(1, std::vector<Cell>(1));
    bool inQuotes = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char ch = bytes[i];
        Cell& cell = rows.back().back();
        if (inQuotes) {
            if (ch == '"' && i + 1 < bytes.size() && bytes[i + 1] == '"') {
                cell.text += '"';
                ++i;
            } else if (ch == '"') {
                inQuotes = false;
            } else {
                cell.text += ch;
            }
        } else if (ch == '"') {
            inQuotes = true;
            cell.quoted = true;
        } else if (ch == ';') {
            rows.back().emplace_back();
        } else if (ch == '\n') {
            rows.emplace_back(1);
        } else if (ch != '\r') {
            cell.text += ch;
        }
    }
    if (rows.back().size() == 1 && rows.back()[0] == kEmpty) rows.pop_back();
    return rows;
}

std::string Quote(const std::string& s) { return "'" + s + "'"; }

// The workbook as LibreOffice shows it in an Italian locale; sheet -1 writes every sheet to a
// file of its own (name-Sheet.csv). Empty when LibreOffice is not there.
std::vector<std::string> Convert(const TempDir& dir, const std::string& workbook,
                                 std::vector<std::string> sheets) {
    const std::string out = dir.File("converted");
    const std::string command =
        "HOME=" + Quote(dir.File("home")) + " LC_ALL=it_IT.UTF-8 LANG=it_IT.UTF-8 " +
        "timeout 180 soffice -env:UserInstallation=file://" + dir.File("profile") +
        " --headless --convert-to " +
        Quote("csv:Text - txt - csv (StarCalc):59,34,76,1,,0,true,false,true,false,false,-1") +
        " --outdir " + Quote(out) + " " + Quote(workbook) + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<std::string> files;
    const std::string stem = std::filesystem::path(workbook).stem().string();
    for (const std::string& sheet : sheets)
        files.push_back(TempDir::Read(out + "/" + stem + "-" + sheet + ".csv"));
    return files;
}

bool HaveLibreOffice() { return std::system("command -v soffice >/dev/null 2>&1") == 0; }

#define REQUIRE_LIBREOFFICE()                                                                 \
    if (!HaveLibreOffice())                                                                   \
    GTEST_SKIP() << "LibreOffice (soffice) is not installed, so the workbook is not checked " \
                    "with a real spreadsheet: install libreoffice-calc-nogui (scripts/setup " \
                    "does)"

// "%.2f" with a decimal comma, as the Italian spreadsheet shows a number formatted 0.00.
std::string Shown(float v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", double(v));
    std::string s = text;
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

std::vector<Cell> SampleRow(const Storage& r, std::size_t i) {
    std::vector<Cell> row;
    for (float v : {r.time[i], r.flow[i], r.volume[i], r.pressure[i]})
        row.push_back(std::isfinite(v) ? Number(Shown(v)) : Text(v > 0 ? "inf" : "nan"));
    return row;
}

Storage AwkwardRecord() {
    Storage s("7/03/2011 9:05:30", 1000, 1, 0, 2, 1);
    s.title = wxString::FromUTF8("Idrante \"Nord\"; 100% =SUM(A1)");
    s.info = wxString::FromUTF8("Portata, pressione e volume: àèìòù");
    s.flowReading = "7.20";
    s.pressureReading = "bassa";
    s.SetPressureScaling(0, 2, 0, 'b');
    for (int i = 1; i <= 40; ++i) s.AddRawSample(37 * i % 900, 20 + 11 * i % 700);
    // Values the rounding and the cell types must survive.
    s.flow[3] = 0.125f;
    s.flow[4] = -2.5f;
    s.flow[5] = 1e6f;
    s.pressure[6] = std::numeric_limits<float>::quiet_NaN();
    s.volume[7] = std::numeric_limits<float>::infinity();
    return s;
}

TEST(XlsxExport, EveryCellReadsBackInASpreadsheetAsTheRecordHasIt) {
    REQUIRE_LIBREOFFICE();
    TempDir dir;
    const Storage record = AwkwardRecord();
    const std::string path = dir.File("7_03_2011 9_05_30.xlsx");
    wxString error;
    ASSERT_TRUE(WriteXlsx(wxString::FromUTF8(path), record, &error)) << U(error);

    const Rows rows = ParseCsv(Convert(dir, path, {"Dati"})[0]);
    Rows expected = {
        {Text("File Name"), Text(path), kEmpty, kEmpty},
        {Text("Title"), Text("Idrante \"Nord\"; 100% =SUM(A1) 7/03/2011 9:05:30"), kEmpty, kEmpty},
        {Text("Information"), Text("Portata, pressione e volume: àèìòù"), kEmpty, kEmpty},
        {Text("Flow Measurement"), Number("7,20"), Text("M³/h"), kEmpty},
        {Text("Pressure Measurement"), Text("bassa"), Text("Bar"), kEmpty},
        {Text("Tempo (s)"), Text("portata(M³/h)"), Text("Volume (M³)"), Text("Pressione(Bar)")},
    };
    for (std::size_t i = 0; i < record.time.size(); ++i) expected.push_back(SampleRow(record, i));
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t r = 0; r < rows.size(); ++r)
        EXPECT_EQ(rows[r], expected[r]) << "row " << r + 1;
    // The rounding is the CSV's, cell by cell.
    EXPECT_EQ(rows[6 + 3][1], Number("0,12"));
    EXPECT_EQ(rows[6 + 5][1], Number("1000000,00"));
}

TEST(XlsxExport, ARecordWithoutSamplesGivesTheHeaderRowsOnly) {
    REQUIRE_LIBREOFFICE();
    TempDir dir;
    Storage record("7/03/2011 9:05:30", 1000, 0, 0, 0, 1);  // a gallon meter
    record.title = "Vuoto";
    const std::string path = dir.File("vuoto.xlsx");
    ASSERT_TRUE(WriteXlsx(wxString::FromUTF8(path), record, nullptr));
    const Rows rows = ParseCsv(Convert(dir, path, {"Dati"})[0]);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[2], (std::vector<Cell>{Text("Information"), kEmpty, kEmpty, kEmpty}));
    EXPECT_EQ(rows[3],
              (std::vector<Cell>{Text("Flow Measurement"), kEmpty, Text("G/min"), kEmpty}));
    EXPECT_EQ(rows[5][2], Text("Volume (G)"));
}

TEST(XlsxExport, SamplesPastAFullSheetGoOnToTheNextWithTheColumnTitles) {
    REQUIRE_LIBREOFFICE();
    TempDir dir;
    Storage record("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    record.SetPressureScaling(0, 2, 0, 'p');
    for (int i = 1; i <= 13; ++i) record.AddRawSample(10 * i, 30 + i);
    const std::string path = dir.File("lungo.xlsx");
    // Sheets of 10 rows: 6 header rows and 4 samples, then 1 title row and 9 samples.
    ASSERT_TRUE(WriteXlsx(wxString::FromUTF8(path), record, nullptr, 10));
    const std::vector<std::string> files = Convert(dir, path, {"Dati", "Dati 2"});
    const Rows first = ParseCsv(files[0]), second = ParseCsv(files[1]);
    ASSERT_EQ(first.size(), 10u);
    ASSERT_EQ(second.size(), 10u);
    const std::vector<Cell> titles = {Text("Tempo (s)"), Text("portata(L/min)"), Text("Volume (L)"),
                                      Text("Pressione(PSI)")};
    EXPECT_EQ(first[5], titles);
    EXPECT_EQ(second[0], titles);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(first[6 + i], SampleRow(record, i));
    for (std::size_t i = 4; i < 13; ++i) EXPECT_EQ(second[i - 3], SampleRow(record, i));
}

TEST(XlsxExport, AFileThatCannotBeWrittenIsReportedAndTheOldOneKept) {
    TempDir dir;
    const std::string path = dir.File("vecchio.xlsx");
    TempDir::Write(path, "old bytes");
    Storage record("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    wxString error;
    // A folder that does not exist beside the file.
    EXPECT_FALSE(WriteXlsx(wxString::FromUTF8(dir.File("nessuna/cartella.xlsx")), record, &error));
    EXPECT_FALSE(error.empty());
    // A folder where the file should go.
    std::filesystem::create_directory(dir.File("cartella.xlsx"));
    error.clear();
    EXPECT_FALSE(WriteXlsx(wxString::FromUTF8(dir.File("cartella.xlsx")), record, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("cartella.xlsx")));
    EXPECT_EQ(TempDir::Read(path), "old bytes");
}

}  // namespace
