#pragma once
// The meter's vendor request set, one table for the link and the simulated meter alike.

#include <cstdint>

enum MeterRequest : uint8_t {
    REQ_GET_ERROR_CODE = 1,
    REQ_GET_CLOCK_CONFIG = 2,
    REQ_SET_AUTO_LOG = 3,
    REQ_SET_SAMPLE_RATE = 4,
    REQ_SET_LIVE_MODE = 5,
    REQ_SET_PRESSURE_UNIT = 12,
    REQ_ERASE_LOG = 13,
    REQ_GET_LIVE_SAMPLES = 21,
    REQ_READ_MEMORY = 23,
    REQ_GET_CLOCK = 26,
    REQ_SET_CLOCK_TIME = 27,
    REQ_SET_CLOCK_DATE = 28,
    REQ_SET_CLOCK_CONFIG = 29,
    REQ_SET_FLOW_ON_THRESHOLD = 30,
    REQ_SET_FLOW_OFF_THRESHOLD = 31,
    REQ_SET_MEDIAN_CLAMP = 33,
    REQ_GET_LOGGER_STATUS = 34,
    REQ_SET_PRESSURE_CALIBRATION = 35,
    REQ_GET_PRESSURE_ADC = 37,
    REQ_GET_FIRMWARE_VERSION = 41,
};

constexpr int kRequestTypeIn = 0xC0;   // vendor, device recipient, device to host
constexpr int kRequestTypeOut = 0x40;  // vendor, device recipient, host to device
constexpr int kRequestTypeStandardOut = 0x00;
constexpr int kSetConfiguration = 9;
constexpr int kSetConfigurationTimeoutMs = 100;

struct RequestSpec {
    MeterRequest code;
    bool in;
    uint16_t length;  // wLength; ReadMemory's is the chunk length, at most 128
    uint16_t timeoutMs;
};

constexpr RequestSpec kRequestTable[] = {
    {REQ_GET_ERROR_CODE, true, 1, 500},
    {REQ_GET_CLOCK_CONFIG, true, 2, 100},
    {REQ_SET_AUTO_LOG, false, 1, 500},
    {REQ_SET_SAMPLE_RATE, false, 1, 500},
    {REQ_SET_LIVE_MODE, false, 1, 500},
    {REQ_SET_PRESSURE_UNIT, false, 1, 500},
    {REQ_ERASE_LOG, false, 1, 500},
    {REQ_GET_LIVE_SAMPLES, true, 223, 100},
    {REQ_READ_MEMORY, true, 128, 1000},
    {REQ_GET_CLOCK, true, 8, 500},
    {REQ_SET_CLOCK_TIME, false, 4, 500},
    {REQ_SET_CLOCK_DATE, false, 4, 500},
    {REQ_SET_CLOCK_CONFIG, false, 2, 100},
    {REQ_SET_FLOW_ON_THRESHOLD, false, 4, 500},
    {REQ_SET_FLOW_OFF_THRESHOLD, false, 4, 500},
    {REQ_SET_MEDIAN_CLAMP, false, 2, 500},
    {REQ_GET_LOGGER_STATUS, true, 7, 500},
    {REQ_SET_PRESSURE_CALIBRATION, false, 3, 500},
    {REQ_GET_PRESSURE_ADC, true, 2, 500},
    {REQ_GET_FIRMWARE_VERSION, true, 2, 500},
};

// nullptr for a code the meter does not know.
constexpr const RequestSpec* FindRequest(int code) {
    for (const RequestSpec& entry : kRequestTable)
        if (entry.code == code) return &entry;
    return nullptr;
}
