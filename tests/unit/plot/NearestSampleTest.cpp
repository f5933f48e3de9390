#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "plot/core/NearestSample.h"

using namespace plotcore;

TEST(NearestSample, EmptySeriesFindsNothing) {
    EXPECT_FALSE(NearestIndexLinear(nullptr, 0, 1.0));
    EXPECT_FALSE(NearestIndexSorted(nullptr, 0, 1.0));
}

TEST(NearestSample, TiesPickTheEarlierSample) {
    const std::vector<float> xs{0, 1, 2, 2, 2, 3, 5};
    struct Case {
        double x;
        std::size_t want;
    };
    const Case cases[] = {{0.5, 0}, {1.5, 1}, {2.0, 2}, {2.4, 2},
                          {2.5, 2}, {4.0, 5}, {-9, 0},  {99, 6}};
    for (const Case& c : cases) {
        EXPECT_EQ(*NearestIndexLinear(xs.data(), xs.size(), c.x), c.want) << c.x;
        EXPECT_EQ(*NearestIndexSorted(xs.data(), xs.size(), c.x), c.want) << c.x;
    }
}

TEST(NearestSample, BinarySearchChoosesWhatTheScanChooses) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> len(1, 40), step(0, 3);
    std::uniform_real_distribution<double> where(-5, 60);
    for (int round = 0; round < 2000; ++round) {
        std::vector<float> xs(len(rng));
        float x = static_cast<float>(where(rng));
        for (float& v : xs)
            v = (x += static_cast<float>(step(rng)) * 0.5f);  // plenty of duplicates
        ASSERT_TRUE(IsSortedSeries(xs.data(), xs.size()));
        for (double q : {where(rng), static_cast<double>(xs[0]) + 0.25,
                         static_cast<double>(xs.back()), 1e30, -1e30}) {
            EXPECT_EQ(*NearestIndexSorted(xs.data(), xs.size(), q),
                      *NearestIndexLinear(xs.data(), xs.size(), q))
                << "round " << round << " x " << q;
        }
    }
}

TEST(NearestSample, SortedCheckRejectsDisorderAndNaN) {
    const std::vector<float> up{1, 1, 2}, down{1, 0.5f, 2}, nan{1, NAN, 2};
    EXPECT_TRUE(IsSortedSeries(up.data(), 3));
    EXPECT_FALSE(IsSortedSeries(down.data(), 3));
    EXPECT_FALSE(IsSortedSeries(nan.data(), 3));
}
