#include "sim/Meter.h"

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "meter/Bcd.h"
#include "meter/ByteOrder.h"
#include "meter/LoggerStatus.h"
#include "meter/MeterRequests.h"
#include "meter/SampleRate.h"
#include "sim/ClockMath.h"

namespace sim {

namespace {

constexpr uint8_t kErasedByte = 0xFF;

RawSample DefaultLiveSample(double t) {
    // A steady hydrant flow with a slow swing, and the pressure sagging as the flow rises.
    const double swing = std::sin(t / 7.0) + 0.3 * std::sin(t / 2.3);
    return {static_cast<int>(std::lround(850 + 40 * swing)),
            static_cast<int>(std::lround(120 - 6 * swing))};
}

bool ValidBcd(uint8_t byte, int lo, int hi) {
    return IsBcd(byte) && FromBcd(byte) >= lo && FromBcd(byte) <= hi;
}

}  // namespace

Meter::Meter() : liveSource_(DefaultLiveSample) {
    memory_.fill(kErasedByte);
    SettingsBlock s;
    s.longForm = true;
    s.rateCode = 0xF000;
    s.state = 0x01;
    s.flowOnThreshold = 20;
    s.flowOnDelay = 5;
    s.flowOffThreshold = 5;
    s.flowOffDelay = 5;
    s.pressureRough = 1;
    s.pressureZero = 20;
    s.pressureFine = 50;
    s.medianLength = 5;
    s.flowClamp = 40;
    s.pressureUnit = kPressureBar;
    s.serial = 1001;
    s.manufactureDate = std::array<uint8_t, 3>{0x15, 0x06, 0x25};
    s.unitMarker = kFlowUnitMarker;
    s.flowUnitBit = 1;
    EncodeSettingsBlock(s, memory_);
    pressureAdc_ = 20;
    SetClock(DateTime{});
}

SettingsBlock Meter::Settings() const {
    return *DecodeSettingsBlock(std::span<const uint8_t>(memory_.data(), SettingsLength()));
}

void Meter::SetSettings(const SettingsBlock& settings) {
    SettingsBlock s = settings;
    s.longForm = SettingsLength() == kLongSettingsLength;
    s.fileCount = static_cast<uint16_t>(EventCount());
    EncodeSettingsBlock(s, memory_);
}

void Meter::SetFirmwareVersion(uint16_t version) {
    SettingsBlock s = Settings();
    if (SettingsBlockLength(version) != SettingsLength()) {
        s.longForm = SettingsBlockLength(version) == kLongSettingsLength;
        if (s.longForm && !s.serial) s.serial = 0;
        firmware_ = version;
        memory_.fill(kErasedByte);
        s.fileCount = 0;
        EncodeSettingsBlock(s, memory_);
        return;
    }
    firmware_ = version;
}

unsigned Meter::EventCount() const {
    return std::min<unsigned>(ReadLe16(memory_.data() + 2), kMaxEvents);
}

void Meter::SetFileCount(unsigned count) { WriteLe16(memory_.data() + 2, count); }

uint32_t Meter::SampleAreaEnd() const {
    const unsigned n = EventCount();
    if (n == 0) return static_cast<uint32_t>(SettingsLength());
    return DecodeTocEntry(memory_.data() + TocAddress(n)).endAddress;
}

unsigned Meter::FreeMemory() const {
    // Full once the next sample and its table entry no longer fit between the samples and the
    // table.
    if (TocAddress(EventCount()) < SampleAreaEnd() + kRawSampleSize + kTocEntrySize) return 0;
    const uint32_t used = SampleAreaEnd() - static_cast<uint32_t>(SettingsLength()) +
                          static_cast<uint32_t>(kTocEntrySize * EventCount());
    return used >= kLogCapacity ? 0 : kLogCapacity - used;
}

bool Meter::AddEvent(const DateTime& start, std::span<const RawSample> samples) {
    const unsigned n = EventCount();
    const uint32_t begin = SampleAreaEnd();
    const uint64_t end = begin + uint64_t{kRawSampleSize} * samples.size();
    if (n >= 0xFFFF || end > TocAddress(n + 1)) return false;
    for (std::size_t k = 0; k < samples.size(); ++k)
        EncodeRawSample(samples[k], memory_.data() + begin + kRawSampleSize * k);
    TocEntry entry{ToBcd(start.second),       ToBcd(start.minute), ToBcd(start.hour),
                   ToBcd(start.day),          ToBcd(start.month),  ToBcd(start.year - 2000),
                   static_cast<uint32_t>(end)};
    EncodeTocEntry(entry, memory_.data() + TocAddress(n + 1));
    SetFileCount(n + 1);
    return true;
}

void Meter::EraseLog() {
    std::fill(memory_.begin() + static_cast<long>(SettingsLength()), memory_.end(), kErasedByte);
    SetFileCount(0);
}

void Meter::SetClock(const DateTime& time, uint8_t fourthByte) {
    clock_ = ToSysSeconds(time);
    clockFraction_ = std::chrono::milliseconds{0};
    fourth_ = fourthByte;
}

DateTime Meter::Clock() const { return FromSysSeconds(clock_); }

void Meter::Advance(std::chrono::milliseconds elapsed) {
    if (elapsed.count() <= 0) return;
    clockFraction_ += elapsed;
    const auto whole = std::chrono::duration_cast<std::chrono::seconds>(clockFraction_);
    clock_ += whole;
    clockFraction_ -= whole;
    if (!live_) return;
    const std::chrono::milliseconds interval{IntervalMsFromCode(Settings().rateCode)};
    liveElapsed_ += elapsed;
    while (liveDue_ + interval <= liveElapsed_) {
        liveDue_ += interval;
        liveBuffer_.push_back(liveSource_(static_cast<double>(liveDue_.count()) / 1000.0));
        if (liveBuffer_.size() > kMaxLiveSamples) liveBuffer_.pop_front();
    }
}

int Meter::Control(int requestType, int request, int value, int index, uint8_t* data, int length) {
    const RequestSpec* known = FindRequest(request);
    if (known == nullptr || length < 0) return -EPIPE;
    if (requestType == kRequestTypeIn && known->in) return In(request, value, index, data, length);
    if (requestType == kRequestTypeOut && !known->in) return Out(request, value, index, length);
    return -EPIPE;
}

int Meter::Reply(uint8_t* data, int length, std::span<const uint8_t> reply) const {
    const int n = std::min(length, static_cast<int>(reply.size()));
    if (n > 0 && data == nullptr) return -EFAULT;
    std::copy_n(reply.begin(), n, data);
    return n;
}

int Meter::In(int request, int value, int index, uint8_t* data, int length) {
    switch (request) {
        case REQ_GET_ERROR_CODE:
            return Reply(data, length, std::array<uint8_t, 1>{errorCode_});
        case REQ_GET_CLOCK_CONFIG:
            return Reply(data, length, clockConfig_);
        case REQ_GET_LIVE_SAMPLES: {
            std::array<uint8_t, kLiveBlockLength> block{};
            const std::size_t room =
                length > 0 ? static_cast<std::size_t>(length - 1) / kRawSampleSize : 0;
            const std::size_t n = std::min({liveBuffer_.size(), kMaxLiveSamples, room});
            for (std::size_t k = 0; k < n; ++k)
                EncodeRawSample(liveBuffer_[k], block.data() + 1 + kRawSampleSize * k);
            liveBuffer_.erase(liveBuffer_.begin(), liveBuffer_.begin() + static_cast<long>(n));
            block[0] = static_cast<uint8_t>(kRawSampleSize * n);
            return Reply(data, length, block);
        }
        case REQ_READ_MEMORY: {
            const int chunk = (index >> 8) & 0xFF;
            if (chunk == 0 || chunk > static_cast<int>(kMaxChunk)) return -EPIPE;
            // Seventeen address lines: addresses beyond 128 KiB wrap to the start.
            const uint32_t address =
                ((static_cast<uint32_t>(index & 0xFF) << 16) | (value & 0xFFFF));
            std::array<uint8_t, kMaxChunk> bytes{};
            for (int k = 0; k < chunk; ++k) bytes[k] = memory_[(address + k) % kMemorySize];
            return Reply(data, length, std::span<const uint8_t>(bytes.data(), chunk));
        }
        case REQ_GET_CLOCK: {
            const DateTime t = Clock();
            auto bytes = EncodeClock({t.second, t.minute, t.hour, fourth_, t.day, t.month, t.year});
            bytes[0] |= 0x80;  // the clock chip's oscillator-running flag shares the seconds byte
            return Reply(data, length, bytes);
        }
        case REQ_GET_LOGGER_STATUS: {
            uint8_t status[kLoggerStatusLength];
            EncodeLoggerStatus({FreeMemory(), battery_, Settings().rateCode}, status);
            return Reply(data, length, status);
        }
        case REQ_GET_PRESSURE_ADC: {
            uint8_t adc[2];
            WriteLe16(adc, pressureAdc_);
            return Reply(data, length, adc);
        }
        case REQ_GET_FIRMWARE_VERSION: {
            uint8_t version[2];
            WriteLe16(version, firmware_);
            return Reply(data, length, version);
        }
        default:
            return -EPIPE;
    }
}

int Meter::Out(int request, int value, int index, int length) {
    const uint8_t lo = value & 0xFF, hi = (value >> 8) & 0xFF;
    SettingsBlock s = Settings();
    switch (request) {
        case REQ_SET_AUTO_LOG:
            if (value != 0 && value != 2) return -EPIPE;
            s.state = static_cast<uint8_t>((s.state & ~0x02) | (value == 2 ? 0x02 : 0));
            break;
        case REQ_SET_SAMPLE_RATE:
            s.rateCode = static_cast<uint16_t>(value);
            break;
        case REQ_SET_LIVE_MODE:
            if (value != 0 && value != 1) return -EPIPE;
            // The switch starts or stops the sampling; what waits in the buffer stays until read.
            if (value == 1 && !live_) liveElapsed_ = liveDue_ = std::chrono::milliseconds{0};
            live_ = value == 1;
            return length;
        case REQ_SET_PRESSURE_UNIT:
            if (lo != kPressurePsi && lo != kPressureBar && lo != kPressureMetresWater &&
                lo != kPressureKpa)
                return -EPIPE;
            s.pressureUnit = lo;
            break;
        case REQ_ERASE_LOG:
            EraseLog();
            return length;
        case REQ_SET_CLOCK_TIME: {
            // The chip keeps flag bits above the digits (bit 7 of seconds and minutes, bits 6-7
            // of the hours); they are taken with the time and not checked as digits.
            const uint8_t second = lo & 0x7F, minute = hi & 0x7F, hour = index & 0x3F;
            const uint8_t fourth = (index >> 8) & 0xFF;
            if (!ValidBcd(second, 0, 59) || !ValidBcd(minute, 0, 59) || !ValidBcd(hour, 0, 23))
                return -EPIPE;
            DateTime t = Clock();
            t.second = FromBcd(second);
            t.minute = FromBcd(minute);
            t.hour = FromBcd(hour);
            SetClock(t, fourth);
            return length;
        }
        case REQ_SET_CLOCK_DATE: {
            DateTime t = Clock();
            const uint8_t year = index & 0xFF;
            if (!ValidBcd(lo, 1, 31) || !ValidBcd(hi, 1, 12) || !ValidBcd(year, 0, 99))
                return -EPIPE;
            t.day = FromBcd(lo);
            t.month = FromBcd(hi);
            t.year = 2000 + FromBcd(year);
            if (!IsValidDate(t)) return -EPIPE;
            SetClock(t, fourth_);
            return length;
        }
        case REQ_SET_CLOCK_CONFIG:
            clockConfig_ = {lo, hi};
            return length;
        case REQ_SET_FLOW_ON_THRESHOLD:
            s.flowOnThreshold = static_cast<uint16_t>(value);
            s.flowOnDelay = static_cast<uint16_t>(index);
            break;
        case REQ_SET_FLOW_OFF_THRESHOLD:
            s.flowOffThreshold = static_cast<uint16_t>(value);
            s.flowOffDelay = static_cast<uint16_t>(index);
            break;
        case REQ_SET_MEDIAN_CLAMP:
            s.medianLength = lo;
            s.flowClamp = hi;
            break;
        case REQ_SET_PRESSURE_CALIBRATION:
            s.pressureZero = lo;
            s.pressureFine = hi;
            s.pressureRough = index & 0xFF;
            break;
        default:
            return -EPIPE;
    }
    SetSettings(s);
    return length;
}

}  // namespace sim
