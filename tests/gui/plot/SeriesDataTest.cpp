// The vector series' data side: bounds, iteration, third values and the measuring choice.
#include <gtest/gtest.h>

#include "plot/mpFXYVector.h"
#include "plot/mpFXYVectorKest.h"
#include "plot/mpScaleX.h"

TEST(SeriesData, BoundsCarryMarginsAndExtraY) {
    mpFXYVector s;
    EXPECT_DOUBLE_EQ(s.GetMinX(), -1);  // no samples yet
    EXPECT_DOUBLE_EQ(s.GetMaxY(), 1);
    s.SetData({0, 1, 2}, {5, 6, 7}, 10);
    EXPECT_DOUBLE_EQ(s.GetMinX(), -0.5);
    EXPECT_DOUBLE_EQ(s.GetMaxX(), 2.5);
    EXPECT_DOUBLE_EQ(s.GetMinY(), 4.5);
    EXPECT_DOUBLE_EQ(s.GetMaxY(), 10.5);
    s.SetData({}, {}, 50);
    EXPECT_DOUBLE_EQ(s.GetMaxY(), 1);
    EXPECT_EQ(s.GetCount(), 0);

    mpScaleX axis;
    EXPECT_FALSE(axis.HasBBox());
    EXPECT_TRUE(s.HasBBox());
    EXPECT_EQ(axis.GetType(), mpLAYER_AXIS);
    EXPECT_EQ(s.GetType(), mpLAYER_PLOT);
}

TEST(SeriesData, IterationVisitsEverySampleOnceFromRewind) {
    mpFXYVector s;
    s.SetData({0, 1, 2}, {5, 6, 7}, {50, 60, 70}, 0);
    double x = 0, y = 0, z = 0;
    int n = 0;
    s.Rewind();
    while (s.GetNextXY(x, y)) {
        EXPECT_DOUBLE_EQ(y, 5 + n);
        ++n;
    }
    EXPECT_EQ(n, 3);
    EXPECT_FALSE(s.GetNextXY(x, y));
    s.Rewind();
    EXPECT_TRUE(s.GetNextXY(x, y));
    EXPECT_DOUBLE_EQ(x, 0);
    ASSERT_TRUE(s.GetXYZ(x, y, z, 2));
    EXPECT_DOUBLE_EQ(z, 70);
    EXPECT_FALSE(s.GetXYZ(x, y, z, 3));
    EXPECT_FALSE(s.GetXYZ(x, y, z, -1));
}

TEST(SeriesData, MismatchedLengthsStayInsideTheData) {
    mpFXYVector s;
    s.SetData({0, 1, 2, 3}, {5, 6}, {9}, 0);
    EXPECT_EQ(s.GetCount(), 2);
    double x = 0, y = 0, z = 0;
    ASSERT_TRUE(s.GetXYZ(x, y, z, 1));
    EXPECT_DOUBLE_EQ(y, 6);
    EXPECT_DOUBLE_EQ(z, 0);  // no third value for this sample
    EXPECT_FALSE(s.GetXYZ(x, y, z, 2));

    mpFXYVectorKest k;
    k.SetData({0, 1}, {3, 4});
    ASSERT_TRUE(k.GetXYZ(x, y, z, 0));
    EXPECT_DOUBLE_EQ(z, -1.0);
    EXPECT_EQ(k.GetType(), mpLAYER_PLOT_SECOND);
}

TEST(SeriesData, FindNearestPicksTheEarlierSampleOnTies) {
    struct Case {
        std::vector<float> xs;
        double x;
        double want;  // y of the chosen sample, which is its index
    };
    const Case cases[] = {
        {{0, 1, 2, 3}, 1.5, 1}, {{0, 1, 1, 1, 3}, 1.0, 1}, {{0, 1, 1, 1, 3}, 2.0, 1},
        {{3, 0, 2, 1}, 1.5, 2},  // unordered: the plain scan, still the earlier of 2 and 1
        {{0, 10}, -50, 0},      {{0, 10}, 50, 1},
    };
    for (const Case& c : cases) {
        std::vector<float> ys(c.xs.size());
        for (std::size_t i = 0; i < ys.size(); ++i) ys[i] = static_cast<float>(i);
        mpFXYVector s;
        s.SetData(c.xs, ys, 0);
        double sx = 0, sy = 0, sz = 0;
        s.Rewind();
        ASSERT_TRUE(s.FindNearest(c.x, sx, sy, sz));
        EXPECT_DOUBLE_EQ(sy, c.want) << c.x;
    }
    mpFXYVectorKest empty;
    double sx = 0, sy = 0, sz = 0;
    EXPECT_FALSE(empty.FindNearest(0, sx, sy, sz));
}

