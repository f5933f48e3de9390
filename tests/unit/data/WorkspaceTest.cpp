#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "data/Units.h"
#include "data/Workspace.h"
#include "tests/unit/data/TempDir.h"

namespace {

std::string U(const wxString& s) { return std::string(s.utf8_str()); }

std::string Fixture(const char* name) { return std::string(HVX_DATA_FILES) + "/" + name; }

WorkspaceReadResult ReadOk(const std::string& path, Preferences& prefs) {
    WorkspaceReadResult r = ReadWorkspace(wxString::FromUTF8(path), prefs);
    EXPECT_TRUE(r.Ok()) << U(r.error);
    return r;
}

std::vector<float> Row(const Storage& s, int i) {
    float t, f, p, v;
    s.GetSample(i, t, f, p, v);
    return {t, f, p, v};
}

float SixDecimals(float v) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", double(v));
    return std::strtof(text, nullptr);
}

Storage FullRecord() {
    Storage s("7/03/2011 9:05:30", 250, 1, 0, kFlowCubicMetresPerHour, 1);
    s.title = wxString::FromUTF8("Pompa già provata, 100% – ok");
    s.info = wxString(wxUniChar('x'), 500) + wxString::FromUTF8(" città");
    s.boxText = wxString::FromUTF8("Prima riga\r\nseconda: €, ✓ e 😀\tfine");
    s.boxX = -15;
    s.boxY = 340;
    s.targetFlow = 42.25f;
    s.serial = 98765;
    s.reservedFlag = 1;
    s.SetPressureScaling(3, 2, 50, 16);
    s.AddStoredSample(0.25f, -1.5f, 0.0f, 1e-7f);
    s.AddStoredSample(0.5f, 123456.789f, 3.4e38f, -0.0f);
    s.AddStoredSample(0.75f, 0.0000004f, 2.0000005f, 99999.99f);
    return s;
}

TEST(Workspace, RoundTripKeepsEveryField) {
    TempDir dir;
    std::vector<Storage> records{FullRecord(), Storage("", 1000, 0, 0, 0, 2)};
    ASSERT_TRUE(WriteWorkspace(wxString::FromUTF8(dir.File("w.orv")), records));

    Preferences prefs;
    const WorkspaceReadResult r = ReadOk(dir.File("w.orv"), prefs);
    ASSERT_EQ(r.records.size(), 2u);
    const Storage& a = r.records[0];
    const Storage& b = records[0];
    EXPECT_EQ(U(a.title), U(b.title));
    EXPECT_EQ(U(a.dateText), U(b.dateText));
    EXPECT_EQ(U(a.info), U(b.info));
    EXPECT_EQ(U(a.boxText), U(b.boxText));
    EXPECT_EQ(a.boxX, -15);
    EXPECT_EQ(a.boxY, 340);
    EXPECT_EQ(a.targetFlow, 42.25f);
    EXPECT_EQ(a.serial, 98765);
    EXPECT_EQ(a.GetInterval(), 250);
    EXPECT_EQ(a.pressureUnit, 16);
    EXPECT_EQ(a.GetMetricUnits(), 1);
    EXPECT_EQ(a.GetReservedFlag(), 1);
    EXPECT_EQ(a.flowUnit, kFlowCubicMetresPerHour) << "each record keeps the unit it was saved in";
    EXPECT_TRUE(a.start.IsValid());
    ASSERT_EQ(a.GetLength(), 3);
    // Six decimals: what "%f" keeps of each value.
    for (int i = 0; i < 3; ++i)
        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_EQ(Row(a, i)[k], SixDecimals(Row(b, i)[k])) << i << " " << k;
    EXPECT_EQ(Row(a, 2)[1], 0.0f);
    EXPECT_EQ(Row(a, 1)[2], 3.4e38f);

    EXPECT_EQ(r.records[1].GetMetricUnits(), 0);
    EXPECT_EQ(r.records[1].GetLength(), 0);
    EXPECT_EQ(U(r.records[1].title), "2");
    // The units of the last record: a gallon record, stored in gallons per minute.
    EXPECT_EQ(prefs.metricUnits, 0);
    EXPECT_EQ(prefs.pressureUnit, 0);
    EXPECT_EQ(prefs.flowUnit, 0);
}

