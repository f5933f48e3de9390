#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>

#include "widgets/core/LcdText.h"

using namespace lcd;

namespace {

// The row as a person reads it, left to right: each cell's character ('_' for blank, '?' for one
// outside Latin-1) followed by '.' when its point is lit, cells separated by '|'.
std::string Row(const wxString& text, int cells) {
    const std::vector<Cell> walked = WalkText(text, cells);
    std::string out;
    for (auto it = walked.rbegin(); it != walked.rend(); ++it) {
        if (!out.empty()) out += '|';
        out += it->c == ' ' ? '_' : it->c == 0 ? '?' : static_cast<char>(it->c);
        if (it->point) out += '.';
    }
    return out;
}

}  // namespace

TEST(LcdText, SeparateDotsSplitsEveryRunOfDots) {
    EXPECT_EQ(SeparateDots("1..2"), "1. .2");
    EXPECT_EQ(SeparateDots("...."), ". . . .");
    EXPECT_EQ(SeparateDots("12.5"), "12.5");
    EXPECT_EQ(SeparateDots(""), "");
}

TEST(LcdText, WalkFillsCellsFromTheRight) {
    const struct {
        const char* text;
        int cells;
        const char* row;
    } cases[] = {
        {"12.5", 6, "_|_|_|1|2.|5"},
        {"1..2", 5, "_|_|1.|_.|2"},  // split to "1. .2": the blank
                                     // before the lone dot carries it
        {".5", 3, "_|_|5"},          // a leading dot has nothing to sit on and is lost
        {"5.", 3, "_|_|5."},
        {"00:00:00", 7, "0|:|0|0|:|0|0"},  // eight characters in
                                           // seven cells: the first
                                           // is lost
        {"12345678", 5, "4|5|6|7|8"},
        {"1.2.3.4", 3, "2.|3.|4"},
        {"", 4, "_|_|_|_"},
        {"...", 3, "_|_.|_."},
        {"-3.40", 6, "_|_|-|3.|4|0"},
        {"8", 1, "8"},
        {"abc", 3, "a|b|c"},  // shown as blank cells by the segment table
    };
    for (const auto& c : cases)
        EXPECT_EQ(Row(c.text, c.cells), c.row) << c.text << " in " << c.cells;
}

TEST(LcdText, WalkWithNoCellsShowsNothing) {
    EXPECT_TRUE(WalkText("123", 0).empty());
    EXPECT_TRUE(WalkText("123", -2).empty());
}

TEST(LcdText, CharactersBeyondLatin1NeverAliasTableEntries) {
    // U+0131 and U+0141 have the low bytes of '1' and 'A'; U+012E that of '.'.
    EXPECT_EQ(Row(wxString::FromUTF8("\xC4\xB1"
                                     "2"),
                  3),
              "_|?|2");
    EXPECT_EQ(Row(wxString::FromUTF8("\xC5\x81"), 2), "_|?");
    EXPECT_EQ(Row(wxString::FromUTF8("1\xC4\xAE"), 3), "_|1|?");
    // Latin-1 characters keep their own code: the degree sign is a cell of its own.
    const std::vector<Cell> degree = WalkText(wxString::FromUTF8("\xC2\xB0"), 1);
    ASSERT_EQ(degree.size(), 1u);
    EXPECT_EQ(degree[0].c, 0xB0);
}

TEST(ClockText, WholeSecondsAsHoursMinutesSeconds) {
    const struct {
        float seconds;
        const char* text;
    } cases[] = {
        {0.0f, "00:00:00"},     {125.9f, "00:02:05"},   {3661.0f, "01:01:01"},
        {59.99f, "00:00:59"},   {86399.0f, "23:59:59"}, {86400.0f, "00:00:00"},
        {90000.0f, "01:00:00"}, {36000.0f, "10:00:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(ClockText(c.seconds), c.text) << c.seconds;
}

TEST(ClockText, NegativeAndNonFiniteShowZero) {
    EXPECT_EQ(ClockText(-5.0f), "00:00:00");
    EXPECT_EQ(ClockText(-0.5f), "00:00:00");
    EXPECT_EQ(ClockText(std::numeric_limits<float>::quiet_NaN()), "00:00:00");
    EXPECT_EQ(ClockText(std::numeric_limits<float>::infinity()), "00:00:00");
}

TEST(ClockText, HugeValuesStayAValidTimeOfDay) {
    // 2^40 s = 12725829 days + 84,...: whatever the day, the text is a valid time, never garbage.
    const float huge = std::ldexp(1.0f, 40);
    const std::string text = ClockText(huge);
    const long expected = static_cast<long>(std::fmod(std::ldexp(1.0, 40), 86400.0));
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", expected / 3600, expected / 60 % 60,
                  expected % 60);
    EXPECT_EQ(text, buf);
    EXPECT_TRUE(
        std::regex_match(ClockText(3.0e38f), std::regex("[0-2][0-9]:[0-5][0-9]:[0-5][0-9]")));
}
