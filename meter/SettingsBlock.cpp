#include "meter/SettingsBlock.h"

#include <algorithm>
#include <stdexcept>

#include "meter/ByteOrder.h"

uint16_t VersionWord(const uint8_t* reply) { return reply == nullptr ? 0 : ReadLe16(reply); }

std::size_t SettingsBlockLength(uint16_t versionWord) {
    return versionWord == kLongSettingsVersion ? kLongSettingsLength : kShortSettingsLength;
}

std::optional<SettingsBlock> DecodeSettingsBlock(std::span<const uint8_t> bytes) {
    if (bytes.size() < kShortSettingsLength) return std::nullopt;
    const uint8_t* b = bytes.data();
    SettingsBlock s;
    s.longForm = bytes.size() >= kLongSettingsLength;
    s.rateCode = ReadLe16(b + 0);
    s.fileCount = ReadLe16(b + 2);
    s.state = b[4];
    s.flowOnThreshold = ReadLe16(b + 5);
    s.flowOnDelay = ReadLe16(b + 7);
    s.flowOffThreshold = ReadLe16(b + 9);
    s.flowOffDelay = ReadLe16(b + 11);
    s.pressureRough = b[13];
    s.pressureZero = b[14];
    s.pressureFine = b[15];
    s.medianLength = b[16];
    s.flowClamp = b[17];
    s.displayAlternation = b[18];
    s.pressureUnit = b[19];
    s.volumeRange = b[20];
    if (s.longForm) {
        s.serial = ReadLe16(b + 21);
        s.manufactureDate = std::array<uint8_t, 3>{b[23], b[24], b[25]};
        s.unitMarker = b[33];
        s.flowUnitBit = b[34];
    }
    return s;
}

void EncodeSettingsBlock(const SettingsBlock& s, std::span<uint8_t> out) {
    if (out.size() < s.length()) throw std::length_error("settings block does not fit");
    uint8_t* b = out.data();
    std::fill(b, b + s.length(), uint8_t{0});
    WriteLe16(b + 0, s.rateCode);
    WriteLe16(b + 2, s.fileCount);
    b[4] = s.state;
    WriteLe16(b + 5, s.flowOnThreshold);
    WriteLe16(b + 7, s.flowOnDelay);
    WriteLe16(b + 9, s.flowOffThreshold);
    WriteLe16(b + 11, s.flowOffDelay);
    b[13] = s.pressureRough;
    b[14] = s.pressureZero;
    b[15] = s.pressureFine;
    b[16] = s.medianLength;
    b[17] = s.flowClamp;
    b[18] = s.displayAlternation;
    b[19] = s.pressureUnit;
    b[20] = s.volumeRange;
    if (s.longForm) {
        WriteLe16(b + 21, s.serial.value_or(0));
        const auto date = s.manufactureDate.value_or(std::array<uint8_t, 3>{});
        b[23] = date[0];
        b[24] = date[1];
        b[25] = date[2];
        b[33] = s.unitMarker.value_or(0);
        b[34] = s.flowUnitBit.value_or(0);
    }
}
