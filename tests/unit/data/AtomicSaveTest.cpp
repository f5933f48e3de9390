// Every save (workspace, CSV, Excel workbook, preferences) keeps the old file when writing fails
// part way, and writes through a symbolic link instead of replacing the link.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <functional>

#include "data/CsvExport.h"
#include "data/Preferences.h"
#include "data/Workspace.h"
#include "data/XlsxExport.h"
#include "tests/unit/data/TempDir.h"

namespace {

std::string U(const wxString& s) { return std::string(s.utf8_str()); }

Storage Record(const char* title) {
    Storage s("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    s.title = title;
    for (int i = 0; i < 2000; ++i) s.AddRawSample(100 + i, 200);
    return s;
}

using Save = std::function<bool(const wxString& path, const char* title, wxString* error)>;

struct Writer {
    const char* name;
    Save save;
};

const Writer kWriters[] = {
    {"workspace", [](const wxString& path, const char* title,
                     wxString* error) { return WriteWorkspace(path, {Record(title)}, error); }},
    {"csv", [](const wxString& path, const char* title,
               wxString* error) { return WriteCsv(path, Record(title), error); }},
    {"xlsx", [](const wxString& path, const char* title,
                wxString* error) { return WriteXlsx(path, Record(title), error); }},
    {"preferences",
     [](const wxString& path, const char* title, wxString* error) {
         Preferences p;
         p.firmwareVersion = int(std::strlen(title));
         const bool ok = SavePreferences(p, path);
         if (!ok && error != nullptr) *error = "failed";
         return ok;
     }},
};

std::size_t Entries(const std::filesystem::path& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
    return n;
}

// Lets no file grow beyond a few bytes while it lives, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit small = old_;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST(AtomicSave, AWriteThatFailsPartWayLeavesTheOldFile) {
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.name);
        TempDir dir;
        const std::string file = dir.File("target");
        const wxString path = wxString::FromUTF8(file);
        ASSERT_TRUE(w.save(path, "old", nullptr));
        const std::string before = TempDir::Read(file);
        wxString error;
        bool saved = true;
        {
            FileSizeLimit limit(8);
            saved = w.save(path, "a much longer new title", &error);
        }
        EXPECT_FALSE(saved);
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(TempDir::Read(file) == before) << "the old file changed";
        EXPECT_EQ(Entries(dir.Path()), 1u) << "no temporary file is left behind";
    }
}

TEST(AtomicSave, ALongestPossibleFileNameIsSaved) {
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.name);
        TempDir dir;
        const std::string file =
            dir.File(std::string(251, 'a') + ".orv");  // 255 bytes, the most a name may have
        wxString error;
        EXPECT_TRUE(w.save(wxString::FromUTF8(file), "title", &error)) << U(error);
        EXPECT_TRUE(std::filesystem::is_regular_file(file));
        EXPECT_EQ(Entries(dir.Path()), 1u);
    }
}

TEST(AtomicSave, SavingThroughALinkReplacesTheLinkedFile) {
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.name);
        TempDir dir;
        std::filesystem::create_directory(dir.File("real"));
        const std::string real = dir.File("real/target");
        const std::string link = dir.File("link");
        ASSERT_TRUE(w.save(wxString::FromUTF8(real), "old", nullptr));
        const std::string before = TempDir::Read(real);
        std::filesystem::create_symlink("real/target", link);
        wxString error;
        ASSERT_TRUE(w.save(wxString::FromUTF8(link), "a much longer new title", &error))
            << U(error);
        EXPECT_TRUE(std::filesystem::is_symlink(link)) << "the link is kept";
        EXPECT_TRUE(TempDir::Read(link) == TempDir::Read(real))
            << "the link no longer shows the saved file";
        const std::string name = w.name;
        if (name == "xlsx")  // compressed: only its change shows in the bytes
            EXPECT_NE(TempDir::Read(real), before);
        else
            EXPECT_NE(TempDir::Read(real).find(name == "preferences" ? "\n23\n"
                                                                     : "a much longer new title"),
                      std::string::npos);
        EXPECT_EQ(Entries(dir.File("real")), 1u) << "no temporary file is left behind";
    }
}

}  // namespace
