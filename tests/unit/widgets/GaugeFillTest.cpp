// The share of a level gauge that its bar covers.
#include <gtest/gtest.h>

#include "widgets/core/GaugeFill.h"

namespace {

TEST(GaugeFill, ValueAsAShareOfTheWidthHeldToTheRange) {
    const struct {
        int value, range, width, fill;
    } cases[] = {
        {0, 700, 200, 0},
        {700, 700, 200, 200},
        {350, 700, 200, 100},
        {351, 700, 200, 100},  // truncated, never rounded up past the value
        {699, 700, 200, 199},
        {900, 700, 200, 200},
        {-3, 700, 200, 0},
        {5, 0, 200, 0},
        {5, -1, 200, 0},
        {350, 700, 0, 0},
        // No overflow for a wide gauge with a large range.
        {2000000000, 2000000000, 4000, 4000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gauge::FillWidth(c.value, c.range, c.width), c.fill)
            << c.value << "/" << c.range << " of " << c.width;
}

}  // namespace
