#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>

#include "data/Storage.h"

// A growing record list moves records instead of copying their series.
static_assert(std::is_nothrow_move_constructible_v<Storage>);

namespace {

struct Sample {
    float t, f, p, v;
};

Sample At(const Storage& s, int i) {
    Sample out{};
    s.GetSample(i, out.t, out.f, out.p, out.v);
    return out;
}

TEST(Storage, ConstructorSetsFieldsInArgumentOrder) {
    Storage s("7/03/2011 9:05:30", 250, 0, 1, 0, 12);
    EXPECT_EQ(s.GetDateText(), "7/03/2011 9:05:30");
    EXPECT_EQ(s.GetInterval(), 250);
    EXPECT_EQ(s.GetMetricUnits(), 0);
    EXPECT_EQ(s.GetReservedFlag(), 1);
    EXPECT_EQ(s.flowUnit, 0);
    EXPECT_EQ(s.GetTitle(), "12");
    EXPECT_TRUE(s.info.empty() && s.boxText.empty() && s.flowReading.empty() &&
                s.pressureReading.empty());
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_FALSE(s.filtered);
    EXPECT_FALSE(s.HasTargetFlow());
    EXPECT_EQ(s.GetLastVolume(), 0.0f);
    EXPECT_TRUE(s.GetTargetX().empty());
    EXPECT_TRUE(s.GetTargetY().empty());
}

TEST(Storage, StartIsReadDayFirst) {
    Storage s("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    ASSERT_TRUE(s.start.IsValid());
    EXPECT_EQ(s.start.GetDay(), 7);
    EXPECT_EQ(s.start.GetMonth(), wxDateTime::Mar);
    EXPECT_EQ(s.start.GetYear(), 2011);
    EXPECT_EQ(s.start.GetHour(), 9);
    EXPECT_EQ(s.start.GetMinute(), 5);
    EXPECT_EQ(s.start.GetSecond(), 30);

    Storage late("25/12/2023 17:45:01", 1000, 1, 0, 0, 1);
    ASSERT_TRUE(late.start.IsValid());
    EXPECT_EQ(late.start.GetDay(), 25);
    EXPECT_EQ(late.start.GetMonth(), wxDateTime::Dec);

    EXPECT_FALSE(Storage("", 1000, 1, 0, 0, 1).start.IsValid());
    EXPECT_FALSE(Storage("not a date", 1000, 1, 0, 0, 1).start.IsValid());
}

// Downloads and saved workspaces write "D/MM/YYYY H:MM:SS"; other forms come from older or
// hand-made files. Every form reads day first, and an impossible date reads as no date.
TEST(Storage, RecordDatesInEveryForm) {
    struct Case {
        const char* text;
        const char* read;  // ISO form, or "" for no date
    };
    const Case cases[] = {
        {"7/03/2011 9:05:30", "2011-03-07 09:05:30"},
        {"07/03/2011 09:05:30", "2011-03-07 09:05:30"},
        {"1/01/2000 0:00:00", "2000-01-01 00:00:00"},
        {"31/12/2099 23:59:59", "2099-12-31 23:59:59"},
        {"29/02/2024 12:00:00", "2024-02-29 12:00:00"},
        {"  7/03/2011 9:05:30 ", "2011-03-07 09:05:30"},
        {"7/03/2011 9:05", "2011-03-07 09:05:00"},
        {"7/03/2011", "2011-03-07 00:00:00"},
        {"29/02/2023 12:00:00", ""},
        {"31/04/2024 12:00:00", ""},
        {"7/03/2011 24:00:00", ""},
        {"7/03/2011 9:05:30x", ""},
        {"7/0a/2011 9:05:30", ""},
    };
    for (const Case& c : cases) {
        const wxDateTime when = ParseRecordDate(c.text);
        const wxString read = when.IsValid() ? when.Format("%Y-%m-%d %H:%M:%S") : wxString();
        EXPECT_EQ(read, c.read) << c.text;
    }
}

TEST(Storage, RawSamplesGiveTimeFromOneInterval) {
    Storage s("", 1000, 1, 0, 0, 1);
    for (int i = 0; i < 10; ++i) s.AddRawSample(0, 0);
    EXPECT_EQ(At(s, 0).t, 1.0f);
    EXPECT_EQ(At(s, 9).t, 10.0f);
    EXPECT_EQ(s.sampleCount, 10);
}

TEST(Storage, RawFlowAndVolumeByFlowUnit) {
    struct Case {
        int unit;
        float flow;
        float volumeAfterTwo;
    };
    for (Case c : {Case{0, 120.0f, 4.0f}, Case{1, 2.0f, 4.0f}, Case{2, 7.2f, 0.004f},
                   Case{3, float(120 * 0.264172), 4.0f}}) {
        SCOPED_TRACE(c.unit);
        Storage s("", 1000, 1, 0, c.unit, 1);
        s.AddRawSample(120, 0);
        s.AddRawSample(120, 0);
        EXPECT_FLOAT_EQ(At(s, 0).f, c.flow);
        EXPECT_FLOAT_EQ(At(s, 0).v, c.volumeAfterTwo / 2);
        EXPECT_FLOAT_EQ(s.GetLastVolume(), c.volumeAfterTwo);
    }
}

TEST(Storage, GallonMeterKeepsGallonsWhateverTheFlowUnit) {
    Storage s("", 1000, 0, 0, 1, 1);
    EXPECT_EQ(s.flowUnit, 0);
    s.AddRawSample(120, 0);
    EXPECT_EQ(At(s, 0).f, 120.0f);
    EXPECT_EQ(At(s, 0).v, 2.0f);
}

TEST(Storage, RawPressureScalingByUnit) {
    struct Case {
        uint8_t unit;
        double expected;
    };
    for (Case c : {Case{'p', 40.0}, Case{'b', 40 / 14.504}, Case{8, 40 / 1.42197},
                   Case{16, 40 / 0.145038}, Case{77, 40.0}}) {
        SCOPED_TRACE(int(c.unit));
        Storage s("", 1000, 1, 0, 0, 1);
        s.SetPressureScaling(10, 2, 50, c.unit);
        s.AddRawSample(0, 110);
        EXPECT_FLOAT_EQ(At(s, 0).p, float(c.expected));
    }
}

TEST(Storage, PressureBelowZeroPlusFiveAndZeroDivisorReadZero) {
    Storage s("", 1000, 1, 0, 0, 1);
    s.SetPressureScaling(10, 2, 50, 'p');
    s.AddRawSample(0, 14);
    s.AddRawSample(0, 3);
    s.AddRawSample(0, 15);
    EXPECT_EQ(At(s, 0).p, 0.0f);
    EXPECT_EQ(At(s, 1).p, 0.0f);
    EXPECT_FLOAT_EQ(At(s, 2).p, 2.0f);

    Storage uncalibrated("", 1000, 1, 0, 0, 1);
    uncalibrated.SetPressureScaling(0, 0, 0, 'b');
    uncalibrated.AddRawSample(0, 900);
    EXPECT_EQ(At(uncalibrated, 0).p, 0.0f);
}

TEST(Storage, PressureDivisorIsRoundedToFloat) {
    // 0.33 as a float is a little above 0.33: 7 / 0.33f and 7 / 0.33 round to different floats.
    Storage s("", 1000, 1, 0, 0, 1);
    s.SetPressureScaling(0, 0, 33, 'p');
    s.AddRawSample(0, 7);
    EXPECT_EQ(At(s, 0).p, float(7 / double(0.33f)));
    EXPECT_NE(At(s, 0).p, float(7 / 0.33));
}

TEST(Storage, AddSampleConvertsFlowAndVolumeByUnit) {
    Storage litres("", 1000, 1, 0, 0, 1);
    litres.AddSample(1.5f, 60.0f, 2.5f, 1000.0f);
    const Sample a = At(litres, 0);
    EXPECT_EQ(a.t, 1.5f);
    EXPECT_EQ(a.f, 60.0f);
    EXPECT_EQ(a.p, 2.5f);
    EXPECT_EQ(a.v, 1000.0f);
    EXPECT_EQ(litres.sampleCount, 0);

    Storage cubic("", 1000, 1, 0, 2, 1);
    cubic.AddSample(1.5f, 60.0f, 2.5f, 1000.0f);
    EXPECT_FLOAT_EQ(At(cubic, 0).f, 3.6f);
    EXPECT_FLOAT_EQ(At(cubic, 0).v, 1.0f);
}

Storage WithFlows(std::initializer_list<float> flows) {
    Storage s("", 1000, 1, 0, 0, 1);
    float t = 0;
    for (float f : flows) s.AddSample(++t, f, f * 2, f * 3);
    return s;
}

TEST(Storage, SmoothRewritesInPlaceInAscendingOrder) {
    Storage s = WithFlows({0, 0, 10, 0, 0, 0, 0});
    s.Smooth(true, 1);
    EXPECT_TRUE(s.filtered);
    // Index 1 averages 0, 0, 10; index 2 then uses the smoothed value at index 1.
    const float i1 = 10.0f / 3;
    const float i2 = float((double(i1) + 10 + 0) / 3);
    const float i3 = float((double(i2) + 0 + 0) / 3);
    EXPECT_EQ(s.flow[0], 0.0f);
    EXPECT_FLOAT_EQ(s.flow[1], i1);
    EXPECT_FLOAT_EQ(s.flow[2], i2);
    EXPECT_FLOAT_EQ(s.flow[3], i3);
    EXPECT_EQ(s.flow[6], 0.0f);
    EXPECT_FLOAT_EQ(s.pressure[1], 2 * i1);
    EXPECT_FLOAT_EQ(s.volume[1], 3 * i1);
    EXPECT_EQ(s.time[1], 2.0f);
}

TEST(Storage, SmoothSumsInDoublePrecision) {
    // In float, 1e8 + 1 is 1e8 and the middle average would come out 0.
    Storage s = WithFlows({1e8f, 1, -1e8f});
    s.Smooth(true, 1);
    EXPECT_EQ(s.flow[1], float(1.0 / 3));
    EXPECT_EQ(s.pressure[1], float(2.0 / 3));
    EXPECT_EQ(s.volume[1], float(3.0 / 3));
}

TEST(Storage, SmoothEdgeCases) {
    Storage five = WithFlows({1, 2, 9, 4, 5});
    five.Smooth(true, 2);
    EXPECT_EQ(five.flow, (std::vector<float>{1, 2, 21.0f / 5, 4, 5}));

    Storage four = WithFlows({1, 2, 9, 4});
    four.Smooth(true, 2);
    EXPECT_TRUE(four.filtered);
    EXPECT_EQ(four.flow, (std::vector<float>{1, 2, 9, 4}));
    four.Smooth(false, 2);
    EXPECT_FALSE(four.filtered);
    EXPECT_EQ(four.flow, (std::vector<float>{1, 2, 9, 4}));
}

TEST(Storage, SmoothOnFilteredRecordDoesNothingAndOffRestores) {
    Storage s = WithFlows({1, 2, 9, 4, 5, 7, 3});
    s.Smooth(true, 2);
    const std::vector<float> once = s.flow;
    s.Smooth(true, 3);
    EXPECT_EQ(s.flow, once);
    s.Smooth(false, 0);
    EXPECT_EQ(s.flow, (std::vector<float>{1, 2, 9, 4, 5, 7, 3}));
    EXPECT_EQ(s.pressure, (std::vector<float>{2, 4, 18, 8, 10, 14, 6}));
    s.Smooth(false, 0);
    EXPECT_EQ(s.flow[2], 9.0f);
}

TEST(Storage, SamplesAppendedWhileFilteredSurviveTheRestore) {
    Storage s = WithFlows({1, 2, 9, 4, 5});
    s.Smooth(true, 1);
    s.AddSample(6, 8, 16, 24);
    s.Smooth(false, 1);
    ASSERT_EQ(s.GetLength(), 6);
    EXPECT_EQ(s.flow, (std::vector<float>{1, 2, 9, 4, 5, 8}));
    EXPECT_EQ(s.pressure.size(), 6u);
    EXPECT_EQ(s.volume.back(), 24.0f);
}

TEST(Storage, TargetLine) {
    Storage s = WithFlows({5, 6, 7});
    s.SetTargetFlow(4.5f);
    EXPECT_TRUE(s.HasTargetFlow());
    EXPECT_EQ(s.GetTargetX(), (std::vector<float>{1, 3, 3}));
    EXPECT_EQ(s.GetTargetY(), (std::vector<float>{4.5f, 4.5f, 4.5f}));
    float t, f, p, v;
    s.GetLastSample(t, f, p, v);
    EXPECT_EQ(t, 3.0f);
    EXPECT_EQ(f, 7.0f);
    EXPECT_EQ(v, 21.0f);
}

TEST(Storage, CopiesAreIndependent) {
    Storage source = WithFlows({1, 2, 9, 4, 5});
    source.title = "Memoria 1";
    Storage copy = source;
    copy.Smooth(true, 1);
    copy.AddSample(6, 1, 1, 1);
    copy.title = "changed";
    EXPECT_EQ(source.GetLength(), 5);
    EXPECT_EQ(source.flow, (std::vector<float>{1, 2, 9, 4, 5}));
    EXPECT_FALSE(source.filtered);
    EXPECT_EQ(source.GetTitle(), "Memoria 1");

    Storage assigned("", 1, 1, 0, 0, 9);
    assigned = copy;
    copy.Smooth(false, 1);
    EXPECT_TRUE(assigned.filtered);
    EXPECT_EQ(assigned.GetLength(), 6);
    EXPECT_EQ(assigned.flowSaved.size(), 5u);
}

}  // namespace
