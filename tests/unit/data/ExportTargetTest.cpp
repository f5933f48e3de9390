// Which file an export writes: the name's extension, else the chosen file type.
#include <gtest/gtest.h>

#include "data/ExportTarget.h"

namespace {

TEST(ExportTarget, TheNamesExtensionElseTheChosenTypeDecides) {
    using F = ExportFormat;
    const struct {
        const char* chosen;
        int filter;
        F format;
        const char* path;
    } cases[] = {
        {"/d/7_03_2011 9_05_30", kCsvFilterIndex, F::Csv, "/d/7_03_2011 9_05_30.csv"},
        {"/d/7_03_2011 9_05_30", kXlsxFilterIndex, F::Xlsx, "/d/7_03_2011 9_05_30.xlsx"},
        {"/d/prova.csv", kCsvFilterIndex, F::Csv, "/d/prova.csv"},
        {"/d/prova.xlsx", kXlsxFilterIndex, F::Xlsx, "/d/prova.xlsx"},
        // The name wins over the filter, in both directions and in any case.
        {"/d/prova.xlsx", kCsvFilterIndex, F::Xlsx, "/d/prova.xlsx"},
        {"/d/prova.CSV", kXlsxFilterIndex, F::Csv, "/d/prova.CSV.csv"},  // the CSV's own rule
        {"/d/Prova.XLSX", kCsvFilterIndex, F::Xlsx, "/d/Prova.XLSX"},
        // The CSV's old rule: ".csv" anywhere in the path is enough.
        {"/d/x.csv.bak", kCsvFilterIndex, F::Csv, "/d/x.csv.bak"},
        // Another extension is part of the name.
        {"/d/7.03.2011", kXlsxFilterIndex, F::Xlsx, "/d/7.03.2011.xlsx"},
        {"/d/prova.xls", kXlsxFilterIndex, F::Xlsx, "/d/prova.xls.xlsx"},
        // A dot in a folder name is no extension.
        {"/d.xlsx/prova", kCsvFilterIndex, F::Csv, "/d.xlsx/prova.csv"},
        // A filter index the dialog does not have means the default, CSV.
        {"/d/prova", 7, F::Csv, "/d/prova.csv"},
        {"/d/prova", -1, F::Csv, "/d/prova.csv"},
    };
    for (const auto& c : cases) {
        const ExportTarget t = ChooseExportTarget(c.chosen, c.filter);
        EXPECT_EQ(t.format, c.format) << c.chosen << " " << c.filter;
        EXPECT_EQ(t.path, c.path) << c.chosen << " " << c.filter;
    }
}

}  // namespace
