#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plot/core/SeriesBounds.h"

using namespace plotcore;

TEST(SeriesBounds, MarginsAndExtraY) {
    const std::vector<float> xs{0, 1, 2}, ys{5, 6, 7};
    struct Case {
        std::optional<double> extra;
        SeriesBounds want;
    };
    const Case cases[] = {
        {std::nullopt, {-0.5, 2.5, 4.5, 7.5}},
        {10.0, {-0.5, 2.5, 4.5, 10.5}},
        {7.0, {-0.5, 2.5, 4.5, 7.5}},  // below the widened top: no change
        {7.6, {-0.5, 2.5, 4.5, 8.1}},
    };
    for (const Case& c : cases) {
        const SeriesBounds b = ComputeSeriesBounds(xs.data(), ys.data(), xs.size(), c.extra);
        EXPECT_DOUBLE_EQ(b.minX, c.want.minX);
        EXPECT_DOUBLE_EQ(b.maxX, c.want.maxX);
        EXPECT_DOUBLE_EQ(b.minY, c.want.minY);
        EXPECT_NEAR(b.maxY, c.want.maxY, 1e-12);
    }
}

TEST(SeriesBounds, EmptySeriesHasTheDefaultBox) {
    EXPECT_EQ(ComputeSeriesBounds(nullptr, nullptr, 0, 50.0), (SeriesBounds{-1, 1, -1, 1}));
}

TEST(SeriesBounds, NaNSamplesAreIgnored) {
    const std::vector<float> xs{0, NAN, 4}, ys{NAN, 3, 1};
    const SeriesBounds b = ComputeSeriesBounds(xs.data(), ys.data(), 3, std::nullopt);
    EXPECT_EQ(b, (SeriesBounds{-0.5, 4.5, 0.5, 3.5}));
}
