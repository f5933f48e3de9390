#pragma once
// Packed BCD as the meter's clock and memory use it: one byte, tens in the high nibble.

#include <cstdint>

// Values outside 0..99 cannot be stored in one BCD byte; they are clamped rather than wrapped so a
// wrong year or a negative field never turns into a plausible-looking other date.
constexpr uint8_t ToBcd(int value) {
    if (value < 0) value = 0;
    if (value > 99) value = 99;
    return static_cast<uint8_t>(value + 6 * (value / 10));
}

constexpr int FromBcd(uint8_t byte) { return 10 * (byte >> 4) + (byte & 0x0F); }

constexpr bool IsBcd(uint8_t byte) { return (byte >> 4) <= 9 && (byte & 0x0F) <= 9; }
