#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <vector>

#include "plot/core/ColumnDecimator.h"
#include "plot/core/MinMaxPyramid.h"

using namespace plotcore;

TEST(MinMaxPyramid, RangesMatchAScan) {
    std::mt19937 rng(3);
    std::normal_distribution<float> noise(0, 10);
    for (std::size_t n : {0u, 1u, 15u, 16u, 17u, 1000u, 4099u}) {
        std::vector<float> ys(n);
        for (float& v : ys) v = noise(rng);
        MinMaxPyramid p;
        p.Build(ys.data(), n);
        std::uniform_int_distribution<std::size_t> at(0, n);
        for (int k = 0; k < 300; ++k) {
            std::size_t a = at(rng), b = at(rng);
            if (a > b) std::swap(a, b);
            const auto got = p.Range(ys.data(), a, b);
            if (a == b) {
                EXPECT_GT(got.first, got.second);
                continue;
            }
            EXPECT_EQ(got.first, *std::min_element(ys.begin() + a, ys.begin() + b));
            EXPECT_EQ(got.second, *std::max_element(ys.begin() + a, ys.begin() + b));
        }
    }
}

TEST(MinMaxPyramid, SummariesStayASmallFractionOfTheSeries) {
    std::vector<float> ys(1 << 20, 1.0f);
    MinMaxPyramid p;
    p.Build(ys.data(), ys.size());
    EXPECT_LE(p.MemoryBytes(), ys.size() * sizeof(float) / 4);
}

namespace {
struct Column {
    int first, last, top, bottom;
};

// Per column, what drawing every segment covers: the rows between the extremes, entered at the
// first sample and left at the last.
std::map<int, Column> ColumnsOf(const std::vector<PlotPoint>& pts) {
    std::map<int, Column> cols;
    for (const PlotPoint& p : pts) {
        auto [it, fresh] = cols.try_emplace(p.x, Column{p.y, p.y, p.y, p.y});
        Column& c = it->second;
        c.last = p.y;
        c.top = std::min(c.top, p.y);
        c.bottom = std::max(c.bottom, p.y);
    }
    return cols;
}
}  // namespace

TEST(ColumnDecimator, EachColumnKeepsItsFirstExtremesAndLastSample) {
    std::mt19937 rng(11);
    std::normal_distribution<float> noise(0, 1);
    const std::size_t n = 200000;
    std::vector<float> xs(n), ys(n);
    for (std::size_t i = 0; i < n; ++i) {
        xs[i] = static_cast<float>(i) * 0.01f;
        ys[i] = 10 + noise(rng) + (i % 9973 == 0 ? 80.0f : 0.0f);  // narrow spikes
    }
    MinMaxPyramid pyr;
    pyr.Build(ys.data(), n);
    const ColumnTransform t{1000, 1, 10, 5};
    const ColumnDecimator d(xs.data(), ys.data(), n, pyr, t);
    std::vector<PlotPoint> line;
    d.Line(-600, 600, line);

    std::vector<PlotPoint> every;
    for (std::size_t i = 0; i < n; ++i) every.push_back({d.Px(i), d.PyOf(ys[i])});
    const auto want = ColumnsOf(every);
    const auto got = ColumnsOf(line);
    int checked = 0;
    for (const auto& [x, c] : want) {
        if (x < -600 || x > 600) continue;
        ASSERT_TRUE(got.count(x)) << x;
        const Column& g = got.at(x);
        EXPECT_EQ(g.first, c.first) << x;
        EXPECT_EQ(g.last, c.last) << x;
        EXPECT_EQ(g.top, c.top) << x;
        EXPECT_EQ(g.bottom, c.bottom) << x;
        ++checked;
    }
    EXPECT_GT(checked, 1000);
    EXPECT_LE(line.size(), 4u * 1203u);  // a few points per column, whatever the sample count
    // Columns outside the view are skipped apart from one neighbour on each side.
    EXPECT_LE(line.front().x, -600);
    EXPECT_GE(line.back().x, 600);
    EXPECT_GE(line.front().x, want.begin()->first);
}

TEST(ColumnDecimator, VisibleRangeKeepsOneNeighbourOutside) {
    std::vector<float> xs{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, ys(10, 0.0f);
    MinMaxPyramid pyr;
    pyr.Build(ys.data(), ys.size());
    const ColumnDecimator d(xs.data(), ys.data(), xs.size(), pyr, ColumnTransform{0, 10, 0, 1});
    EXPECT_EQ(d.VisibleRange(25, 55), (std::pair<std::size_t, std::size_t>{2, 7}));
    EXPECT_EQ(d.VisibleRange(200, 300), (std::pair<std::size_t, std::size_t>{9, 10}));
    EXPECT_EQ(d.VisibleRange(-300, -200), (std::pair<std::size_t, std::size_t>{0, 1}));
}

TEST(ColumnDecimator, PointsAreDistinctPerColumnAndInsideTheBand) {
    const std::vector<float> xs{0, 0.1f, 0.2f, 1, 1, 1}, ys{1, 1, 2, 5, 5, 500};
    MinMaxPyramid pyr;
    pyr.Build(ys.data(), ys.size());
    const ColumnDecimator d(xs.data(), ys.data(), xs.size(), pyr, ColumnTransform{0, 1, 0, 1});
    std::vector<PlotPoint> pts;
    d.Points(-10, 10, -100, 100, pts);
    EXPECT_EQ(pts, (std::vector<PlotPoint>{{0, -1}, {0, -2}, {1, -5}}));
}

TEST(ColumnDecimator, OnlyPositiveFiniteScalesDecimate) {
    EXPECT_TRUE(CanDecimate({0, 1, 0, 1}));
    EXPECT_FALSE(CanDecimate({0, -1, 0, 1}));
    EXPECT_FALSE(CanDecimate({0, 1, 0, 0}));
    EXPECT_FALSE(CanDecimate({0, INFINITY, 0, 1}));
}
