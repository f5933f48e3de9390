#pragma once
// The simulated HVX-2 as the program sees it over USB: 128 KiB memory (settings block, samples,
// table of contents), logger status, a BCD clock that runs, live mode, thresholds, calibration and
// the few one- and two-byte registers. The memory image is the single source of truth for every
// setting the settings block holds.

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <vector>

#include "meter/LiveBlock.h"
#include "meter/MemoryLayout.h"
#include "meter/MeterClock.h"
#include "meter/SettingsBlock.h"

namespace sim {

// A broken-down date and time, as scenarios and tests write it.
struct DateTime {
    int year = 2026, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class Meter {
public:
    Meter();

    // Firmware 0x0403 gives the 41-byte settings block; other versions the 21-byte one. Changing
    // the form moves the sample area, so it erases the log.
    void SetFirmwareVersion(uint16_t version);
    uint16_t FirmwareVersion() const { return firmware_; }
    std::size_t SettingsLength() const { return SettingsBlockLength(firmware_); }

    SettingsBlock Settings() const;
    // Everything but the file count, which belongs to the log.
    void SetSettings(const SettingsBlock& settings);

    // Appends one event after the newest; false when the memory cannot hold it.
    bool AddEvent(const DateTime& start, std::span<const RawSample> samples);
    void EraseLog();
    unsigned EventCount() const;
    unsigned FreeMemory() const;
    const std::array<uint8_t, kMemorySize>& Memory() const { return memory_; }
    std::array<uint8_t, kMemorySize>& MutableMemory() { return memory_; }

    void SetBattery(uint16_t reading) { battery_ = reading; }
    uint16_t Battery() const { return battery_; }
    void SetErrorCode(uint8_t code) { errorCode_ = code; }
    uint8_t ErrorCode() const { return errorCode_; }
    void SetPressureAdc(uint16_t value) { pressureAdc_ = value; }
    uint16_t PressureAdc() const { return pressureAdc_; }
    std::array<uint8_t, 2> ClockConfig() const { return clockConfig_; }

    void SetClock(const DateTime& time, uint8_t fourthByte = 0);
    DateTime Clock() const;
    uint8_t FourthClockByte() const { return fourth_; }

    // Live mode: a sample every interval into a buffer of at most 74 that only GetLiveSamples
    // drains; switching live mode off stops the sampling and keeps the buffer.
    using LiveSource = std::function<RawSample(double secondsSinceStart)>;
    void SetLiveSource(LiveSource source) { liveSource_ = std::move(source); }
    bool LiveMode() const { return live_; }
    std::size_t PendingLiveSamples() const { return liveBuffer_.size(); }

    // Moves the clock and live mode forward.
    void Advance(std::chrono::milliseconds elapsed);

    // One control transfer addressed to the meter: the number of bytes moved or a negative errno.
    int Control(int requestType, int request, int value, int index, uint8_t* data, int length);

private:
    uint32_t SampleAreaEnd() const;
    void SetFileCount(unsigned count);
    int Reply(uint8_t* data, int length, std::span<const uint8_t> reply) const;
    int In(int request, int value, int index, uint8_t* data, int length);
    int Out(int request, int value, int index, int length);

    std::array<uint8_t, kMemorySize> memory_{};
    uint16_t firmware_ = kLongSettingsVersion;
    uint16_t battery_ = 200;
    uint8_t errorCode_ = 0;
    uint16_t pressureAdc_ = 0;
    std::array<uint8_t, 2> clockConfig_{0x00, 0xAB};
    std::chrono::sys_seconds clock_{};
    std::chrono::milliseconds clockFraction_{0};
    uint8_t fourth_ = 0;
    bool live_ = false;
    std::chrono::milliseconds liveElapsed_{0};
    std::chrono::milliseconds liveDue_{0};
    std::deque<RawSample> liveBuffer_;
    LiveSource liveSource_;
};

}  // namespace sim
