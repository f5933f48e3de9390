#include "meter/LoggerStatus.h"

#include "meter/ByteOrder.h"

std::optional<LoggerStatus> DecodeLoggerStatus(std::span<const uint8_t> bytes) {
    if (bytes.size() < kLoggerStatusLength) return std::nullopt;
    const uint8_t* b = bytes.data();
    return LoggerStatus{ReadLe24(b), ReadLe16(b + 3), ReadLe16(b + 5)};
}

void EncodeLoggerStatus(const LoggerStatus& status, uint8_t out[kLoggerStatusLength]) {
    WriteLe24(out, status.freeMemory);
    WriteLe16(out + 3, status.battery);
    WriteLe16(out + 5, status.rateCode);
}
