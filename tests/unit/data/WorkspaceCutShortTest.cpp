// A workspace file cut short (a full disk, a partial copy) opens the records before the damage,
// says which record it left out, and is no longer the workspace's file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/RecordSequence.h"
#include "data/Workspace.h"
#include "tests/unit/data/TempDir.h"

namespace {

std::string U(const wxString& s) { return std::string(s.utf8_str()); }

// One version-4 record block with two samples and its own pressure unit.
std::string Block(const std::string& title, int pressureUnit) {
    return title + "\n7/03/2011 9:05:30\ninfo " + title + "\n12\n97 0 \n1 2\n0.000000\n1000\n" +
           std::to_string(pressureUnit) + "\n1 0\n0\n2\n" +
           "1.000000 2.000000 3.000000 4.000000\n"
           "2.000000 5.000000 6.000000 7.000000\n";
}

const std::string kHeader = "480000\n3\n";
const std::string kFirst = Block("Primo", 98);
const std::string kSecond = Block("Secondo", 16);
const std::string kThird = Block("Terzo", 8);
const std::string kWhole = kHeader + kFirst + kSecond + kThird;

// The file up to `offset` bytes into `part`, which starts at `partStart`.
std::string CutAt(std::size_t partStart, const std::string& part, const std::string& inside) {
    const std::size_t at = part.find(inside);
    EXPECT_NE(at, std::string::npos) << inside;
    return kWhole.substr(0, partStart + at + inside.size());
}
const std::size_t kFirstAt = kHeader.size();
const std::size_t kSecondAt = kFirstAt + kFirst.size();
const std::size_t kThirdAt = kSecondAt + kSecond.size();

struct CutCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> kept;  // titles
    int damagedRecord;
    int pressureUnit;                    // the preference afterwards: the last whole record's
    std::vector<std::string> warning;    // parts of the message
    std::vector<std::string> notWarned;  // texts it must not hold
};

class CutShortWorkspace : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutShortWorkspace, KeepsTheWholeRecordsAndNamesTheDamagedOne) {
    const CutCase& c = GetParam();
    Preferences prefs;
    prefs.pressureUnit = 112;
    const WorkspaceReadResult r = ReadWorkspaceBytes(c.bytes, prefs);
    ASSERT_TRUE(r.Ok()) << U(r.error);
    ASSERT_TRUE(r.Damaged());
    EXPECT_EQ(r.damagedRecord, c.damagedRecord);
    ASSERT_EQ(r.records.size(), c.kept.size());
    for (std::size_t i = 0; i < c.kept.size(); ++i) {
        EXPECT_EQ(U(r.records[i].title), c.kept[i]);
        EXPECT_EQ(U(r.records[i].info), "info " + c.kept[i]);
        EXPECT_EQ(r.records[i].GetLength(), 2) << "a kept record is whole";
        EXPECT_FLOAT_EQ(r.records[i].volume.back(), 7.0f);
    }
    EXPECT_EQ(prefs.pressureUnit, c.pressureUnit);

