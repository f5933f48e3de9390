#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "data/NumberText.h"

namespace {

// A view, not a string: rest must point into text after the call, not into a dead temporary.
float Scan(std::string_view text, bool& ok, std::string_view& rest) {
    rest = text;
    float v = -12345.0f;
    ok = ScanFloat(rest, v);
    return v;
}

void ExpectLikeStrtof(const std::string& text) {
    bool ok = false;
    std::string_view rest;
    const float ours = Scan(text, ok, rest);
    ASSERT_TRUE(ok) << text;
    const float ref = std::strtof(text.c_str(), nullptr);
    ASSERT_EQ(0, std::memcmp(&ours, &ref, sizeof ours)) << text << ": " << ours << " vs " << ref;
}

TEST(NumberText, DecimalsReadAsTheCLibraryReadsThem) {
    std::setlocale(LC_ALL, "C");
    // Exact halfway points between two floats, which round to the even one.
    for (const char* text :
         {"16777217.000000", "16777219.000000", "-33554434.000000", "0.000000", "-0.000000",
          "1.000000", "0.100000", "123456789.123456", "999999999.999999", "0.000001", "1e5",
          "-2.5E-3", "inf", "-inf", "1234567890123456789.5", "3.402823e38", "+7.25"})
        ExpectLikeStrtof(text);
    std::mt19937_64 rng(5);
    std::uniform_int_distribution<std::uint64_t> mantissa(0, 999999999999999ULL);
    std::uniform_int_distribution<int> decimals(0, 12);
    for (int i = 0; i < 200000; ++i) {
        std::string digits = std::to_string(mantissa(rng) >> (i % 40));
        const int k = std::min<int>(decimals(rng), int(digits.size()));
        digits.insert(digits.size() - std::size_t(k), k == int(digits.size()) ? "0." : ".");
        ExpectLikeStrtof((i % 3 == 0 ? "-" : "") + digits);
    }
}

TEST(NumberText, SampleLinesReadAsTheCLibraryReadsThem) {
    std::setlocale(LC_ALL, "C");
    std::mt19937 rng(9);
    std::uniform_int_distribution<std::uint32_t> bits;
    std::uniform_int_distribution<int> scale(-8, 30);
    for (int i = 0; i < 100000; ++i) {
        float want[4];
        std::string line;
        for (float& w : want) {
            const std::uint32_t b = bits(rng);
            const float f = std::ldexp(float(b >> 8) / float(1 << 24), scale(rng)) *
                            ((b & 1) != 0 ? -1.0f : 1.0f);
            char text[64];
            std::snprintf(text, sizeof text, "%f", double(f));
            w = std::strtof(text, nullptr);
            line += text;
            line += ' ';
        }
        line.pop_back();
        float got[4];
        ASSERT_TRUE(ScanFloatLine(line, got, 4)) << line;
        ASSERT_EQ(0, std::memcmp(got, want, sizeof got)) << line;
    }
    float v[4];
    EXPECT_FALSE(ScanFloatLine("1.000000 2.000000 3.000000", v, 4));
    EXPECT_FALSE(ScanFloatLine("1.000000 2.000000 3.000000 4.000000 5", v, 4));
    EXPECT_FALSE(ScanFloatLine("1.000000 2.0000x0 3.000000 4.000000", v, 4));
    EXPECT_TRUE(ScanFloatLine(" 1.5\t-2e3  3 4.000000  ", v, 4));
    EXPECT_EQ(v[1], -2000.0f);
}

TEST(NumberText, ScanStopsAtTheNumberAndRefusesNonNumbers) {
    bool ok = false;
    std::string_view rest;
    EXPECT_EQ(Scan("  1.500000 2", ok, rest), 1.5f);
    EXPECT_TRUE(ok);
    EXPECT_EQ(rest, " 2");
    for (const char* bad : {"", "   ", "abc", "-", "+-1", ".", "1,5x"}) {
        Scan(bad, ok, rest);
        if (std::string(bad) == "1,5x") {
            EXPECT_TRUE(ok);
            EXPECT_EQ(rest, ",5x") << "the comma is not a decimal point";
        } else {
            EXPECT_FALSE(ok) << bad;
        }
    }
}

TEST(NumberText, IntegerLines) {
    EXPECT_EQ(ParseIntLine("480000"), 480000);
    EXPECT_EQ(ParseIntLine("  -7 \t"), -7);
    EXPECT_EQ(ParseIntLine("+3"), 3);
    EXPECT_EQ(ParseIntLine("2147483647"), 2147483647);
    for (const char* bad :
         {"", "x", "1.5", "12 13", "2147483648", "99999999999999999999999", "--1"})
        EXPECT_FALSE(ParseIntLine(bad).has_value()) << bad;
}

}  // namespace
