#pragma once
// What a download of a scenario's meter must give, built from the scenario's own events rather
// than from the meter's memory: newest first, "Memoria N", the start as the date text, every raw
// sample converted by the record as it is appended.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "data/Storage.h"
#include "meter/SampleRate.h"
#include "sim/Scenario.h"

inline std::vector<Storage> ExpectedRecords(const std::vector<sim::ScenarioEvent>& events,
                                            const SettingsBlock& settings, int flowUnit) {
    std::vector<Storage> records;
    const int n = static_cast<int>(events.size());
    for (int k = 0; k < n; ++k) {
        const sim::ScenarioEvent& e = events[static_cast<std::size_t>(n - 1 - k)];
        const wxString date =
            wxString::Format("%d/%02d/%04d %d:%02d:%02d", e.start.day, e.start.month, e.start.year,
                             e.start.hour, e.start.minute, e.start.second);
        Storage& r = records.emplace_back(date, IntervalMsFromCode(settings.rateCode),
                                          settings.metricUnits() ? 1 : 0, 0, flowUnit, k + 1);
        r.SetPressureScaling(settings.pressureZero, settings.pressureRough, settings.pressureFine,
                             settings.pressureUnit);
        r.title = wxString::Format("Memoria %d", k + 1);
        r.SetSerial(settings.serial.value_or(0));
        for (const RawSample& s : e.samples) r.AddRawSample(s.flow, s.pressure);
    }
    return records;
}

inline std::vector<Storage> ExpectedRecords(const sim::Scenario& scenario, int flowUnit) {
    return ExpectedRecords(scenario.events(), scenario.meter().Settings(), flowUnit);
}

// Every text, unit and value; `tolerance` allows for the six decimals of a workspace file.
inline void ExpectSameRecords(const std::vector<Storage>& got, const std::vector<Storage>& want,
                              double tolerance = 0.0) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < want.size(); ++k) {
        SCOPED_TRACE(want[k].title);
        const Storage& g = got[k];
        const Storage& w = want[k];
        EXPECT_EQ(g.title, w.title);
        EXPECT_EQ(g.dateText, w.dateText);
        EXPECT_EQ(g.intervalMs, w.intervalMs);
        EXPECT_EQ(g.metricUnits, w.metricUnits);
        EXPECT_EQ(g.pressureUnit, w.pressureUnit);
        EXPECT_EQ(g.serial, w.serial);
        ASSERT_EQ(g.GetLength(), w.GetLength());
        const std::vector<float> Storage::*series[] = {&Storage::time, &Storage::flow,
                                                       &Storage::pressure, &Storage::volume};
        for (auto s : series) {
            for (std::size_t i = 0; i < (w.*s).size(); ++i) {
                const double a = (g.*s)[i], b = (w.*s)[i];
                if (std::abs(a - b) > tolerance * (1 + std::abs(b))) {
                    ADD_FAILURE() << "sample " << i << ": " << a << " instead of " << b;
                    return;
                }
            }
        }
    }
}
