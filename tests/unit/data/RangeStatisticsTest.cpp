#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "data/RangeStatistics.h"
#include "data/StatisticsIndex.h"
#include "data/Storage.h"

namespace {

// Raw 120 a minute each second, pressure raw 40 read as 20 psi: 120 l/min and 2 l a sample.
Storage Constant(int metric = 1, int flowUnit = 0) {
    Storage r("7/03/2011 9:05:30", 1000, metric, 0, flowUnit, 1);
    r.SetPressureScaling(0, 2, 0, 'p');
    for (int i = 0; i < 10; ++i) r.AddRawSample(120, 40);
    return r;
}

// Samples at t = 0..10: flow 10 t, pressure 50 - 2 t, accumulated volume t².
Storage Ramp() {
    Storage r("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    for (int k = 0; k <= 10; ++k) r.AddSample(float(k), 10.0f * k, 50.0f - 2.0f * k, float(k * k));
    return r;
}

// A spike of 30 at t = 3 among zeros, t = 0..6; the volume grows by 1 a second.
Storage Spike(bool filtered) {
    Storage r("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    for (int k = 0; k <= 6; ++k) r.AddSample(float(k), k == 3 ? 30.0f : 0.0f, 1.0f, float(k));
    if (filtered) r.Smooth(true, 1);
    return r;
}

Storage OneSample() {
    Storage r("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    r.AddSample(5.0f, 7.0f, 2.0f, 0.5f);
    return r;
}

Storage NoSample() { return Storage("7/03/2011 9:05:30", 1000, 1, 0, 0, 1); }

struct Case {
    std::string name;
    std::function<Storage()> record;
    double from, to;
    std::size_t samples = 0;  // 0: nothing else is checked
    double start = 0, end = 0, volume = 0;
    double flowMean = 0, flowMin = 0, flowMax = 0;
    double pressureMean = 0, pressureMin = 0, pressureMax = 0;
};

const Case kCases[] = {
    {"constant, ends between samples", [] { return Constant(); }, 2.5, 7.25, 5, 2.5, 7.25, 9.5, 120,
     120, 120, 20, 20, 20},
    {"constant, range wider than the record", [] { return Constant(); }, -100, 1e6, 10, 1, 10, 18,
     120, 120, 120, 20, 20, 20},
    {"ramp, ends between samples", Ramp, 2.5, 7.5, 5, 2.5, 7.5, 50, 50, 30, 70, 40, 36, 44},
    {"ramp, ends given the other way round", Ramp, 7.5, 2.5, 5, 2.5, 7.5, 50, 50, 30, 70, 40, 36,
     44},
    {"ramp, one instant on a sample", Ramp, 4, 4, 1, 4, 4, 0, 40, 40, 40, 42, 42, 42},
    {"ramp, starting before the record", Ramp, -3, 2, 3, 0, 2, 4, 10, 0, 20, 48, 46, 50},
    {"ramp, ending after the record", Ramp, 9.5, 20, 1, 9.5, 10, 9.5, 97.5, 100, 100, 30.5, 30, 30},
    {"ramp, between two samples", Ramp, 2.2, 2.8, 0},
    {"ramp, after the record", Ramp, 11, 20, 0},
    {"ramp, before the record", Ramp, -5, -1, 0},
    {"one sample", OneSample, 0, 10, 1, 5, 5, 0, 7, 7, 7, 2, 2, 2},
    {"one sample outside the range", OneSample, 6, 10, 0},
    {"no sample", NoSample, 0, 10, 0},
    {"spike", [] { return Spike(false); }, 0, 6, 7, 0, 6, 6, 5, 0, 30, 1, 1, 1},
    // Smoothed in place over 3: 0, 0, 10, 40/3, 40/9, 40/27, 0; area 790/27 over 6 s.
    {"spike, filtered", [] { return Spike(true); }, 0, 6, 7, 0, 6, 6, 790.0 / 162, 0, 40.0 / 3, 1,
     1, 1},
    {"gallon meter", [] { return Constant(0, 2); }, 0, 100, 10, 1, 10, 18, 120, 120, 120, 20, 20,
     20},
    {"cubic metres per hour", [] { return Constant(1, 2); }, 0, 100, 10, 1, 10, 0.018, 7.2, 7.2,
     7.2, 20, 20, 20},
    {"cubic metres per hour, ends between samples", [] { return Constant(1, 2); }, 1.5, 3.5, 2, 1.5,
     3.5, 0.004, 7.2, 7.2, 7.2, 20, 20, 20},
};

void ExpectNear(double expected, double actual, const char* what) {
    EXPECT_NEAR(actual, expected, 1e-5 * std::max(1.0, std::fabs(expected))) << what;
}

void ExpectCase(const Case& c, const RangeStatistics& s) {
    EXPECT_EQ(s.samples, c.samples);
    EXPECT_EQ(s.Empty(), c.samples == 0);
    if (c.samples == 0) return;
    ExpectNear(c.start, s.start, "start");
    ExpectNear(c.end, s.end, "end");
    ExpectNear(c.end - c.start, s.duration, "duration");
    ExpectNear(c.volume, s.volume, "volume");
    ExpectNear(c.flowMean, s.flow.mean, "flow mean");
    ExpectNear(c.flowMin, s.flow.min, "flow min");
    ExpectNear(c.flowMax, s.flow.max, "flow max");
    ExpectNear(c.pressureMean, s.pressure.mean, "pressure mean");
    ExpectNear(c.pressureMin, s.pressure.min, "pressure min");
    ExpectNear(c.pressureMax, s.pressure.max, "pressure max");
}

TEST(RangeStatistics, HandComputedCasesByScan) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        ExpectCase(c, ScanRangeStatistics(c.record(), c.from, c.to));
    }
}

TEST(RangeStatistics, HandComputedCasesByIndex) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const Storage r = c.record();
        StatisticsIndex index;
        index.Build(r);
        ExpectCase(c, index.Query(r, c.from, c.to));
    }
}

