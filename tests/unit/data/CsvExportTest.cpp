#include <gtest/gtest.h>

#include "data/CsvExport.h"
#include "tests/unit/data/TempDir.h"

namespace {

std::string U(const wxString& s) { return std::string(s.utf8_str()); }

TEST(CsvExport, DefaultFileNameAndExtension) {
    EXPECT_EQ(U(CsvDefaultFileName("7/03/2011 9:05:30")), "7_03_2011 9_05_30");
    EXPECT_EQ(U(CsvDefaultFileName("a.b,c'd")), "a_b_c_d");
    EXPECT_EQ(U(CsvPathWithExtension("/tmp/7_03_2011 9_05_30")), "/tmp/7_03_2011 9_05_30.csv");
    EXPECT_EQ(U(CsvPathWithExtension("/tmp/x.csv")), "/tmp/x.csv");
    EXPECT_EQ(U(CsvPathWithExtension("/tmp/x.csv.bak")), "/tmp/x.csv.bak");
}

Storage Record(int metricUnits, uint8_t pressureUnit, int flowUnit = 0) {
    Storage s("7/03/2011 9:05:30", 1000, metricUnits, 0, flowUnit, 1);
    s.title = "Memoria 1";
    s.info = "Prova";
    s.pressureUnit = pressureUnit;
    return s;
}

std::string Export(const Storage& record, TempDir& dir, const std::string& name = "out.csv") {
    const std::string path = dir.File(name);
    wxString error;
    EXPECT_TRUE(WriteCsv(wxString::FromUTF8(path), record, &error)) << U(error);
    return TempDir::Read(path);
}

TEST(CsvExport, LayoutOfAMetricRecord) {
    TempDir dir;
    Storage s = Record(1, 'b', 2);
    s.flowReading = "7.20";
    s.pressureReading = "1.5";
    s.AddStoredSample(1, 7.2f, 2.756f, 0.002f);
    s.AddStoredSample(2, 7.2f, -0.004f, 0.004f);
    const std::string path = dir.File("out.csv");
    EXPECT_EQ(Export(s, dir), "File Name," + path +
                                  "\n"
                                  "Title,Memoria 1 7/03/2011 9:05:30\n"
                                  "Information,Prova\n"
                                  "Flow Measurement,7.20,M³/h\n"
                                  "Pressure Measurement,1.5,Bar\n"
                                  "Tempo (s), portata(M³/h), Volume (M³), Pressione(Bar)\n"
                                  "1.00,7.20,0.00,2.76\n"
                                  "2.00,7.20,0.00,-0.00\n");
}

TEST(CsvExport, LabelsByUnits) {
    struct Case {
        int metricUnits;
        int flowUnit;
        uint8_t pressureUnit;
        const char* header;
    };
    for (const Case& c :
         {Case{1, 0, 'p', "Tempo (s), portata(L/min), Volume (L), Pressione(PSI)"},
          Case{1, 1, 16, "Tempo (s), portata(L/s), Volume (L), Pressione(KPa)"},
          Case{1, 3, 8, "Tempo (s), portata(G/min), Volume (L), Pressione(MtrH)"},
          Case{0, 2, 'b', "Tempo (s), portata(G/min), Volume (G), Pressione(Bar)"},
          Case{0, 0, 99, "Tempo (s), portata(G/min), Volume (G), Pressione(PSI)"}}) {
        SCOPED_TRACE(c.header);
        TempDir dir;
        // The record's own flow unit: the preference plays no part.
        const std::string text = Export(Record(c.metricUnits, c.pressureUnit, c.flowUnit), dir);
        EXPECT_NE(text.find(std::string("\n") + c.header + "\n"), std::string::npos) << text;
    }
}

TEST(CsvExport, TextsAreWrittenAsTheyAre) {
    TempDir dir;
    Storage s = Record(1, 'p');
    s.title = "100% %s %d %n";
    s.info = wxString::FromUTF8("città, 50%");
    s.flowReading = "%x";
    const std::string text = Export(s, dir, "100% %s.csv");
    EXPECT_NE(text.find("File Name," + dir.File("100% %s.csv") + "\n"), std::string::npos);
    EXPECT_NE(text.find("Title,100% %s %d %n 7/03/2011 9:05:30\n"), std::string::npos);
    EXPECT_NE(text.find("Information,città, 50%\n"), std::string::npos);
    EXPECT_NE(text.find("Flow Measurement,%x,L/min\n"), std::string::npos);
}

TEST(CsvExport, RecordWithoutSamplesHasTheSixHeaderLines) {
    TempDir dir;
    const std::string text = Export(Record(1, 'b'), dir);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    EXPECT_EQ(text.substr(text.rfind('\n', text.size() - 2) + 1),
              "Tempo (s), portata(L/min), Volume (L), Pressione(Bar)\n");
}

TEST(CsvExport, FilteredRecordIsExportedSmoothed) {
    TempDir dir;
    Storage s = Record(1, 'b');
    for (float f : {0.0f, 9.0f, 0.0f}) s.AddSample(1, f, 0, 0);
    s.Smooth(true, 1);
    EXPECT_NE(Export(s, dir).find("1.00,3.00,0.00,0.00\n"), std::string::npos);
}

TEST(CsvExport, AFailedWriteIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    wxString error;
    EXPECT_FALSE(WriteCsv(wxString::FromUTF8(dir.File("missing/out.csv")), Record(1, 'b'), &error));
    EXPECT_FALSE(error.empty());
    std::filesystem::create_directory(dir.File("taken.csv"));
    TempDir::Write(dir.File("taken.csv/keep"), "keep");
    EXPECT_FALSE(WriteCsv(wxString::FromUTF8(dir.File("taken.csv")), Record(1, 'b'), &error));
    EXPECT_EQ(TempDir::Read(dir.File("taken.csv/keep")), "keep");
}

}  // namespace
