#include "meter/LiveBlock.h"

#include <algorithm>

void EncodeRawSample(RawSample sample, uint8_t* abc) {
    const int flow = std::clamp(sample.flow, 0, 0x3FFF);
    const int pressure = std::clamp(sample.pressure, 0, 0x3FF);
    abc[0] = static_cast<uint8_t>(flow & 0xFF);
    abc[1] = static_cast<uint8_t>(((flow >> 8) & 0x3F) | ((pressure >> 8) << 6));
    abc[2] = static_cast<uint8_t>(pressure & 0xFF);
}

LiveBlock DecodeLiveBlock(std::span<const uint8_t> block) {
    LiveBlock out;
    if (block.empty()) return out;
    const std::size_t held = (block.size() - 1) / kRawSampleSize;
    out.count =
        std::min({static_cast<std::size_t>(block[0] / kRawSampleSize), kMaxLiveSamples, held});
    for (std::size_t k = 0; k < out.count; ++k)
        out.samples[k] = DecodeRawSample(block.data() + 1 + kRawSampleSize * k);
    return out;
}
