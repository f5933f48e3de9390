// Files use "." as the decimal point whatever the user's locale: everything is written and read
// again while the C library runs under a decimal-comma locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

#include "data/CsvExport.h"
#include "data/Workspace.h"
#include "tests/unit/data/TempDir.h"

namespace {

class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        // POSIX names, then the Windows C runtime's.
        for (const char* name : {"it_IT.UTF-8", "it_IT.utf8", "de_DE.UTF-8", "fr_FR.UTF-8",
                                 "Italian_Italy.1252", "it-IT"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                char text[16];
                std::snprintf(text, sizeof text, "%.1f", 1.5);
                if (std::string(text) == "1,5") return;
            }
        }
        std::setlocale(LC_ALL, "C");
        GTEST_SKIP() << "no decimal-comma locale on this system: run scripts/setup, which "
                        "generates it_IT.UTF-8";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
    TempDir dir_;
};

TEST_F(CommaLocale, WorkspaceAndCsvUseThePoint) {
    Storage s("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    s.targetFlow = 2.5f;
    s.AddSample(1.5f, 12.25f, -3.75f, 0.5f);
    s.pressureUnit = 'b';
    const wxString orv = wxString::FromUTF8(dir_.File("w.orv"));
    ASSERT_TRUE(WriteWorkspace(orv, {s}));
    const std::string bytes = TempDir::Read(dir_.File("w.orv"));
    EXPECT_NE(bytes.find("\n2.500000\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\n1.500000 12.250000 -3.750000 0.500000\n"), std::string::npos) << bytes;

    Preferences prefs;
    const WorkspaceReadResult r = ReadWorkspace(orv, prefs);
    ASSERT_TRUE(r.Ok()) << std::string(r.error.utf8_str());
    EXPECT_EQ(r.records[0].targetFlow, 2.5f);
    EXPECT_EQ(r.records[0].flow[0], 12.25f);
    EXPECT_EQ(r.records[0].pressure[0], -3.75f);

    ASSERT_TRUE(WriteCsv(wxString::FromUTF8(dir_.File("e.csv")), s));
    EXPECT_NE(TempDir::Read(dir_.File("e.csv")).find("\n1.50,12.25,0.50,-3.75\n"),
              std::string::npos);
}

TEST_F(CommaLocale, ACommaFileIsRefusedNotMisread) {
    Preferences prefs;
    const WorkspaceReadResult r =
        ReadWorkspaceBytes("480000\n1\nT\n\n\n0\n0 \n0 0\n0,000000\n1000\n98\n1 0\n0\n0\n", prefs);
    EXPECT_FALSE(r.Ok());
}

}  // namespace