// Series that can only be walked in order fall back on the plain scan of both base classes; it must
// choose what the vector series' binary search chooses.
TEST(SeriesData, PlainScanOfBothFamiliesChoosesLikeTheVectorSeries) {
    const std::vector<std::vector<float>> xsCases = {
        {0, 1, 2, 3}, {0, 1, 1, 1, 3}, {3, 0, 2, 1}, {0, 10}};
    for (const auto& xs : xsCases) {
        std::vector<float> ys(xs.size());
        for (std::size_t i = 0; i < ys.size(); ++i) ys[i] = static_cast<float>(i);
        mpFXYVector primary;
        primary.SetData(xs, ys, 0);
        mpFXYVectorKest second;
        second.SetData(xs, ys);
        for (const double x : {-50.0, 0.0, 1.0, 1.5, 2.0, 50.0}) {
            double wx = 0, wy = 0, wz = 0, px = 0, py = 0, pz = 0, kx = 0, ky = 0, kz = 0;
            primary.Rewind();
            ASSERT_TRUE(primary.FindNearest(x, wx, wy, wz));
            primary.Rewind();
            ASSERT_TRUE(primary.mpFXY::FindNearest(x, px, py, pz));
            second.Rewind();
            ASSERT_TRUE(second.mpFXYKest::FindNearest(x, kx, ky, kz));
            EXPECT_DOUBLE_EQ(py, wy) << x;
            EXPECT_DOUBLE_EQ(ky, wy) << x;
        }
    }
    mpFXYVector empty;
    double sx = 0, sy = 0, sz = 0;
    EXPECT_FALSE(empty.mpFXY::FindNearest(0, sx, sy, sz));
}

// A series extended as its record grows (live logging) reads like one given the whole record.
TEST(SeriesData, ExtendingMatchesSettingTheWholeSequences) {
    struct Case {
        const char* name;
        float (*x)(int);
        float (*y)(int);
    };
    const Case cases[] = {
        {"ordered", [](int i) { return float(i); }, [](int i) { return float((i * 37) % 101); }},
        {"a NaN value", [](int i) { return float(i); },
         [](int i) { return i == 20 ? NAN : float(i % 9); }},
        {"time going back", [](int i) { return i == 30 ? 1.0f : float(i); },
         [](int i) { return float(-i); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<float> xs, ys, zs;
        mpFXYVector grown;
        for (int n : {0, 1, 5, 16, 33, 34, 70}) {
            SCOPED_TRACE(n);
            while (int(xs.size()) < n) {
                const int i = int(xs.size());
                xs.push_back(c.x(i));
                ys.push_back(c.y(i));
                zs.push_back(float(2 * i));
            }
            grown.ExtendData(xs, ys, zs, 40.0);
            mpFXYVector whole;
            whole.SetData(xs, ys, zs, 40.0);
            ASSERT_EQ(grown.GetCount(), whole.GetCount());
            EXPECT_EQ(grown.GetMinX(), whole.GetMinX());
            EXPECT_EQ(grown.GetMaxX(), whole.GetMaxX());
            EXPECT_EQ(grown.GetMinY(), whole.GetMinY());
            EXPECT_EQ(grown.GetMaxY(), whole.GetMaxY());
            for (double at : {-3.0, 0.4, 12.6, 30.0, 69.0, 100.0}) {
                double gx = 0, gy = 0, gz = 0, wx = 0, wy = 0, wz = 0;
                const bool g = grown.FindNearest(at, gx, gy, gz);
                ASSERT_EQ(g, whole.FindNearest(at, wx, wy, wz));
                if (g) {
                    EXPECT_EQ(gx, wx);
                    EXPECT_EQ(gz, wz);
                }
            }
        }
    }
}