TEST(Workspace, WritesVersionFourByteForByte) {
    TempDir dir;
    Storage s("7/03/2011 9:05:30", 1000, 1, 0, kFlowCubicMetresPerHour, 1);
    s.title = "Memoria 1";
    s.info = "Prova impianto";
    s.serial = 1234;
    s.boxText = "ab\nc";
    s.boxX = 10;
    s.boxY = 20;
    s.targetFlow = 12.5f;
    s.pressureUnit = 'b';
    s.AddStoredSample(1, 7.2f, 2.5f, 0.002f);
    s.AddStoredSample(2, 3.6f, 2.6f, 0.003f);
    s.AddStoredSample(3, 0, 0, 0.003f);
    Storage live("25/12/2023 17:45:01", 500, 1, 1, kFlowCubicMetresPerHour, 0);
    live.title = "Dal vivo 2";
    live.pressureUnit = 'p';
    ASSERT_TRUE(WriteWorkspace(wxString::FromUTF8(dir.File("w.orv")), {s, live}));
    EXPECT_EQ(TempDir::Read(dir.File("w.orv")), TempDir::Read(Fixture("v4.orv")));
}

// Records made with different flow units (the preference changed between two downloads) each keep
// their own: line 10 carries each record's unit, and reading gives it back to that record.
TEST(Workspace, EachRecordKeepsItsOwnFlowUnit) {
    struct Made {
        int metric;
        int flowUnit;
        const char* line10;
    };
    const Made made[] = {{1, kFlowLitresPerMinute, "\n1 0\n"},
                         {1, kFlowLitresPerSecond, "\n1 1\n"},
                         {1, kFlowCubicMetresPerHour, "\n1 2\n"},
                         {1, kFlowGallonsPerMinute, "\n1 3\n"},
                         {0, kFlowLitresPerMinute, "\n0 0\n"}};
    std::vector<Storage> records;
    for (const Made& m : made) {
        Storage& r = records.emplace_back("7/03/2011 9:05:30", 1000, m.metric, 0, m.flowUnit, 1);
        r.AddRawSample(152, 0);
    }
    TempDir dir;
    ASSERT_TRUE(WriteWorkspace(wxString::FromUTF8(dir.File("w.orv")), records));
    const std::string text = TempDir::Read(dir.File("w.orv"));
    for (const Made& m : made) EXPECT_NE(text.find(m.line10), std::string::npos) << m.line10;

    Preferences prefs;
    prefs.flowUnit = kFlowCubicMetresPerHour;
    const WorkspaceReadResult r = ReadOk(dir.File("w.orv"), prefs);
    ASSERT_EQ(r.records.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r.records[i].flowUnit, records[i].flowUnit);
        EXPECT_EQ(r.records[i].GetMetricUnits(), records[i].GetMetricUnits());
        EXPECT_EQ(Row(r.records[i], 0)[1], SixDecimals(Row(records[i], 0)[1]));
    }
}

// A line 10 naming a flow unit no program makes reads as litres per minute for the record, and
// the preference takes it as it stands (the menu then checks no entry).
TEST(Workspace, AnUnknownFlowUnitInTheFile) {
    const std::string text =
        "460000\n1\nT\n7/03/2011 9:05:30\n\n0\n1000\n98\n1 7\n0\n1\n1.0 5.0 0.0 0.1\n";
    Preferences prefs;
    const WorkspaceReadResult r = ReadWorkspaceBytes(text, prefs);
    ASSERT_TRUE(r.Ok()) << U(r.error);
    EXPECT_EQ(r.records[0].flowUnit, kFlowLitresPerMinute);
    EXPECT_EQ(Row(r.records[0], 0), (std::vector<float>{1, 5, 0, 0.1f}));
    EXPECT_EQ(prefs.flowUnit, 7);
}

TEST(Workspace, SaveAsPathGetsTheExtensionOnlyWhenItLacksIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"/tmp/prova", "/tmp/prova.orv"},
        {"/tmp/prova.orv", "/tmp/prova.orv"},
        {"/tmp/prova.orv.bak", "/tmp/prova.orv.bak"},
        {"/tmp/prova.ORV", "/tmp/prova.ORV.orv"}};
    for (const auto& [chosen, written] : cases)
        EXPECT_EQ(U(WorkspacePathWithExtension(chosen)), written);
}

