// What a user sees of files on every system the program is built for (this test program also runs
// as a Windows build under Wine): the same bytes for the same records, names in any letters, and a
// save that either replaces the whole file or leaves the old one.
#include <gtest/gtest.h>

#include <functional>

#include "data/CsvExport.h"
#include "data/Preferences.h"
#include "data/Workspace.h"
#include "tests/unit/data/TempDir.h"

namespace {

std::string U(const wxString& s) { return std::string(s.utf8_str()); }

// Full paths in both directions keep every letter: UTF-8 on POSIX, UTF-16 on Windows.
wxString ToWx(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return wxString::FromUTF8(reinterpret_cast<const char*>(s.data()), s.size());
}
std::filesystem::path FromUtf8(const char* name) {
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(name)));
}
std::string ReadBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
std::vector<std::filesystem::path> Entries(const std::filesystem::path& dir) {
    std::vector<std::filesystem::path> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename());
    return names;
}

Storage Record() {
    Storage s("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    s.title = wxString::FromUTF8("Città – prova Ø");
    s.info = wxString::FromUTF8("Über, façade");
    s.serial = 77;
    s.boxText = wxString::FromUTF8("è\r\nz");
    s.targetFlow = 1.5f;
    s.AddSample(1, 7.25f, 2.5f, 0.25f);
    return s;
}

using Save = std::function<bool(const wxString& path, wxString* error)>;
struct Writer {
    const char* name;
    Save save;
};
const Writer kWriters[] = {
    {"workspace",
     [](const wxString& path, wxString* error) { return WriteWorkspace(path, {Record()}, error); }},
    {"csv", [](const wxString& path, wxString* error) { return WriteCsv(path, Record(), error); }},
    {"preferences", [](const wxString& path, wxString*) { return SavePreferences({}, path); }},
};

// The bytes are the format's, not the system's: UTF-8 texts and "\n" line ends on Windows too
// (a carriage return typed into the text box is kept as its code, 13).
TEST(PortableFiles, TheSameRecordGivesTheSameBytesOnEverySystem) {
    TempDir dir;
    const auto orv = dir.Path() / "w.orv";
    const auto csv = dir.Path() / "w.csv";
    ASSERT_TRUE(WriteWorkspace(ToWx(orv), {Record()}));
    ASSERT_TRUE(WriteCsv(ToWx(csv), Record()));
    EXPECT_EQ(ReadBytes(orv),
              "480000\n1\nCitt\xC3\xA0 \xE2\x80\x93 prova \xC3\x98\n7/03/2011 9:05:30\n"
              "\xC3\x9C"
              "ber, fa\xC3\xA7"
              "ade\n77\n232 13 10 122 0 \n0 0\n1.500000\n1000\n0\n"
              "1 0\n0\n1\n1.000000 7.250000 2.500000 0.250000\n");
    const std::string csvBytes = ReadBytes(csv);
    EXPECT_EQ(csvBytes.find('\r'), std::string::npos);
    EXPECT_NE(csvBytes.find("Title,Citt\xC3\xA0 \xE2\x80\x93 prova \xC3\x98 7/03/2011 9:05:30\n"),
              std::string::npos);
    EXPECT_NE(csvBytes.find("\n1.00,7.25,0.25,2.50\n"), std::string::npos) << csvBytes;
}

// A file saved by the other system (or by the old Windows program: "\r\n" line ends) reads the
// same.
TEST(PortableFiles, WindowsLineEndsReadLikeUnixOnes) {
    TempDir dir;
    const auto orv = dir.Path() / "w.orv";
    ASSERT_TRUE(WriteWorkspace(ToWx(orv), {Record()}));
    std::string crlf;
    for (char c : ReadBytes(orv)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    TempDir::Write((dir.Path() / "crlf.orv").string(), crlf);
    Preferences a, b;
    const WorkspaceReadResult unix = ReadWorkspace(ToWx(orv), a);
    const WorkspaceReadResult windows = ReadWorkspace(ToWx(dir.Path() / "crlf.orv"), b);
    ASSERT_TRUE(unix.Ok() && windows.Ok()) << U(unix.error) << U(windows.error);
    ASSERT_EQ(windows.records.size(), 1u);
    EXPECT_EQ(U(windows.records[0].title), U(Record().title));
    EXPECT_EQ(U(windows.records[0].info), U(Record().info));
    EXPECT_EQ(U(windows.records[0].boxText), U(Record().boxText));
    EXPECT_EQ(windows.records[0].serial, 77);
    EXPECT_EQ(windows.records[0].GetLength(), unix.records[0].GetLength());
}

TEST(PortableFiles, NamesAndFoldersInAnyLettersAreSavedAndReadBack) {
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.name);
        TempDir dir;
        const auto folder = dir.Path() / FromUtf8("Misure già – Ölçüm 測定");
        std::filesystem::create_directory(folder);
        const auto file = folder / FromUtf8("Prova è ß 😀.orv");
        wxString error;
        ASSERT_TRUE(w.save(ToWx(file), &error)) << U(error);
        ASSERT_TRUE(w.save(ToWx(file), &error)) << "saving again replaces it: " << U(error);
        EXPECT_EQ(Entries(folder), std::vector<std::filesystem::path>{file.filename()});
        EXPECT_FALSE(ReadBytes(file).empty());
        if (w.name == std::string("workspace")) {
            Preferences prefs;
            const WorkspaceReadResult r = ReadWorkspace(ToWx(file), prefs);
            ASSERT_TRUE(r.Ok()) << U(r.error);
            EXPECT_EQ(U(r.records.at(0).title), U(Record().title));
        }
        if (w.name == std::string("preferences")) {
            Preferences p;
            p.showTips = true;
            std::filesystem::path ini = folder / FromUtf8("hvxv48.ini");
            Preferences saved;
            saved.showTips = false;
            saved.flowUnit = 2;
            ASSERT_TRUE(SavePreferences(saved, ToWx(ini)));
            LoadPreferences(p, ToWx(ini));
            EXPECT_FALSE(p.showTips);
            EXPECT_EQ(p.flowUnit, 2);
        }
    }
}

TEST(PortableFiles, ASaveThatCannotReplaceLeavesWhatWasThereAndNoOtherFile) {
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.name);
        TempDir dir;
        const auto folder = dir.Path() / "a folder.orv";
        std::filesystem::create_directory(folder);
        TempDir::Write((folder / "inside").string(), "kept");
        wxString error;
        EXPECT_FALSE(w.save(ToWx(folder), &error));
        EXPECT_TRUE(std::filesystem::is_directory(folder));
        EXPECT_EQ(ReadBytes(folder / "inside"), "kept");
        EXPECT_EQ(Entries(dir.Path()), std::vector<std::filesystem::path>{folder.filename()})
            << "no temporary file is left behind";
        if (w.name != std::string("preferences")) {
            EXPECT_NE(U(error).find("Cannot replace"), std::string::npos) << U(error);
        }

        EXPECT_FALSE(w.save(ToWx(dir.Path() / "missing" / "w.orv"), &error));
    }
}

}  // namespace
