#include <gtest/gtest.h>

#include "dialogs/core/ThresholdCheck.h"

namespace {

struct Case {
    const char* name;
    ThresholdInput input;
    int interval;
    ThresholdOutcome outcome;
    const char* rejected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

}  // namespace

class ThresholdOutcomes : public ::testing::TestWithParam<Case> {};

TEST_P(ThresholdOutcomes, StopAtTheFirstFault) {
    const Case& c = GetParam();
    const ThresholdCheck check = CheckThresholds(c.input, c.interval);
    EXPECT_EQ(check.outcome, c.outcome);
    EXPECT_EQ(check.rejected, wxString(c.rejected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ThresholdOutcomes,
    ::testing::Values(
        Case{"plain", {"50", "30", "2", "10"}, 10, ThresholdOutcome::Accepted, ""},
        Case{"equal thresholds", {"40", "40", "1", "1"}, 10, ThresholdOutcome::Accepted, ""},
        Case{"off above on", {"30", "31", "5", "5"}, 10, ThresholdOutcome::OrderWrong, ""},
        Case{"first bad text wins", {"5x", "abc", "1", "1"}, 10, ThresholdOutcome::Unparsed, "5x"},
        Case{"off threshold parsed before delays",
             {"5", "", "x", "1"},
             10,
             ThresholdOutcome::Unparsed,
             ""},
        Case{"delay order: on then off", {"5", "1", "z", "y"}, 10, ThresholdOutcome::Unparsed, "z"},
        Case{"negative refused, not wrapped",
             {"-1", "30", "2", "2"},
             10,
             ThresholdOutcome::Unparsed,
             "-1"},
        Case{"above 16 bits refused",
             {"65536", "30", "2", "2"},
             10,
             ThresholdOutcome::Unparsed,
             "65536"},
        Case{"largest threshold", {"65535", "65535", "2", "2"}, 10, ThresholdOutcome::Accepted, ""},
        Case{"hex is not decimal", {"0x10", "1", "2", "2"}, 10, ThresholdOutcome::Unparsed, "0x10"},
        Case{"zero delay at 1.0 s", {"5", "1", "0", "2"}, 10, ThresholdOutcome::DelayTooShort, ""},
        Case{"zero delay at 0.9 s", {"5", "1", "0", "0"}, 9, ThresholdOutcome::Accepted, ""},
        Case{"off delay too short", {"5", "1", "3", "1"}, 25, ThresholdOutcome::DelayTooShort, ""},
        Case{"order checked before delays",
             {"1", "5", "0", "0"},
             10,
             ThresholdOutcome::OrderWrong,
             ""},
        Case{"delay whose samples overflow",
             {"5", "1", "6554", "1"},
             1,
             ThresholdOutcome::Unparsed,
             "6554"},
        Case{"longest delay that fits",
             {"5", "1", "6553", "1"},
             1,
             ThresholdOutcome::Accepted,
             ""}));

TEST(ThresholdCheck, DelaysBecomeWholeSamplesAndTheSecondsTheMeterUses) {
    const ThresholdCheck check = CheckThresholds({"50", "30", "7", "10"}, 25);
    ASSERT_EQ(check.outcome, ThresholdOutcome::Accepted);
    EXPECT_EQ(check.onDelaySamples, 2);
    EXPECT_EQ(check.onDelayShown, 5);
    EXPECT_EQ(check.offDelaySamples, 4);
    EXPECT_EQ(check.offDelayShown, 10);
    EXPECT_EQ(check.onThreshold, 50);
    EXPECT_EQ(check.offThreshold, 30);
}

TEST(ThresholdCheck, WarningsForHighValuesDoNotStopTheSend) {
    ThresholdCheck check = CheckThresholds({"2001", "2000", "401", "400"}, 1);
    EXPECT_EQ(check.outcome, ThresholdOutcome::Accepted);
    EXPECT_TRUE(check.onThresholdHigh);
    EXPECT_FALSE(check.offThresholdHigh);
    EXPECT_TRUE(check.onDelayHigh);  // 4010 samples
    EXPECT_FALSE(check.offDelayHigh);
    // The threshold warnings come with an order refusal as well.
    check = CheckThresholds({"2001", "3000", "1", "1"}, 10);
    EXPECT_EQ(check.outcome, ThresholdOutcome::OrderWrong);
    EXPECT_TRUE(check.onThresholdHigh);
    EXPECT_TRUE(check.offThresholdHigh);
}

TEST(ParseDecimal, WholeTextOnly) {
    long v = 0;
    EXPECT_TRUE(ParseDecimal(" 42 ", v));
    EXPECT_EQ(v, 42);
    EXPECT_FALSE(ParseDecimal("4 2", v));
    EXPECT_FALSE(ParseDecimal("", v));
    EXPECT_FALSE(ParseDecimal("1.5", v));
}
