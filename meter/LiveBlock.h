#pragma once
// The three-byte raw sample shared by live blocks and logged memory, and the live block of
// GetLiveSamples: a count byte, then up to 74 samples in time order.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

constexpr std::size_t kRawSampleSize = 3;
constexpr std::size_t kLiveBlockLength = 223;
constexpr std::size_t kMaxLiveSamples = 74;

struct RawSample {
    int flow = 0;      // 14 bits
    int pressure = 0;  // 10 bits
    friend bool operator==(const RawSample&, const RawSample&) = default;
};

// flow = (b & 0x3F) * 256 + a, pressure = (b >> 6) * 256 + c
constexpr RawSample DecodeRawSample(const uint8_t* abc) {
    return {(abc[1] & 0x3F) * 256 + abc[0], (abc[1] >> 6) * 256 + abc[2]};
}
// Values beyond 14 and 10 bits are clamped, not wrapped.
void EncodeRawSample(RawSample sample, uint8_t* abc);

struct LiveBlock {
    std::array<RawSample, kMaxLiveSamples> samples{};
    std::size_t count = 0;
    const RawSample* begin() const { return samples.data(); }
    const RawSample* end() const { return samples.data() + count; }
    std::size_t size() const { return count; }
};

// count byte div 3, at most 74, and never more whole samples than the bytes given hold.
LiveBlock DecodeLiveBlock(std::span<const uint8_t> block);
