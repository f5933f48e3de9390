#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plot/core/Ticks.h"
#include "plot/core/TimeLabels.h"

using namespace plotcore;

TEST(TimeLabels, ElapsedTimeReadsAsTimeOfDay) {
    struct Case {
        double t;
        const char* text;
    };
    const Case cases[] = {{90, "01:30"},      {3600, "01:00:00"}, {86400, "00:00"},
                          {-5, "23:59:55"},   {3700, "01:01:40"}, {600, "10:00"},
                          {0.9, "00:00"},     {-0.9, "00:00"},    {59.99, "00:59"},
                          {1e300, "01:46:40"} /* bounded at 1e15 s, not overflowing */};
    for (const Case& c : cases) EXPECT_EQ(FormatElapsedLabel(c.t), c.text) << c.t;
}

TEST(TimeLabels, AbsoluteTimeHasTheDateOnItsSecondLine) {
    const wxDateTime start(5, wxDateTime::Mar, 2021, 10, 0, 0);
    const AbsoluteLabel at = FormatAbsoluteLabel(start, 90);
    EXPECT_EQ(at.time, "10:01:30");
    EXPECT_EQ(at.date, "05\\03\\21");
    const AbsoluteLabel night = FormatAbsoluteLabel(start, 14 * 3600 + 0.5);
    EXPECT_EQ(night.time, "00:00:00");
    EXPECT_EQ(night.date, "06\\03\\21");
}

// Zoomed or panned far out, a tick can lie tens of thousands of years away from the record.
TEST(TimeLabels, AbsoluteTimeFarFromTheRecordGivesNoLabelAndNoToolkitAssertion) {
    static bool asserted = false;
    const wxAssertHandler_t old =
        wxSetAssertHandler([](const wxString&, int, const wxString&, const wxString&,
                              const wxString&) { asserted = true; });
    const wxDateTime start(5, wxDateTime::Mar, 2021, 10, 0, 0);
    for (double t : {-1e12, -1e15, -1e300, 1e12, 1e15, 1e300}) {
        const AbsoluteLabel at = FormatAbsoluteLabel(start, t);
        EXPECT_EQ(at.time, "") << t;
        EXPECT_EQ(at.date, "") << t;
    }
    const AbsoluteLabel past = FormatAbsoluteLabel(start, -86400.0 * 365 * 100);
    EXPECT_EQ(past.date.Right(3), "\\21") << past.date;  // a century back, still a date
    wxSetAssertHandler(old);
    EXPECT_FALSE(asserted);
}

TEST(TimeLabels, TickLabelsReadTheWholeSecondOfTheirTick) {
    std::vector<wxString> labels;
    ForEachTick(0, 400, ComputeTickStep(1),
                [&](double t) { labels.push_back(FormatElapsedLabel(t)); });
    EXPECT_EQ(labels, (std::vector<wxString>{"00:00", "02:05", "04:10", "06:15"}));

    labels.clear();  // 0.2 s apart: five ticks share a label, the sixth is a second on
    ForEachTick(0, 1.1, ComputeTickStep(600),
                [&](double t) { labels.push_back(FormatElapsedLabel(t)); });
    EXPECT_EQ(labels,
              (std::vector<wxString>{"00:00", "00:00", "00:00", "00:00", "00:00", "00:01"}));
}

TEST(TimeLabels, OnlyWholeSecondTicksAreLabelled) {
    // 0.2 s apart, as ForEachTick adds them up: the labels would repeat "00:00" five times.
    std::vector<double> whole;
    ForEachTick(-1.1, 2.1, ComputeTickStep(600), [&](double t) {
        if (IsWholeSecond(t)) whole.push_back(t);
    });
    ASSERT_EQ(whole.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(whole[i], i - 1, 1e-9);

    struct Case {
        double t;
        bool whole;
    };
    const Case cases[] = {{0, true},
                          {125, true},
                          {-5, true},
                          {0.2, false},
                          {59.99, false},
                          {1e6, true},
                          {1e20, false} /* beyond the labels */,
                          {NAN, false},
                          {INFINITY, false}};
    for (const Case& c : cases) EXPECT_EQ(IsWholeSecond(c.t), c.whole) << c.t;
}