// Uneven steps, repeated instants and rough values over many blocks: the index must give the plain
// pass's answer for ranges of every length, aligned to samples and blocks or not.
TEST(RangeStatistics, IndexAgreesWithScanOverManyBlocks) {
    Storage r("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    unsigned seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % 1000;
    };
    float t = 0.0f, v = 0.0f;
    for (int k = 0; k < 5000; ++k) {
        if (k % 97 != 0) t += 0.25f * float(1 + next() % 8);  // every 97th repeats an instant
        const float f = float(next()) / 7.0f;
        v += f / 60.0f;
        r.AddSample(t, f, float(next()) / 100.0f, v);
    }
    StatisticsIndex index;
    index.Build(r);
    std::vector<std::pair<double, double>> ranges = {
        {r.time[256], r.time[512]}, {r.time[255], r.time[4999]}, {-1, 1e9}, {r.time[0], r.time[0]}};
    for (int k = 0; k < 400; ++k) {
        const double a = double(next()) * t / 1000.0, b = a + double(next() % 64) * t / 1000.0;
        ranges.push_back({a, b});
        ranges.push_back({double(r.time[next() * 5]), double(r.time[next() * 5])});
    }
    for (const auto& [from, to] : ranges) {
        SCOPED_TRACE(::testing::Message() << from << " .. " << to);
        const RangeStatistics want = ScanRangeStatistics(r, from, to);
        const RangeStatistics got = index.Query(r, from, to);
        ASSERT_EQ(got.samples, want.samples);
        ExpectNear(want.start, got.start, "start");
        ExpectNear(want.end, got.end, "end");
        ExpectNear(want.volume, got.volume, "volume");
        ExpectNear(want.flow.mean, got.flow.mean, "flow mean");
        EXPECT_EQ(got.flow.min, want.flow.min);
        EXPECT_EQ(got.flow.max, want.flow.max);
        ExpectNear(want.pressure.mean, got.pressure.mean, "pressure mean");
        EXPECT_EQ(got.pressure.min, want.pressure.min);
        EXPECT_EQ(got.pressure.max, want.pressure.max);
    }
}

// A live record grows between two preparations: the index must not answer from the old length.
TEST(RangeStatistics, IndexOfAShorterRecordStillAnswersForTheGrownOne) {
    Storage r = Ramp();
    StatisticsIndex index;
    index.Build(r);
    r.AddSample(11.0f, 500.0f, 0.0f, 200.0f);
    const RangeStatistics s = index.Query(r, 0, 100);
    EXPECT_EQ(s.samples, 12u);
    EXPECT_EQ(s.flow.max, 500.0);
    EXPECT_EQ(s.end, 11.0);
    EXPECT_EQ(s.volume, 200.0);
}

}  // namespace
