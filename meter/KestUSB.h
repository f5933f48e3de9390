#pragma once
// The only code that touches the USB bus: finds the HVX-2 (04D8:FFFD) and carries every request to
// it as one vendor control transfer through libusb 0.1. The device is opened and closed within each
// operation, so the meter may be unplugged and plugged in again between any two requests.
// Never shows a message: every failure comes back as a status, false, 0 or a null pointer.

#include <cstdint>
#include <string>

#include "meter/LinkFailure.h"
#include "meter/MeterRequests.h"

struct usb_device;
struct usb_dev_handle;

class KestUSB {
public:
    static constexpr int kVendorId = 0x04D8;
    static constexpr int kProductId = 0xFFFD;
    static constexpr unsigned kBufferSize = 223;  // the longest reply, GetLiveSamples

    KestUSB() = default;
    KestUSB(const KestUSB&) = delete;
    KestUSB& operator=(const KestUSB&) = delete;
    virtual ~KestUSB() = default;

    // Replies point into the shared buffer: copy what you need before the next request.
    int GetErrorCode();
    const uint8_t* GetClockConfig();
    bool SetAutoLog(int on);
    bool DownloadSettings(int rateCode, int unitCode);
    bool SetLiveMode(int on);
    bool EraseLog();
    const uint8_t* GetLiveSamples();
    bool ReadMemory(unsigned address, unsigned length, uint8_t* destination);
    const uint8_t* GetClock();
    bool SetClockTime(const uint8_t timeBlock[4]);
    bool SetClockDate(const uint8_t dateBlock[3]);
    bool SetClockConfig(int a, int b);
    bool SetFlowOnThreshold(int threshold, int delaySamples);
    bool SetFlowOffThreshold(int threshold, int delaySamples);
    bool SetMedianClamp(int median, int clamp);
    const uint8_t* GetLoggerStatus();
    bool SetPressureCalibration(int zero, int fine, int rough);
    const uint8_t* GetPressureAdc();
    const uint8_t* GetFirmwareVersion();

    // Why the last operation failed (LINK_OK and no kind after one that succeeded), with
    // libusb's own text. Still silent: callers decide what to show.
    const LinkFailure& LastFailure() const { return failure_; }

private:
    bool FindMeter();
    int Reconfigure();
    LinkStatus ReadRequest(int request, int value, int index, int length, int timeoutMs);
    LinkStatus WriteRequest(int request, int value, int index, int length, int timeoutMs);
    LinkStatus Transfer(int requestType, int request, int value, int index, int length,
                        int timeoutMs);
    LinkStatus Read(MeterRequest code, int value, int index);
    LinkStatus Write(MeterRequest code, int value, int index);
    // One transfer without the retry; the libusb result, or -1 when the meter is absent or closed.
    int Direct(int requestType, int request, int value, int index, int length, int timeoutMs);
    bool Open();
    // Each public operation starts with a clean record; the paths below fill it on failure.
    void Begin() { failure_ = {}; }
    void Fail(LinkStatus status, LinkFailureKind kind, int code, std::string text);
    void FailTransfer(LinkStatus status, int result, int asked);
    bool Search();
    // Another link's search makes libusb free the devices that left the bus, so the remembered
    // device is opened only while libusb still lists it (and it is still a meter).
    bool Listed() const;
    void Close();
    const uint8_t* Reply(LinkStatus status) const { return status == LINK_OK ? buffer_ : nullptr; }

    usb_dev_handle* handle_ = nullptr;
    struct usb_device* device_ = nullptr;
    uint8_t buffer_[kBufferSize + 1] = {};
    LinkFailure failure_;
};
