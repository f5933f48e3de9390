#pragma once
// A one-off preparation of a record that answers RangeStatistics for any time range in time that
// does not grow with the range: the area under each curve at every block boundary, and a sparse
// table of block minima and maxima. Only the ends of a range, at most two partial blocks, are read
// sample by sample.

#include <cstddef>
#include <vector>

#include "data/RangeStatistics.h"

class Storage;

class StatisticsIndex {
public:
    static constexpr unsigned kBlockShift = 8;  // 256 samples a block

    // Prepares `record`, whose time must not decrease; build again after it changes.
    void Build(const Storage& record);
    void Clear();

    // The statistics of the record given to Build, between `from` and `to` in either order. A
    // record of another length than the one prepared is answered by a plain pass instead.
    RangeStatistics Query(const Storage& record, double from, double to) const;

    std::size_t Length() const { return length_; }
    std::size_t MemoryBytes() const;

    // One series' preparation.
    struct Curve {
        std::vector<double> area;  // area under the curve from sample 0 to each block start
        std::vector<std::vector<float>> mins, maxs;  // level l: over 2^l blocks from block k
    };

private:
    std::size_t length_ = 0;
    Curve flow_;
    Curve pressure_;
};
