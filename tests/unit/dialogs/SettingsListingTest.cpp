#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "dialogs/core/SettingsListing.h"

namespace {

std::vector<uint8_t> Block(std::size_t length, uint8_t unit) {
    std::vector<uint8_t> b(length, 0);
    b[0] = 0x00;
    b[1] = 0xF0;  // 1.0 s
    b[2] = 0x0C;
    b[3] = 0x00;  // 12 files
    b[4] = 0x03;
    b[5] = 50;
    b[7] = 2;
    b[9] = 30;
    b[11] = 10;
    b[9 + 1] = 0x01;  // flow off 286
    b[13] = 2;
    b[14] = 104;
    b[15] = 26;
    b[16] = 3;
    b[17] = 30;
    b[18] = 1;
    b[19] = unit;
    b[20] = 7;
    if (length >= 41) {
        b[21] = 0x39;
        b[22] = 0x30;  // 12345
        b[23] = 0x15;
        b[24] = 0x06;
        b[25] = 0x21;
    }
    return b;
}

const std::array<uint8_t, 8> kClock{0x87, 0x05, 0x09, 0, 0x03, 0x04, 0x15, 0};
const std::array<uint8_t, 2> kConfig{0x00, 0xAB};

}  // namespace

TEST(SettingsListing, LongBlockWithClock) {
    const auto block = Block(41, 'b');
    ListingInput in{0x403, std::span<const uint8_t>(block), std::span<const uint8_t, 8>(kClock),
                    std::span<const uint8_t, 2>(kConfig)};
    EXPECT_EQ(SettingsListing(in),
              "Firmware Version: \t 403\n"
              "Sample Rate \t f000 -> 10\n"
              "File Count \t c\n"
              "State   \t \t 3\n"
              "Flow On    \t 50 \n"
              "Delay On    \t 2 \n"
              "Flow Off   \t 286 \n"
              "Delay Off \t 10 \n"
              "Pressure Unit \t 98 BAR\n"
              "Pressure Scale \t 2 \n"
              "Pressure Zero \t 104 \n"
              "Filter Median \t 3 \n"
              "Flow Clamp \t 30 \n"
              "Display Alternation \t 1 \n"
              "Volume Range \t 7 \n"
              "Serial no. \t 12345 \n"
              "Manufacture \t 15:6:21 \n"
              "\nRTC Current Time: \t 9:5:7  3:4:15 \n"
              "Clock Configure \t 0 ab \n");
}

TEST(SettingsListing, ShortBlockHasNoIdentityAndOddUnitRunsOn) {
    const auto block = Block(21, 8);
    ListingInput in{0x402, std::span<const uint8_t>(block), std::nullopt, std::nullopt};
    const wxString text = SettingsListing(in);
    EXPECT_NE(text.Find("Pressure Unit \t 8 Pressure Scale \t 2 \n"), wxNOT_FOUND) << text;
    EXPECT_EQ(text.Find("Serial"), wxNOT_FOUND);
    EXPECT_EQ(text.Find("Manufacture"), wxNOT_FOUND);
    EXPECT_NE(text.Find("RTC Current Time: \t no reply"), wxNOT_FOUND);
    EXPECT_NE(text.Find("Clock Configure \t no reply"), wxNOT_FOUND);
}

TEST(SettingsListing, EndsAfterTheVersionWithoutABlock) {
    EXPECT_EQ(SettingsListing({0, std::nullopt, std::nullopt, std::nullopt}),
              "Firmware Version: \t 0\n");
}
