#pragma once
// The factory dialog's text listing of the meter's settings block, clock and clock configuration.

#include <wx/string.h>

#include <cstdint>
#include <optional>
#include <span>

// Each part is what the meter answered, or nothing when its request failed. Without a settings
// block the listing ends after the version line. A 41-byte block adds serial and manufacture date.
struct ListingInput {
    uint16_t version = 0;
    std::optional<std::span<const uint8_t>> block;  // 21 or 41 bytes
    std::optional<std::span<const uint8_t, 8>> clock;
    std::optional<std::span<const uint8_t, 2>> clockConfig;
};

wxString SettingsListing(const ListingInput& input);
