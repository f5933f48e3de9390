#pragma once
// Generated event and live shapes for scenarios: flows in the meter's own unit per minute (the raw
// flow count), pressures in the meter's pressure unit, turned into raw counts by its calibration.

#include <vector>

#include "sim/Meter.h"

namespace sim {

struct PressureScale {
    int zero = 0;
    int rough = 1;
    int fine = 0;
    int unit = 'p';
    // The raw count that reads back as this pressure (in the unit above), clamped to 10 bits.
    int Counts(double pressure) const;
};

struct Shape {
    enum class Kind { Samples, Constant, Hydrant };
    Kind kind = Kind::Samples;
    std::vector<RawSample> samples;  // Samples
    double flow = 0;                 // Constant and Hydrant: flow at the plateau
    double staticPressure = 0;       // Constant: the pressure; Hydrant: before and after the flow
    double residualPressure = 0;     // Hydrant: while the full flow runs
    double rise = 0, hold = 0, fall = 0;  // seconds; Constant uses hold as its length
};

// Deterministic: the same shape and seed always give the same samples.
std::vector<RawSample> Generate(const Shape& shape, const PressureScale& scale, int intervalMs,
                                unsigned seed);
Meter::LiveSource LiveGenerator(double flow, double pressure, const PressureScale& scale);

}  // namespace sim