    const std::string warning = U(DamagedWorkspaceWarning(r, "misure.orv"));
    EXPECT_NE(warning.find("Il file \"misure.orv\" è danneggiato: "), std::string::npos) << warning;
    for (const std::string& part : c.warning)
        EXPECT_NE(warning.find(part), std::string::npos) << "missing: " << part << "\n" << warning;
    for (const std::string& part : c.notWarned)
        EXPECT_EQ(warning.find(part), std::string::npos) << "unexpected: " << part << "\n"
                                                         << warning;
    EXPECT_NE(warning.find("il salvataggio chiederà un nuovo nome"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, CutShortWorkspace,
    ::testing::Values(
        CutCase{"insideTheSecondTitle",
                CutAt(kSecondAt, kSecond, "Seco"),
                {"Primo"},
                2,
                98,
                {"il record 2 (\"Seco\") non è integro ed è stato escluso.",
                 "Anche il record 3, che lo segue, è stato escluso.",
                 "È stato aperto il record integro che lo precede."},
                {}},
        CutCase{
            "insideTheSecondDate",
            CutAt(kSecondAt, kSecond, "7/03/20"),
            {"Primo"},
            2,
            98,
            {"il record 2 (\"Secondo\") non è integro", "ends after line 18", "information line"},
            {}},
        CutCase{"insideTheSecondUnits",
                CutAt(kSecondAt, kSecond, "16\n1"),
                {"Primo"},
                2,
                98,
                {"il record 2 (\"Secondo\") non è integro", "two whole numbers"},
                {}},
        CutCase{"insideTheSecondSamples",
                CutAt(kSecondAt, kSecond, "4.000000\n2.000000 5.0"),
                {"Primo"},
                2,
                98,
                {"il record 2 (\"Secondo\") non è integro", "four numbers"},
                {}},
        CutCase{"betweenTheSecondSamples",
                CutAt(kSecondAt, kSecond, "4.000000\n"),
                {"Primo"},
                2,
                98,
                {"record 2 should have 2 samples, but the file ends after 1 of them"},
                {}},
        CutCase{"insideTheLastSamples",
                CutAt(kThirdAt, kThird, "1.000000 2.0"),
                {"Primo", "Secondo"},
                3,
                16,
                {"il record 3 (\"Terzo\") non è integro ed è stato escluso.",
                 "Sono stati aperti i 2 record integri che lo precedono."},
                {"Anche"}},
        CutCase{"rightAfterTheSecondRecord",
                kHeader + kFirst + kSecond,
                {"Primo", "Secondo"},
                3,
                16,
                {"il record 3 non è integro ed è stato escluso.", "where the title should be"},
                {"(\"", "Anche"}},
        CutCase{"countBeyondTheRecords",
                "480000\n5\n" + kFirst,
                {"Primo"},
                2,
                98,
                {"il record 2 non è integro",
                 "Anche i record successivi (dal 3 al 5) sono stati esclusi."},
                {}},
        CutCase{"hugeCount",
                "480000\n2147483647\n" + kFirst,
                {"Primo"},
                2,
                98,
                {"Anche i record successivi (dal 3 al 2147483647) sono stati esclusi."},
                {}},
        CutCase{"garbageInTheLastRecord",
                kHeader + kFirst + kSecond + "Terzo\nx\ny\nnot a serial\n",
                {"Primo", "Secondo"},
                3,
                16,
                {"il record 3 (\"Terzo\") non è integro", "line 34", "serial number"},
                {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Without one whole record there is nothing worth opening: the file is refused as before, and the
// caller's units stay.
TEST(CutShortWorkspaceFile, CutBeforeTheFirstWholeRecordIsRefused) {
    const std::string cuts[] = {"",
                                "4800",
                                "480000\n",
                                "480000\n3",
                                CutAt(kFirstAt, kFirst, "Pri"),
                                CutAt(kFirstAt, kFirst, "1000\n"),
                                CutAt(kFirstAt, kFirst, "4.000000\n2.0")};
    for (const std::string& bytes : cuts) {
        SCOPED_TRACE(bytes);
        Preferences prefs;
        prefs.pressureUnit = 112;
        const WorkspaceReadResult r = ReadWorkspaceBytes(bytes, prefs);
        EXPECT_FALSE(r.Ok());
        EXPECT_FALSE(r.Damaged());
        EXPECT_TRUE(r.records.empty());
        EXPECT_EQ(prefs.pressureUnit, 112);
    }
}

TEST(CutShortWorkspaceFile, AWholeFileReadsAsBeforeWithNothingDamaged) {
    Preferences prefs;
    const WorkspaceReadResult r = ReadWorkspaceBytes(kWhole, prefs);
    ASSERT_TRUE(r.Ok()) << U(r.error);
    EXPECT_FALSE(r.Damaged());
    EXPECT_TRUE(r.damage.empty());
    ASSERT_EQ(r.records.size(), 3u);
    EXPECT_EQ(U(r.records[2].title), "Terzo");
    EXPECT_EQ(prefs.pressureUnit, 8);
}

TEST(CutShortWorkspaceFile, OpeningItKeepsTheWholeRecordsUnsavedWithoutAFile) {
    TempDir dir;
    const std::string good = dir.File("buono.orv");
    const std::string cut = dir.File("tagliato.orv");
    TempDir::Write(good, kWhole);
    TempDir::Write(cut, CutAt(kThirdAt, kThird, "Ter"));

    RecordSequence s;
    int notified = 0;
    s.Subscribe([&] { ++notified; });
    Preferences prefs;
    wxString error, warning;
    ASSERT_TRUE(s.Open(wxString::FromUTF8(good), prefs, &error, &warning)) << error;
    EXPECT_TRUE(warning.empty());
    EXPECT_TRUE(s.Saved());

    ASSERT_TRUE(s.Open(wxString::FromUTF8(cut), prefs, &error, &warning)) << error;
    EXPECT_EQ(notified, 2);
    ASSERT_EQ(s.Size(), 2u);
    EXPECT_EQ(U(s.At(1).title), "Secondo");
    EXPECT_TRUE(s.Path().empty()) << "a save must not overwrite the damaged file without asking";
    EXPECT_FALSE(s.Saved());
    EXPECT_TRUE(s.WouldLoseUnsaved());
    EXPECT_EQ(prefs.pressureUnit, 16);
    EXPECT_EQ(U(warning),
              "Il file \"tagliato.orv\" è danneggiato: il record 3 (\"Ter\") non è integro ed è "
              "stato escluso.\n"
              "Sono stati aperti i 2 record integri che lo precedono.\n"
              "Per non sovrascrivere il file danneggiato, il salvataggio chiederà un nuovo nome.\n"
              "\n"
              "Damaged workspace file: it ends after line 31 in record 3, where the date should "
              "be");

    // Opening a whole file again makes it the workspace's file and clears the warning.
    ASSERT_TRUE(s.Open(wxString::FromUTF8(good), prefs, &error, &warning)) << error;
    EXPECT_TRUE(warning.empty());
    EXPECT_EQ(U(s.Path()), good);
    EXPECT_TRUE(s.Saved());
}

}  // namespace
