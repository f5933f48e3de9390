// The writers and the reader against the plain C library reference they are benchmarked against:
// the same bytes out, the same values back.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>

#include "bench/data/CReference.h"
#include "data/NumberText.h"
#include "tests/unit/data/AwkwardValues.h"
#include "tests/unit/data/TempDir.h"

namespace {

std::string U(const wxString& s) { return std::string(s.utf8_str()); }

class FormatIdentity : public ::testing::Test {
protected:
    void SetUp() override { std::setlocale(LC_ALL, "C"); }
    TempDir dir_;
};

TEST_F(FormatIdentity, NumberFormattersMatchPrintf) {
    std::vector<float> values = AwkwardValues(300000, true, 11);
    values.push_back(std::numeric_limits<float>::quiet_NaN());
    values.push_back(-std::numeric_limits<float>::quiet_NaN());
    values.push_back(std::numeric_limits<float>::max());
    char ours[kMaxNumberText];
    char ref[512];
    for (float v : values) {
        std::snprintf(ref, sizeof ref, "%f", double(v));
        ASSERT_EQ(std::string(ours, FormatFixed6(v, ours)), ref) << "bits of " << v;
        std::snprintf(ref, sizeof ref, "%.2f", double(v));
        ASSERT_EQ(std::string(ours, FormatFixed2(v, ours)), ref) << "bits of " << v;
    }
    for (long long i : {0LL, -1LL, 7LL, 480000LL, -2147483648LL, 2147483647LL}) {
        std::snprintf(ref, sizeof ref, "%lld", i);
        EXPECT_EQ(std::string(ours, FormatInt(i, ours)), ref);
    }
}

TEST_F(FormatIdentity, WorkspaceBytesAndValuesMatchTheReference) {
    std::vector<Storage> records{AwkwardRecord(100000, true), Storage("", 500, 0, 1, 0, 2)};
    records[0].boxText = wxString::FromUTF8("a€😀\n");
    records[0].info = "info";
    records[0].targetFlow = 0.0078125f;
    records[1].title = "empty";
    Preferences prefs;
    prefs.flowUnit = 3;
    const std::string ours = dir_.File("ours.orv");
    const std::string ref = dir_.File("ref.orv");
    ASSERT_TRUE(WriteWorkspace(wxString::FromUTF8(ours), records));
    ASSERT_TRUE(cref::WriteWorkspace(ref.c_str(), records));
    const std::string oursBytes = TempDir::Read(ours);
    ASSERT_GT(oursBytes.size(), 4000000u);
    ASSERT_TRUE(oursBytes == TempDir::Read(ref))
        << "the workspace differs from the C library's output";

    Preferences readPrefs;
    const WorkspaceReadResult got = ReadWorkspace(wxString::FromUTF8(ours), readPrefs);
    ASSERT_TRUE(got.Ok()) << U(got.error);
    const std::vector<Storage> want = cref::ReadWorkspace(ref.c_str());
    ASSERT_EQ(got.records.size(), want.size());
    for (std::size_t r = 0; r < want.size(); ++r) {
        ASSERT_EQ(got.records[r].GetLength(), want[r].GetLength());
        EXPECT_EQ(U(got.records[r].boxText), U(want[r].boxText));
        EXPECT_EQ(got.records[r].targetFlow, want[r].targetFlow);
        for (const auto member :
             {&Storage::time, &Storage::flow, &Storage::pressure, &Storage::volume}) {
            const std::vector<float>& a = got.records[r].*member;
            const std::vector<float>& b = want[r].*member;
            ASSERT_TRUE(a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0)
                << "values read back differ from fscanf's";
        }
    }
}

TEST_F(FormatIdentity, CsvBytesMatchTheReference) {
    Storage record = AwkwardRecord(100000, true);
    record.info = "100% pieno";
    record.flowReading = "12.5";
    record.pressureUnit = 'b';
    Preferences prefs;
    prefs.flowUnit = 2;
    const std::string ours = dir_.File("ours.csv");
    const std::string ref = dir_.File("ref.csv");
    ASSERT_TRUE(WriteCsv(wxString::FromUTF8(ref), record));  // the path is part of line 1
    const std::string oursBytes = TempDir::Read(ref);
    ASSERT_TRUE(cref::WriteCsv(ref.c_str(), record));
    ASSERT_GT(oursBytes.size(), 2000000u);
    ASSERT_TRUE(oursBytes == TempDir::Read(ref)) << "the CSV differs from the C library's output";
}

}  // namespace
