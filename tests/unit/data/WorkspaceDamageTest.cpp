#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "data/Workspace.h"
#include "tests/unit/data/TempDir.h"

namespace {

std::string U(const wxString& s) { return std::string(s.utf8_str()); }

// A valid version-4 file with one record of two samples; the cases below damage it.
const std::string kGood =
    "480000\n"             // 1
    "1\n"                  // 2
    "Memoria 1\n"          // 3
    "7/03/2011 9:05:30\n"  // 4
    "info\n"               // 5
    "12\n"                 // 6
    "97 0 \n"              // 7
    "1 2\n"                // 8
    "0.000000\n"           // 9
    "1000\n"               // 10
    "98\n"                 // 11
    "1 0\n"                // 12
    "0\n"                  // 13
    "2\n"                  // 14
    "1.000000 2.000000 3.000000 4.000000\n"
    "2.000000 2.000000 3.000000 4.000000\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

struct DamageCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> messageParts;
};

class DamagedWorkspace : public ::testing::TestWithParam<DamageCase> {};

// Each of these is damaged before its only record is whole (a file damaged later keeps the records
// before the damage: WorkspaceCutShortTest).
TEST_P(DamagedWorkspace, IsRefusedWithWhatAndWhereAndChangesNothing) {
    const DamageCase& c = GetParam();
    Preferences prefs;
    prefs.flowUnit = 3;
    prefs.pressureUnit = 16;
    prefs.metricUnits = 0;
    const WorkspaceReadResult r = ReadWorkspaceBytes(c.bytes, prefs);
    ASSERT_FALSE(r.Ok());
    EXPECT_TRUE(r.records.empty());
    for (const std::string& part : c.messageParts)
        EXPECT_NE(U(r.error).find(part), std::string::npos) << U(r.error);
    EXPECT_EQ(prefs.flowUnit, 3);
    EXPECT_EQ(prefs.pressureUnit, 16);
    EXPECT_EQ(prefs.metricUnits, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedWorkspace,
    ::testing::Values(
        DamageCase{"empty", "", {"ends after line 0", "version or record count"}},
        DamageCase{"notANumber", "hello\n", {"line 1", "whole number", "\"hello\""}},
        DamageCase{"negativeCount", "480000\n-4\n", {"line 2", "negative"}},
        DamageCase{"truncatedSamples",
                   kGood.substr(0, kGood.size() - 36),
                   {"record 1 should have 2 samples", "after 1 of them"}},
        DamageCase{"hugeSampleCount",
                   Replace(kGood, "\n2\n1.0", "\n2000000000\n1.0"),
                   {"2000000000 samples", "after 2 of them"}},
        DamageCase{
            "countBeyondInt", Replace(kGood, "480000\n1\n", "480000\n99999999999\n"), {"line 2"}},
        DamageCase{"missingLines",
                   kGood.substr(0, kGood.find("98\n")),
                   {"ends after line 10", "pressure unit"}},
        DamageCase{"sampleNotANumber",
                   Replace(kGood, "2.000000 2.000000", "2.000000 abc"),
                   {"line 16", "four numbers", "abc"}},
        DamageCase{
            "sampleShort",
            Replace(kGood, "2.000000 2.000000 3.000000 4.000000", "2.000000 2.000000 3.000000"),
            {"line 16", "four numbers"}},
        DamageCase{"sampleCommaDecimal",
                   Replace(kGood, "1.000000 2.000000", "1,000000 2,000000"),
                   {"line 15"}},
        DamageCase{"textBoxWithoutZero",
                   Replace(kGood, "97 0 \n", "97 98 \n"),
                   {"line 7", "does not end with 0"}},
        DamageCase{"textBoxGarbage",
                   Replace(kGood, "97 0 \n", "97 x 0 \n"),
                   {"line 7", "character codes"}},
        DamageCase{
            "textBoxBadCode", Replace(kGood, "97 0 \n", "97 70000 0 \n"), {"line 7", "70000"}},
        DamageCase{
            "textBoxTrailing", Replace(kGood, "97 0 \n", "97 0 5\n"), {"line 7", "after the end"}},
        DamageCase{"unitsOneNumber",
                   Replace(kGood, "1 0\n0\n2\n", "1\n0\n2\n"),
                   {"line 12", "two whole numbers"}},
        DamageCase{"targetNotANumber",
                   Replace(kGood, "0.000000\n1000", "zero\n1000"),
                   {"line 9", "target flow"}},
        DamageCase{"negativeSampleCount", Replace(kGood, "\n2\n1.0", "\n-2\n1.0"), {"negative"}},
        DamageCase{
            "binaryNoise", std::string("480000\n1\n\0\xff\xfe\n", 13), {"ends after line 3"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WorkspaceRead, TheUndamagedFileReads) {
    Preferences prefs;
    const WorkspaceReadResult r = ReadWorkspaceBytes(kGood, prefs);
    ASSERT_TRUE(r.Ok()) << U(r.error);
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(r.records[0].GetLength(), 2);
    EXPECT_EQ(U(r.records[0].boxText), "a");
}

TEST(WorkspaceRead, LastSampleLineWithoutBreakStillCounts) {
    Preferences prefs;
    const WorkspaceReadResult r = ReadWorkspaceBytes(kGood.substr(0, kGood.size() - 1), prefs);
    ASSERT_TRUE(r.Ok()) << U(r.error);
    EXPECT_EQ(r.records[0].GetLength(), 2);
}

TEST(WorkspaceRead, MissingFileGivesTheOpenMessage) {
    TempDir dir;
    Preferences prefs;
    prefs.flowUnit = 2;
    const WorkspaceReadResult r = ReadWorkspace(wxString::FromUTF8(dir.File("none.orv")), prefs);
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(U(r.error), "Cannot open File for Reading");
    EXPECT_EQ(prefs.flowUnit, 2);
    const WorkspaceReadResult folder =
        ReadWorkspace(wxString::FromUTF8(dir.Path().string()), prefs);
    EXPECT_EQ(U(folder.error), "Cannot open File for Reading");
}

TEST(WorkspaceRead, OnlyPlainFilesAreRead) {
    // A pipe nobody writes to would block the open for ever, a device would never end.
    TempDir dir;
#ifdef _WIN32
    // Windows devices answer to their names in any folder.
    const std::vector<std::string> paths = {"NUL", dir.File("CON")};
#else
    const std::string fifo = dir.File("pipe.orv");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::string> paths = {fifo, "/dev/zero"};
#endif
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        Preferences prefs;
        const WorkspaceReadResult r = ReadWorkspace(wxString::FromUTF8(path), prefs);
        EXPECT_EQ(U(r.error), "Cannot open File for Reading");
    }
}

TEST(WorkspaceRead, RecordsOfTheCallerAreKeptAfterAFailedRead) {
    TempDir dir;
    const std::string path = dir.File("bad.orv");
    TempDir::Write(path, kGood.substr(0, kGood.size() - 10));
    std::vector<Storage> records{Storage("", 1000, 1, 0, 0, 1)};
    records[0].title = "mine";
    Preferences prefs;
    // The way a command uses the reader: the list is replaced only by a file read whole.
    WorkspaceReadResult r = ReadWorkspace(wxString::FromUTF8(path), prefs);
    if (r.Ok()) records = std::move(r.records);
    ASSERT_FALSE(r.Ok());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(U(records[0].title), "mine");
}

std::vector<Storage> OneRecord(const char* title) {
    std::vector<Storage> records{Storage("", 1000, 1, 0, 0, 1)};
    records[0].title = title;
    records[0].AddSample(1, 2, 3, 4);
    return records;
}

std::size_t Entries(const std::filesystem::path& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
    return n;
}

TEST(WorkspaceSave, ReplacesTheOldFileWhole) {
    TempDir dir;
    const wxString path = wxString::FromUTF8(dir.File("w.orv"));
    ASSERT_TRUE(WriteWorkspace(path, OneRecord("old")));
    std::filesystem::permissions(dir.File("w.orv"), std::filesystem::perms(0640));
    ASSERT_TRUE(WriteWorkspace(path, OneRecord("new")));
    Preferences prefs;
    const WorkspaceReadResult r = ReadWorkspace(path, prefs);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(U(r.records[0].title), "new");
#ifndef _WIN32  // POSIX permissions; Windows files take the folder's security
    EXPECT_EQ(std::filesystem::status(dir.File("w.orv")).permissions(),
              std::filesystem::perms(0640));
#endif
    EXPECT_EQ(Entries(dir.Path()), 1u) << "no temporary file is left behind";
}

TEST(WorkspaceSave, AFailedSaveIsReportedAndLeavesTheOldFile) {
    TempDir dir;
    wxString error;
    EXPECT_FALSE(WriteWorkspace(wxString::FromUTF8(dir.File("no/such/folder/w.orv")),
                                OneRecord("x"), &error));
    EXPECT_NE(U(error).find("temporary file"), std::string::npos) << U(error);

    // The rename target is a folder holding the old file: the rename fails after everything was
    // written.
    const std::string target = dir.File("w.orv");
    std::filesystem::create_directory(target);
    TempDir::Write(target + "/old", "old bytes");
    error.clear();
    EXPECT_FALSE(WriteWorkspace(wxString::FromUTF8(target), OneRecord("x"), &error));
    EXPECT_NE(U(error).find("Cannot replace"), std::string::npos) << U(error);
    EXPECT_EQ(TempDir::Read(target + "/old"), "old bytes");
    EXPECT_EQ(Entries(dir.Path()), 1u) << "no temporary file is left behind";
}

}  // namespace
