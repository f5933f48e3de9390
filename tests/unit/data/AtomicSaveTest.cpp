// Every save (workspace, CSV, Excel workbook, preferences) keeps the old file when writing fails
// part way, and writes through a symbolic link instead of replacing the link. In a folder where no
// file can be created it writes an existing writable file in place, and says so when that fails.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

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

// A folder in which no file can be created, for root as well: root passes permission checks only
// through CAP_DAC_OVERRIDE, which this thread gives up while the folder is locked.
class LockedFolder {
public:
    explicit LockedFolder(std::string path) : path_(std::move(path)) {
        std::filesystem::create_directory(path_);
    }
    ~LockedFolder() { Unlock(); }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    // True when creating a file in it really fails.
    bool Lock() {
        std::filesystem::permissions(path_, std::filesystem::perms(0555));
        if (geteuid() == 0) DropDacOverride();
        const std::string probe = path_ + "/probe";
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) return errno == EACCES || errno == EPERM;
        ::close(fd);
        ::unlink(probe.c_str());
        return false;
    }
    void Unlock() {
        if (dropped_) ::syscall(SYS_capset, &header_, saved_);
        dropped_ = false;
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms(0755), ec);
    }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

private:
    void DropDacOverride() {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (::syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        dropped_ = ::syscall(SYS_capset, &header_, lowered) == 0;
    }

    std::string path_;
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool dropped_ = false;
};

#define LOCK_OR_SKIP(folder)                                                                    \
    if (!(folder).Lock())                                                                       \
    GTEST_SKIP() << "cannot make a folder in which creating files fails here (permissions and " \
                    "CAP_DAC_OVERRIDE have no effect on this file system)"

TEST(InPlaceSave, AWritableFileInALockedFolderIsWrittenInPlace) {
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.name);
        TempDir dir;
        LockedFolder folder(dir.File("locked"));
        const std::string file = folder.File("target");
        // The same save while the folder is open shows the bytes expected.
        ASSERT_TRUE(w.save(wxString::FromUTF8(file), "a new title", nullptr));
        const std::string expected = TempDir::Read(file);
        // Longer than the new content: none of its old bytes may stay at the end.
        ASSERT_TRUE(w.save(wxString::FromUTF8(file), std::string(5000, 'o').c_str(), nullptr));
        std::filesystem::permissions(file, std::filesystem::perms(0640));
        const std::string before = TempDir::Read(file);
        LOCK_OR_SKIP(folder);
        wxString error;
        const bool saved = w.save(wxString::FromUTF8(file), "a new title", &error);
        folder.Unlock();
        EXPECT_TRUE(saved) << U(error);
        const std::string after = TempDir::Read(file);
        EXPECT_NE(after, before);
        if (std::string(w.name) == "xlsx")  // a workbook carries the moment it was made
            EXPECT_EQ(after.substr(0, 2), "PK");
        else
            EXPECT_EQ(after, expected);
        EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
        EXPECT_EQ(Entries(folder.Path()), 1u) << "nothing else was created";
    }
}

TEST(InPlaceSave, TheWorkspaceWrittenInPlaceReadsBackWhole) {
    TempDir dir;
    LockedFolder folder(dir.File("locked"));
    const wxString path = wxString::FromUTF8(folder.File("w.orv"));
    ASSERT_TRUE(WriteWorkspace(path, {Record("old"), Record("old too"), Record("old three")}));
    LOCK_OR_SKIP(folder);
    wxString error;
    EXPECT_TRUE(WriteWorkspace(path, {Record("new")}, &error)) << U(error);
    folder.Unlock();
    Preferences prefs;
    const WorkspaceReadResult r = ReadWorkspace(path, prefs);
    ASSERT_TRUE(r.Ok()) << U(r.error);
    EXPECT_FALSE(r.Damaged());
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(U(r.records[0].title), "new");
    EXPECT_EQ(r.records[0].GetLength(), 2000);
}

TEST(InPlaceSave, WhatCannotBeWrittenInPlaceIsReportedAndLeftAlone) {
    TempDir dir;
    LockedFolder folder(dir.File("locked"));
    const std::string readOnly = folder.File("sola-lettura.orv");
    ASSERT_TRUE(WriteWorkspace(wxString::FromUTF8(readOnly), {Record("old")}));
    std::filesystem::permissions(readOnly, std::filesystem::perms(0444));
    const std::string before = TempDir::Read(readOnly);
    std::filesystem::create_directory(folder.File("cartella.orv"));
    LOCK_OR_SKIP(folder);

    struct Case {
        const char* name;
        std::string path;
    };
    const Case cases[] = {{"a new file", folder.File("nuovo.orv")},
                          {"a read-only file", readOnly},
                          {"a folder", folder.File("cartella.orv")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        wxString error;
        EXPECT_FALSE(WriteWorkspace(wxString::FromUTF8(c.path), {Record("new")}, &error));
        EXPECT_NE(U(error).find("Cannot create a temporary file in"), std::string::npos)
            << U(error);
    }
    folder.Unlock();
    EXPECT_EQ(TempDir::Read(readOnly), before);
    EXPECT_EQ(Entries(folder.Path()), 2u);
}

TEST(InPlaceSave, AnInPlaceWriteThatFailsPartWayIsReported) {
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.name);
        TempDir dir;
        LockedFolder folder(dir.File("locked"));
        const std::string file = folder.File("target");
        ASSERT_TRUE(w.save(wxString::FromUTF8(file), "old", nullptr));
        const std::string before = TempDir::Read(file);
        LOCK_OR_SKIP(folder);
        wxString error;
        bool saved = true;
        {
            FileSizeLimit limit(8);
            saved = w.save(wxString::FromUTF8(file), "a much longer new title", &error);
        }
        folder.Unlock();
        EXPECT_FALSE(saved) << "a file cut short was reported as saved";
        const std::string after = TempDir::Read(file);
        // The workbook is made in a temporary file of its library, which fails before the target
        // is touched; the others stream into the target.
        if (std::string(w.name) == "xlsx") {
            EXPECT_EQ(after, before);
            continue;
        }
        EXPECT_NE(after, before);
        EXPECT_LE(after.size(), 8u) << "the old bytes were replaced, not mixed in";
        // The preferences writer only says whether it worked.
        if (std::string(w.name) != "preferences") {
            EXPECT_NE(U(error).find("in place (no temporary file can be created in its folder), "
                                    "it is now incomplete"),
                      std::string::npos)
                << U(error);
        }
    }
}

}  // namespace
