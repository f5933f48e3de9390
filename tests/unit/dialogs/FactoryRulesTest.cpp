#include <gtest/gtest.h>

#include "dialogs/core/FactoryRules.h"

TEST(MedianClamp, UpperLimitsAreInclusive) {
    const struct {
        const char *median, *clamp, *refusal;
    } cases[] = {
        {"20", "250", ""},
        {"21", "250", "Too big!"},
        {"21", "x", "Too big!"},  // the clamp is not looked at
        {"20", "251", "Clamp very big. Not setting it"},
        {"", "30", "Not a valid value: \"\""},
        {"-3", "30", "Not a valid value: \"-3\""},
        {"3", "3O", "Not a valid value: \"3O\""},
    };
    for (const auto& c : cases) {
        MedianClamp v{-1, -1};
        EXPECT_EQ(CheckMedianClamp(c.median, c.clamp, v), wxString(c.refusal))
            << c.median << "/" << c.clamp;
        if (*c.refusal == 0) {
            EXPECT_EQ(v.median, 20);
            EXPECT_EQ(v.clamp, 250);
        } else {
            EXPECT_EQ(v.median, -1);  // untouched on refusal
        }
    }
}

TEST(Calibration, ChecksZeroThenFineThenRough) {
    const struct {
        const char *zero, *fine, *rough, *refusal;
    } cases[] = {
        {"200", "255", "255", ""},
        {"201", "x", "x", "Zero pt too big!"},
        {"200", "0", "1", "Fine adjustment values outside range"},
        {"200", "256", "1", "Fine adjustment values outside range"},
        {"200", "1", "256", "Rough adjustment values outside range"},
        {"", "26", "2", "Not a valid value: \"\""},
        {"104", "-26", "2", "Not a valid value: \"-26\""},
    };
    for (const auto& c : cases) {
        Calibration v;
        EXPECT_EQ(CheckCalibration(c.zero, c.fine, c.rough, v), wxString(c.refusal))
            << c.zero << "/" << c.fine << "/" << c.rough;
    }
    Calibration v;
    ASSERT_EQ(CheckCalibration("104", "26", "2", v), "");
    EXPECT_EQ(v.zero, 104);
    EXPECT_EQ(v.fine, 26);
    EXPECT_EQ(v.rough, 2);
}
