#pragma once
// The meter's own flow unit, carried by the 41-byte settings block: byte 33 = 5 marks byte 34 as a
// flow-unit bit (1, 2, 4, 8 for flow units 0..3). The 21-byte block never carries one.

#include <cstddef>
#include <cstdint>

struct MeterFlowUnit {
    bool meterSetsFlowUnit = false;  // the block carries the marker
    int flowUnit = -1;               // 0..3, or -1 when the bit is not one of the four
};

inline MeterFlowUnit DecideMeterFlowUnit(const uint8_t* block, std::size_t length) {
    MeterFlowUnit out;
    if (block == nullptr || length < 41 || block[33] != 5) return out;
    out.meterSetsFlowUnit = true;
    constexpr uint8_t kUnitBits[] = {1, 2, 4, 8};  // index = flow unit
    for (int unit = 0; unit < 4; ++unit)
        if (block[34] == kUnitBits[unit]) out.flowUnit = unit;
    return out;
}
