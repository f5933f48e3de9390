#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "plot/core/Ticks.h"

using namespace plotcore;

TEST(Ticks, StepIsAPowerOfFiveBetween25And128Pixels) {
    struct Case {
        double scale;
        int e;
        double step;
    };
    const Case cases[] = {{1, 3, 125}, {10, 1, 5},     {100, 0, 1},
                          {128, 0, 1}, {600, -1, 0.2}, {0.01, 5, 3125}};
    for (const Case& c : cases) {
        const TickStep t = ComputeTickStep(c.scale);
        ASSERT_TRUE(t.valid) << c.scale;
        EXPECT_EQ(t.e, c.e) << c.scale;
        EXPECT_NEAR(t.step, c.step, c.step * 1e-6) << c.scale;
        EXPECT_LE(t.step * c.scale, 128.0 + 1e-6);
        EXPECT_GT(t.step * c.scale, 25.6);
    }
}

TEST(Ticks, DegenerateScalesGiveNoTicks) {
    for (double s : {0.0, -1.0, std::numeric_limits<double>::infinity(), std::nan("")}) {
        const TickStep t = ComputeTickStep(s);
        EXPECT_FALSE(t.valid) << s;
        int visits = 0;
        ForEachTick(0, 100, t, [&](double) { ++visits; });
        EXPECT_EQ(visits, 0);
    }
}

TEST(Ticks, VisitsFromTheFlooredStartWhileBelowTheEnd) {
    const TickStep t = ComputeTickStep(10);  // step 5
    std::vector<double> seen;
    ForEachTick(-7, 12, t, [&](double v) { seen.push_back(v); });
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_NEAR(seen.front(), -10, 1e-6);
    EXPECT_NEAR(seen.back(), 10, 1e-6);
}

TEST(Ticks, AHugeOffsetCannotLoopForever) {
    const TickStep t = ComputeTickStep(100);  // step 1, lost against 1e300
    int visits = 0;
    ForEachTick(1e300, 2e300, t, [&](double) { ++visits; });
    EXPECT_LE(visits, 1);
}

TEST(Ticks, LabelFormatsFollowTheAxisKindAndStep) {
    EXPECT_EQ(FormatAxisLabel(25, 2, AxisLabelKind::PrimaryY), "25");
    EXPECT_EQ(FormatAxisLabel(0.4, 0, AxisLabelKind::PrimaryY), "0.4");
    EXPECT_EQ(FormatAxisLabel(25, 2, AxisLabelKind::SecondY), "25.0");
    EXPECT_EQ(FormatAxisLabel(0.04, -2, AxisLabelKind::NumericX), "0.04");
    EXPECT_EQ(FormatAxisLabel(125, 3, AxisLabelKind::NumericX), "125");
}
