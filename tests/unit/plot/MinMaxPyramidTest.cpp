// Summaries extended as a series grows answer every range as summaries built at once would.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plot/core/MinMaxPyramid.h"

TEST(MinMaxPyramid, ExtendingInStepsAnswersLikeBuildingAtOnce) {
    std::vector<float> ys;
    plotcore::MinMaxPyramid grown;
    // Steps that end inside, on and just past block edges of every level.
    for (std::size_t n : {0u, 1u, 15u, 16u, 17u, 31u, 64u, 65u, 200u, 1000u, 1024u, 4097u}) {
        SCOPED_TRACE(n);
        while (ys.size() < n) {
            const double i = double(ys.size());
            ys.push_back(float(std::sin(i / 13.0) * 100.0 + std::fmod(i * 7.0, 11.0)));
        }
        grown.Extend(ys.data(), ys.size());
        plotcore::MinMaxPyramid built;
        built.Build(ys.data(), ys.size());
        for (std::size_t a = 0; a < n; a += 1 + n / 37)
            for (std::size_t b = a; b <= n; b += 1 + n / 23)
                ASSERT_EQ(grown.Range(ys.data(), a, b), built.Range(ys.data(), a, b))
                    << a << ".." << b;
    }
    // A shorter series than before is summarised afresh.
    ys.resize(40);
    grown.Extend(ys.data(), ys.size());
    plotcore::MinMaxPyramid built;
    built.Build(ys.data(), ys.size());
    EXPECT_EQ(grown.Range(ys.data(), 0, 40), built.Range(ys.data(), 0, 40));
}
