#pragma once
// The 7-byte reply of GetLoggerStatus: free log memory, battery reading and sample-rate code.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

constexpr std::size_t kLoggerStatusLength = 7;

struct LoggerStatus {
    uint32_t freeMemory = 0;  // 24 bits
    uint16_t battery = 0;
    uint16_t rateCode = 0;
};

std::optional<LoggerStatus> DecodeLoggerStatus(std::span<const uint8_t> bytes);
void EncodeLoggerStatus(const LoggerStatus& status, uint8_t out[kLoggerStatusLength]);
