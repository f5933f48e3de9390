#pragma once
// Statistics of a record over a time range: what flowed, how hard and for how long. The range is
// clamped to the record's first and last sample; the curves are the straight segments between
// samples, as the graph draws them, so means are time-weighted and an end that falls between two
// samples is interpolated. The volume is the difference of the accumulated volume at the two ends,
// never a re-integration of the flow.

#include <cstddef>

class Storage;

struct RangeStatistics {
    struct Summary {
        double mean = 0.0;  // time-weighted; the sample's value when the range is one instant
        double min = 0.0;   // of the samples in the range
        double max = 0.0;
    };

    std::size_t samples = 0;  // samples in the range; 0 means there is nothing to show
    double start = 0.0;       // elapsed seconds, within the record
    double end = 0.0;
    double duration = 0.0;
    double volume = 0.0;  // in the record's volume unit
    Summary flow;         // in the record's flow unit
    Summary pressure;     // in the record's pressure unit

    bool Empty() const { return samples == 0; }
};

// The statistics of `record` between elapsed times `from` and `to` (in either order), by a plain
// pass over every sample: the reference the prepared StatisticsIndex is checked and measured
// against. The record's time must not decrease.
RangeStatistics ScanRangeStatistics(const Storage& record, double from, double to);
