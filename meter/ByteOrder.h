#pragma once
// Every multi-byte number from the meter is little-endian.

#include <cstdint>

constexpr uint16_t ReadLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
constexpr uint32_t ReadLe24(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16);
}
constexpr void WriteLe16(uint8_t* p, unsigned v) {
    p[0] = static_cast<uint8_t>(v & 0xFF);
    p[1] = static_cast<uint8_t>((v >> 8) & 0xFF);
}
constexpr void WriteLe24(uint8_t* p, unsigned v) {
    WriteLe16(p, v);
    p[2] = static_cast<uint8_t>((v >> 16) & 0xFF);
}
