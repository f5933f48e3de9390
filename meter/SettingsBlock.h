#pragma once
// The settings block at meter address 0: 41 bytes when the firmware version word is 0x0403, else
// 21. The short form has no serial number, manufacture date or flow-unit marker.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

constexpr uint16_t kLongSettingsVersion = 0x0403;
constexpr std::size_t kShortSettingsLength = 21;
constexpr std::size_t kLongSettingsLength = 41;
constexpr uint8_t kFlowUnitMarker = 5;

// Pressure unit codes the meter stores at byte 19.
constexpr uint8_t kPressurePsi = 'p';
constexpr uint8_t kPressureBar = 'b';
constexpr uint8_t kPressureMetresWater = 8;
constexpr uint8_t kPressureKpa = 16;

struct SettingsBlock {
    bool longForm = false;
    uint16_t rateCode = 0;
    uint16_t fileCount = 0;
    uint8_t state = 0;  // bit 0 litres (else US gallons), bit 1 auto-logging
    uint16_t flowOnThreshold = 0;
    uint16_t flowOnDelay = 0;
    uint16_t flowOffThreshold = 0;
    uint16_t flowOffDelay = 0;
    uint8_t pressureRough = 0;
    uint8_t pressureZero = 0;
    uint8_t pressureFine = 0;
    uint8_t medianLength = 0;
    uint8_t flowClamp = 0;
    uint8_t displayAlternation = 0;
    uint8_t pressureUnit = 0;
    uint8_t volumeRange = 0;
    // Present only in the long form.
    std::optional<uint16_t> serial;
    std::optional<std::array<uint8_t, 3>> manufactureDate;  // BCD, shown as the bytes stand
    std::optional<uint8_t> unitMarker;
    std::optional<uint8_t> flowUnitBit;

    bool metricUnits() const { return (state & 0x01) != 0; }
    bool autoLog() const { return (state & 0x02) != 0; }
    std::size_t length() const { return longForm ? kLongSettingsLength : kShortSettingsLength; }
};

// The version word from a GetFirmwareVersion reply; 0 when there was none.
uint16_t VersionWord(const uint8_t* reply);
std::size_t SettingsBlockLength(uint16_t versionWord);

// Fewer than 21 bytes is no block; 21 to 40 bytes the short form; 41 or more the long form.
std::optional<SettingsBlock> DecodeSettingsBlock(std::span<const uint8_t> bytes);
// Writes block.length() bytes; out must hold them. Absent long-form fields are written as 0.
void EncodeSettingsBlock(const SettingsBlock& block, std::span<uint8_t> out);