TEST(Workspace, TextBoxCodes) {
    EXPECT_EQ(TextBoxCodes("ab\nc"), (std::vector<unsigned>{97, 98, 10, 99}));
    EXPECT_EQ(TextBoxCodes("a\r\nb"), (std::vector<unsigned>{97, 13, 10, 98}));
    EXPECT_TRUE(TextBoxCodes("").empty());
    EXPECT_EQ(TextBoxCodes(wxString::FromUTF8("€😀")),
              (std::vector<unsigned>{0x20AC, 0xD83D, 0xDE00}));
    EXPECT_EQ(U(TextBoxFromCodes({0x20AC, 0xD83D, 0xDE00})), "€😀");
    EXPECT_EQ(U(TextBoxFromCodes({97, 0xD83D, 98, 0xDE00})),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
}

TEST(Workspace, EmptyTextBoxIsAZeroAndReadsBackEmpty) {
    TempDir dir;
    Storage s("", 1000, 1, 0, 0, 1);
    ASSERT_TRUE(WriteWorkspace(wxString::FromUTF8(dir.File("w.orv")), {s}));
    const std::string bytes = TempDir::Read(dir.File("w.orv"));
    EXPECT_NE(bytes.find("\n0\n0 \n0 0\n"), std::string::npos) << bytes;
    Preferences prefs;
    const WorkspaceReadResult r = ReadOk(dir.File("w.orv"), prefs);
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_TRUE(r.records[0].boxText.empty());
}

TEST(Workspace, LongTextsSurvive) {
    for (std::size_t length :
         {198u, 199u, 200u, 5000u, 700000u}) {  // the last one is longer than the write buffer
        SCOPED_TRACE(length);
        TempDir dir;
        Storage s(wxString(wxUniChar('7'), length), 1000, 1, 0, 0, 1);
        s.title = wxString(wxUniChar('T'), length);
        s.info = wxString(wxUniChar(0xE0), length);
        s.boxText = wxString(wxUniChar(0x4E2D), length);
        ASSERT_TRUE(WriteWorkspace(wxString::FromUTF8(dir.File("w.orv")), {s}));
        Preferences prefs;
        const WorkspaceReadResult r = ReadOk(dir.File("w.orv"), prefs);
        ASSERT_EQ(r.records.size(), 1u);
        EXPECT_EQ(r.records[0].title, s.title);
        EXPECT_EQ(r.records[0].dateText, s.dateText);
        EXPECT_EQ(r.records[0].info, s.info);
        EXPECT_EQ(r.records[0].boxText, s.boxText);
    }
}

TEST(Workspace, LineBreaksInOneLineTextsDoNotSplitTheRecord) {
    TempDir dir;
    Storage s("", 1000, 1, 0, 0, 1);
    s.title = "due\nrighe";
    s.info = "a\r\nb";
    s.AddSample(1, 2, 3, 4);
    ASSERT_TRUE(WriteWorkspace(wxString::FromUTF8(dir.File("w.orv")), {s}));
    Preferences prefs;
    const WorkspaceReadResult r = ReadOk(dir.File("w.orv"), prefs);
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(U(r.records[0].title), "due righe");
    EXPECT_EQ(U(r.records[0].info), "a  b");
    EXPECT_EQ(r.records[0].GetLength(), 1);
}

TEST(Workspace, FilteredRecordIsSavedWithItsSmoothedValues) {
    TempDir dir;
    Storage s("", 1000, 1, 0, 0, 1);
    for (float f : {0.0f, 0.0f, 9.0f, 0.0f, 0.0f}) s.AddSample(1, f, f, f);
    s.Smooth(true, 1);
    ASSERT_TRUE(WriteWorkspace(wxString::FromUTF8(dir.File("w.orv")), {s}));
    Preferences prefs;
    const WorkspaceReadResult r = ReadOk(dir.File("w.orv"), prefs);
    EXPECT_FALSE(r.records[0].filtered);
    EXPECT_EQ(r.records[0].flow[1], 3.0f);
}

TEST(Workspace, VersionFourFixture) {
    Preferences prefs;
    prefs.flowUnit = 0;
    const WorkspaceReadResult r = ReadOk(Fixture("v4.orv"), prefs);
    ASSERT_EQ(r.records.size(), 2u);
    const Storage& a = r.records[0];
    EXPECT_EQ(U(a.title), "Memoria 1");
    EXPECT_EQ(U(a.dateText), "7/03/2011 9:05:30");
    EXPECT_EQ(a.start.GetMonth(), wxDateTime::Mar);
    EXPECT_EQ(U(a.info), "Prova impianto");
    EXPECT_EQ(a.serial, 1234);
    EXPECT_EQ(U(a.boxText), "ab\nc");
    EXPECT_EQ(a.boxX, 10);
    EXPECT_EQ(a.boxY, 20);
    EXPECT_EQ(a.targetFlow, 12.5f);
    EXPECT_EQ(a.pressureUnit, 'b');
    EXPECT_EQ(Row(a, 1), (std::vector<float>{2.0f, 3.6f, 2.6f, 0.003f}));
    const Storage& b = r.records[1];
    EXPECT_EQ(U(b.title), "Dal vivo 2");
    EXPECT_TRUE(b.info.empty());
    EXPECT_EQ(b.GetReservedFlag(), 1);
    EXPECT_EQ(b.GetInterval(), 500);
    EXPECT_EQ(b.GetLength(), 0);
    EXPECT_EQ(prefs.pressureUnit, 'p');
    EXPECT_EQ(prefs.flowUnit, 2);
}

TEST(Workspace, VersionThreeFixture) {
    Preferences prefs;
    const WorkspaceReadResult r = ReadOk(Fixture("v3.orv"), prefs);
    ASSERT_EQ(r.records.size(), 1u);
    const Storage& a = r.records[0];
    EXPECT_EQ(U(a.info), "Info v3");
    EXPECT_EQ(a.serial, 77);
    EXPECT_TRUE(a.boxText.empty());
    EXPECT_EQ(a.GetMetricUnits(), 0);
    EXPECT_EQ(a.flowUnit, 0) << "a gallon record is kept in gallons per minute";
    EXPECT_EQ(a.pressureUnit, 16);
    EXPECT_EQ(a.GetInterval(), 2000);
    EXPECT_EQ(Row(a, 1), (std::vector<float>{4, 20, 6, 1}));
    EXPECT_EQ(prefs.metricUnits, 0);
    EXPECT_EQ(prefs.pressureUnit, 16);
    EXPECT_EQ(prefs.flowUnit, 1);
}

TEST(Workspace, VersionTwoFileHasSerialsButNoTextBoxOrTarget) {
    Preferences prefs;
    prefs.flowUnit = 3;
    prefs.metricUnits = 0;
    const WorkspaceReadResult r = ReadOk(Fixture("v2.orv"), prefs);
    ASSERT_EQ(r.records.size(), 2u);
    for (const Storage& s : r.records) {
        EXPECT_EQ(s.serial, 4321);
        EXPECT_TRUE(s.boxText.empty());
        EXPECT_EQ(s.boxX, 0);
        EXPECT_EQ(s.boxY, 0);
        EXPECT_FALSE(s.HasTargetFlow());
        EXPECT_EQ(s.GetMetricUnits(), 1);
    }
    EXPECT_EQ(U(r.records[1].info), "Secondo");
    EXPECT_EQ(U(r.records[1].dateText), "8/03/2011 10:00:00");
    EXPECT_EQ(prefs.flowUnit, 0);
    EXPECT_EQ(prefs.metricUnits, 1);
}

TEST(Workspace, VersionOneFixture) {
    Preferences prefs;
    const WorkspaceReadResult r = ReadOk(Fixture("v1.orv"), prefs);
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(U(r.records[0].info), "Info v1");
    EXPECT_EQ(r.records[0].serial, 0);
    EXPECT_EQ(r.records[0].GetMetricUnits(), 0) << "a gallon file is not litres";
    EXPECT_EQ(prefs.metricUnits, 0) << "the preference takes line 10 as it stands";
    EXPECT_EQ(prefs.pressureUnit, 'p');
    EXPECT_EQ(Row(r.records[0], 1), (std::vector<float>{2, 11, 21, 0.35f}));
}

TEST(Workspace, VersionZeroFileStartsWithTheRecordCount) {
    Preferences prefs;
    const WorkspaceReadResult r = ReadOk(Fixture("v0.orv"), prefs);
    ASSERT_EQ(r.records.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(r.records[std::size_t(i)].dateText.empty());
        EXPECT_FALSE(r.records[std::size_t(i)].start.IsValid());
        EXPECT_EQ(U(r.records[std::size_t(i)].title), "Memoria " + std::to_string(i + 1));
    }
    EXPECT_EQ(r.records[1].GetLength(), 0);
    EXPECT_EQ(r.records[2].GetReservedFlag(), 1);
    EXPECT_EQ(r.records[2].GetInterval(), 250);
    EXPECT_EQ(Row(r.records[2], 1), (std::vector<float>{0.5f, 2, 0.6f, 0.0125f}));
}

TEST(Workspace, WindowsLineEndingsAndLatin1TextsRead) {
    std::string text =
        "430000\r\n1\r\nPortata \xE0 valle\r\n7/03/2011 "
        "9:05:30\r\n\r\n5\r\n1000\r\n98\r\n1\r\n0\r\n1\r\n"
        "1.000000 2.000000 3.000000 4.000000\r\n";
    Preferences prefs;
    const WorkspaceReadResult r = ReadWorkspaceBytes(text, prefs);
    ASSERT_TRUE(r.Ok()) << U(r.error);
    EXPECT_EQ(U(r.records[0].title), "Portata à valle");
    EXPECT_EQ(U(r.records[0].dateText), "7/03/2011 9:05:30");
    EXPECT_EQ(r.records[0].serial, 5);
    EXPECT_EQ(Row(r.records[0], 0), (std::vector<float>{1, 2, 3, 4}));
}

// Texts that are not UTF-8 come from old files written on Windows: Windows-1252, which differs
// from Latin-1 in 0x80..0x9F. A line that is UTF-8 stays UTF-8.
TEST(Workspace, TextsThatAreNotUtf8ReadAsWindows1252) {
    struct Case {
        std::string bytes;
        std::u32string text;
    };
    const Case cases[] = {
        {"Costo 30 \x80", U"Costo 30 \u20AC"},
        {"L\x92"
         "acqua",
         U"L\u2019acqua"},
        {"\x93Pozzo\x94 \x96 \x85", U"\u201CPozzo\u201D \u2013 \u2026"},
        {"\x8A\x8C\x8E\x9A\x9C\x9E\x9F\x83\x99",
         U"\u0160\u0152\u017D\u0161\u0153\u017E\u0178\u0192\u2122"},
        {"Portata \xE0 valle \xB0"
         "C",
         U"Portata \u00E0 valle \u00B0C"},
        // Bytes Windows-1252 leaves undefined keep their code point, as Windows reads them.
        {"a\x81"
         "b\x8D\x8F\x90\x9D"
         "c",
         U"a\u0081b\u008D\u008F\u0090\u009Dc"},
        // One byte that is not UTF-8 makes the whole line Windows-1252.
        {"caff\xC3\xA8 \x92", U"caff\u00C3\u00A8 \u2019"},
        {"caff\xC3\xA8 \xE2\x82\xAC", U"caff\u00E8 \u20AC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::string text =
            "430000\n1\n" + c.bytes + "\n" + c.bytes + "\n" + c.bytes + "\n5\n1000\n98\n1\n0\n0\n";
        Preferences prefs;
        const WorkspaceReadResult r = ReadWorkspaceBytes(text, prefs);
        ASSERT_TRUE(r.Ok()) << U(r.error);
        ASSERT_EQ(r.records.size(), 1u);
        const std::u32string want = c.text;
        for (const wxString* field :
             {&r.records[0].title, &r.records[0].dateText, &r.records[0].info}) {
            ASSERT_EQ(field->length(), want.size()) << U(*field);
            for (std::size_t i = 0; i < want.size(); ++i)
                EXPECT_EQ(unsigned((*field)[i].GetValue()), unsigned(want[i])) << "at " << i;
        }
    }
}

TEST(Workspace, TextBoxWithCodesBelow256ReadsAsBefore) {
    std::string text =
        "480000\n1\nT\n\n\n0\n224 232 10 255 0 \n0 0\n0.000000\n1000\n98\n1 0\n0\n0\n";
    Preferences prefs;
    const WorkspaceReadResult r = ReadWorkspaceBytes(text, prefs);
    ASSERT_TRUE(r.Ok()) << U(r.error);
    EXPECT_EQ(U(r.records[0].boxText), "àè\nÿ");
}

TEST(Workspace, LargeRecordRoundTrip) {
    TempDir dir;
    Storage s("1/01/2024 0:00:00", 100, 1, 0, 0, 1);
    s.SetPressureScaling(10, 2, 50, 'b');
    for (int i = 0; i < 200000; ++i) s.AddRawSample((i * 37) % 16384, (i * 11) % 1024);
    ASSERT_TRUE(WriteWorkspace(wxString::FromUTF8(dir.File("big.orv")), {s, s}));
    Preferences prefs;
    const WorkspaceReadResult r = ReadOk(dir.File("big.orv"), prefs);
    ASSERT_EQ(r.records.size(), 2u);
    ASSERT_EQ(r.records[1].GetLength(), 200000);
    for (int i : {0, 1, 4999, 123457, 199999}) {
        const std::vector<float> got = Row(r.records[1], i);
        const std::vector<float> want = Row(s, i);
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(got[std::size_t(k)], want[std::size_t(k)],
                        5e-7 * std::max(1.0f, std::abs(want[std::size_t(k)])));
    }
}

}  // namespace
