// The Windows save: a new file written through to the disk takes the old one's place in one move,
// so a file another program holds open, or one the user made read-only, is never half-written.
#include <gtest/gtest.h>
#include <windows.h>

#include "data/CsvExport.h"
#include "data/Preferences.h"
#include "data/Workspace.h"
#include "tests/unit/data/TempDir.h"

namespace {

std::string U(const wxString& s) { return std::string(s.utf8_str()); }

Storage Record(const char* title) {
    Storage s("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    s.title = title;
    s.AddSample(1, 2, 3, 4);
    return s;
}

std::size_t Entries(const std::filesystem::path& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
    return n;
}

class WindowsSave : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WriteWorkspace(Path(), {Record("old")}));
        before_ = TempDir::Read(file_);
    }
    wxString Path() const { return wxString(file_); }
    bool SaveNew(wxString* error) { return WriteWorkspace(Path(), {Record("new title")}, error); }

    TempDir dir_;
    std::string file_ = dir_.File("w.orv");
    std::string before_;
};

TEST_F(WindowsSave, AFileAnotherProgramHoldsOpenIsLeftWholeAndSavedOnceItIsClosed) {
    // Another program reading it without letting it be deleted or renamed, as many do.
    const HANDLE other = ::CreateFileW(Path().wc_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    wxString error;
    const bool saved = SaveNew(&error);
    ::CloseHandle(other);
    EXPECT_FALSE(saved);
    EXPECT_NE(U(error).find("Cannot replace"), std::string::npos) << U(error);
    EXPECT_EQ(TempDir::Read(file_), before_);
    EXPECT_EQ(Entries(dir_.Path()), 1u) << "no temporary file is left behind";

    EXPECT_TRUE(SaveNew(&error)) << U(error);
    EXPECT_NE(TempDir::Read(file_).find("new title"), std::string::npos);
    EXPECT_EQ(Entries(dir_.Path()), 1u);
}

TEST_F(WindowsSave, AReadOnlyFileIsNotOverwritten) {
    ASSERT_TRUE(::SetFileAttributesW(Path().wc_str(), FILE_ATTRIBUTE_READONLY));
    wxString error;
    EXPECT_FALSE(SaveNew(&error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(TempDir::Read(file_), before_);
    EXPECT_EQ(Entries(dir_.Path()), 1u);
    ::SetFileAttributesW(Path().wc_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WindowsSave, ANewFileIsMovedIntoPlace) {
    const std::string fresh = dir_.File("fresh.csv");
    wxString error;
    ASSERT_TRUE(WriteCsv(wxString(fresh), Record("x"), &error)) << U(error);
    EXPECT_NE(TempDir::Read(fresh).find("Title,x "), std::string::npos);
    EXPECT_EQ(Entries(dir_.Path()), 2u);
}

}  // namespace
