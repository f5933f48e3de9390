#include "meter/KestUSB.h"

#include <usb.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "meter/MemoryLayout.h"
#include "meter/MeterRequests.h"

namespace {

const RequestSpec& Spec(MeterRequest code) { return *FindRequest(code); }

// A transfer fails when libusb reports an error or moves no bytes. Only a memory chunk must
// arrive whole (ReadMemory checks that itself); a shorter reply to another request is kept, with
// its missing tail read as 0.
bool Moved(int result) { return result > 0; }

std::string LibUsbText() {
    const char* text = usb_strerror();
    return text != nullptr ? text : "";
}

}  // namespace

void KestUSB::Fail(LinkStatus status, LinkFailureKind kind, int code, std::string text) {
    failure_ = {status, kind, code, std::move(text)};
}

void KestUSB::FailTransfer(LinkStatus status, int result, int asked) {
    if (result == 0) {
        Fail(status, LinkFailureKind::kTransferFailed, 0, "the meter sent no bytes");
    } else if (result > 0) {
        Fail(
            status, LinkFailureKind::kShortReply, result,
            "the meter sent " + std::to_string(result) + " of " + std::to_string(asked) + " bytes");
    } else {
        // A device that left the bus in the middle of an operation fails its transfers with ENODEV.
        Fail(status,
             result == -ETIMEDOUT ? LinkFailureKind::kTimedOut
             : result == -ENODEV  ? LinkFailureKind::kNoMeter
                                  : LinkFailureKind::kTransferFailed,
             result, LibUsbText());
    }
}

bool KestUSB::Search() {
    if (device_ != nullptr || FindMeter()) return true;
    Fail(LINK_NOT_FOUND, LinkFailureKind::kNoMeter, 0, "no HVX-2 (04d8:fffd) on the USB bus");
    return false;
}

bool KestUSB::FindMeter() {
    handle_ = nullptr;
    usb_init();
    usb_find_busses();
    usb_find_devices();
    for (usb_bus* bus = usb_get_busses(); bus != nullptr; bus = bus->next) {
        for (struct usb_device* dev = bus->devices; dev != nullptr; dev = dev->next) {
            if (dev->descriptor.idVendor != kVendorId || dev->descriptor.idProduct != kProductId)
                continue;
            // A failed open here shows up at the next operation as LINK_OPEN_FAILED.
            if (usb_dev_handle* h = usb_open(dev)) {
                handle_ = h;
                Reconfigure();
                usb_close(h);
                handle_ = nullptr;
            }
            device_ = dev;
            return true;
        }
    }
    return false;
}

int KestUSB::Reconfigure() {
    return usb_control_msg(handle_, kRequestTypeStandardOut, kSetConfiguration, 1, 0, nullptr, 0,
                           kSetConfigurationTimeoutMs);
}

LinkStatus KestUSB::ReadRequest(int request, int value, int index, int length, int timeoutMs) {
    return Transfer(kRequestTypeIn, request, value, index, length, timeoutMs);
}

LinkStatus KestUSB::WriteRequest(int request, int value, int index, int length, int timeoutMs) {
    return Transfer(kRequestTypeOut, request, value, index, length, timeoutMs);
}

LinkStatus KestUSB::Transfer(int requestType, int request, int value, int index, int length,
                             int timeoutMs) {
    Begin();
    if (!Search()) return LINK_NOT_FOUND;
    if (!Open()) return LINK_OPEN_FAILED;
    length = std::clamp(length, 0, static_cast<int>(kBufferSize));
    int result = 0;
    auto send = [&] {
        result = usb_control_msg(handle_, requestType, request, value & 0xFFFF, index & 0xFFFF,
                                 reinterpret_cast<char*>(buffer_), length, timeoutMs);
        // Missing tail bytes read as 0, never as the previous reply's.
        if (requestType == kRequestTypeIn && result > 0 && result < length)
            std::memset(buffer_ + result, 0, static_cast<std::size_t>(length - result));
        return result;
    };
    LinkStatus status = LINK_OK;
    if (!Moved(send())) {
        const int firstResult = result;
        const std::string firstText = LibUsbText();
        if (Reconfigure() < 0) {
            status = LINK_RECONFIGURE_FAILED;
            Fail(status, LinkFailureKind::kReconfigureRefused, firstResult,
                 (firstResult == 0 ? std::string("the meter sent no bytes") : firstText) +
                     "; SET_CONFIGURATION refused: " + LibUsbText());
        } else if (!Moved(send())) {
            status = LINK_RETRY_FAILED;
            FailTransfer(status, result, length);
        }
    }
    Close();
    return status;
}

bool KestUSB::Open() {
    const bool listed = Listed();
    errno = 0;
    handle_ = listed ? usb_open(device_) : nullptr;
    if (handle_ != nullptr) return true;
    const int error = errno;
    const std::string text = listed ? LibUsbText() : "the meter left the USB bus";
    const bool denied = error == EACCES || error == EPERM ||
                        text.find("ermission") != std::string::npos ||
                        text.find("ccess denied") != std::string::npos;
    const bool gone = !listed || error == ENODEV || error == ENOENT;
    Fail(LINK_OPEN_FAILED,
         gone     ? LinkFailureKind::kNoMeter
         : denied ? LinkFailureKind::kPermissionDenied
                  : LinkFailureKind::kOpenFailed,
         error, text);
    device_ = nullptr;
    return false;
}

bool KestUSB::Listed() const {
    for (usb_bus* bus = usb_get_busses(); bus != nullptr; bus = bus->next)
        for (struct usb_device* dev = bus->devices; dev != nullptr; dev = dev->next)
            if (dev == device_)
                return dev->descriptor.idVendor == kVendorId &&
                       dev->descriptor.idProduct == kProductId;
    return false;
}

void KestUSB::Close() {
    if (handle_ != nullptr) usb_close(handle_);
    handle_ = nullptr;
}

int KestUSB::Direct(int requestType, int request, int value, int index, int length, int timeoutMs) {
    Begin();
    if (!Search()) return -1;
    if (!Open()) return -1;
    const int result =
        usb_control_msg(handle_, requestType, request, value & 0xFFFF, index & 0xFFFF,
                        reinterpret_cast<char*>(buffer_), length, timeoutMs);
    if (result < 0) FailTransfer(LINK_TRANSFER_FAILED, result, length);
    Close();
    return result;
}

LinkStatus KestUSB::Read(MeterRequest code, int value, int index) {
    const RequestSpec& s = Spec(code);
    return ReadRequest(s.code, value, index, s.length, s.timeoutMs);
}

LinkStatus KestUSB::Write(MeterRequest code, int value, int index) {
    const RequestSpec& s = Spec(code);
    return WriteRequest(s.code, value, index, s.length, s.timeoutMs);
}

int KestUSB::GetErrorCode() { return Read(REQ_GET_ERROR_CODE, 0, 0) == LINK_OK ? buffer_[0] : 0; }

const uint8_t* KestUSB::GetClockConfig() { return Reply(Read(REQ_GET_CLOCK_CONFIG, 0, 0)); }

bool KestUSB::SetAutoLog(int on) { return Write(REQ_SET_AUTO_LOG, on == 1 ? 2 : 0, 0) == LINK_OK; }

bool KestUSB::DownloadSettings(int rateCode, int unitCode) {
    if (Write(REQ_SET_SAMPLE_RATE, rateCode & 0xFFFF, 0) != LINK_OK) return false;
    return Write(REQ_SET_PRESSURE_UNIT, unitCode & 0xFF, 0) == LINK_OK;
}

bool KestUSB::SetLiveMode(int on) { return Write(REQ_SET_LIVE_MODE, on > 0 ? 1 : 0, 0) == LINK_OK; }

bool KestUSB::EraseLog() { return Write(REQ_ERASE_LOG, 0, 0) == LINK_OK; }

const uint8_t* KestUSB::GetLiveSamples() {
    const RequestSpec& s = Spec(REQ_GET_LIVE_SAMPLES);
    // The count byte must describe this reply, never the previous block: a reply that moves no
    // bytes reads as an empty block, a short one as the whole samples it carried.
    buffer_[0] = 0;
    const int result = Direct(kRequestTypeIn, s.code, 0, 0, s.length, s.timeoutMs);
    if (result < 0) return nullptr;
    const int carried = result > 0 ? (result - 1) / 3 * 3 : 0;
    if (buffer_[0] > carried) buffer_[0] = static_cast<uint8_t>(carried);
    return buffer_;
}

bool KestUSB::ReadMemory(unsigned address, unsigned length, uint8_t* destination) {
    Begin();
    if (length == 0) return true;
    if (destination == nullptr) {
        Fail(LINK_TRANSFER_FAILED, LinkFailureKind::kTransferFailed, 0, "no destination");
        return false;
    }
    if (!Search()) return false;
    if (!Open()) return false;
    const RequestSpec& s = Spec(REQ_READ_MEMORY);
    while (length > 0) {
        const unsigned chunk = std::min(length, kMaxChunk);
        const int value = static_cast<int>(address & 0xFFFF);
        const int index = static_cast<int>((chunk * 256 + (address >> 16)) & 0xFFFF);
        const int result =
            usb_control_msg(handle_, kRequestTypeIn, s.code, value, index,
                            reinterpret_cast<char*>(buffer_), static_cast<int>(chunk), s.timeoutMs);
        // A reply shorter than the chunk would leave stale bytes in the destination.
        if (result < static_cast<int>(chunk)) {
            FailTransfer(LINK_TRANSFER_FAILED, result, static_cast<int>(chunk));
            Close();
            return false;
        }
        std::memcpy(destination, buffer_, chunk);
        destination += chunk;
        address += chunk;
        length -= chunk;
    }
    Close();
    return true;
}

const uint8_t* KestUSB::GetClock() { return Reply(Read(REQ_GET_CLOCK, 0, 0)); }

bool KestUSB::SetClockTime(const uint8_t t[4]) {
    const RequestSpec& s = Spec(REQ_SET_CLOCK_TIME);
    return Direct(kRequestTypeOut, s.code, t[1] * 256 + t[0], t[3] * 256 + t[2], s.length,
                  s.timeoutMs) >= 0;
}

bool KestUSB::SetClockDate(const uint8_t d[3]) {
    const RequestSpec& s = Spec(REQ_SET_CLOCK_DATE);
    return Direct(kRequestTypeOut, s.code, d[1] * 256 + d[0], d[2], s.length, s.timeoutMs) >= 0;
}

bool KestUSB::SetClockConfig(int a, int b) {
    return Write(REQ_SET_CLOCK_CONFIG, (b & 0xFF) * 256 + (a & 0xFF), 0) == LINK_OK;
}

bool KestUSB::SetFlowOnThreshold(int threshold, int delaySamples) {
    return Write(REQ_SET_FLOW_ON_THRESHOLD, threshold & 0xFFFF, delaySamples & 0xFFFF) == LINK_OK;
}

bool KestUSB::SetFlowOffThreshold(int threshold, int delaySamples) {
    return Write(REQ_SET_FLOW_OFF_THRESHOLD, threshold & 0xFFFF, delaySamples & 0xFFFF) == LINK_OK;
}

bool KestUSB::SetMedianClamp(int median, int clamp) {
    return Write(REQ_SET_MEDIAN_CLAMP, (clamp & 0xFF) * 256 + (median & 0xFF), 0) == LINK_OK;
}

const uint8_t* KestUSB::GetLoggerStatus() { return Reply(Read(REQ_GET_LOGGER_STATUS, 0, 0)); }

bool KestUSB::SetPressureCalibration(int zero, int fine, int rough) {
    return Write(REQ_SET_PRESSURE_CALIBRATION, (fine & 0xFF) * 256 + (zero & 0xFF), rough & 0xFF) ==
           LINK_OK;
}

const uint8_t* KestUSB::GetPressureAdc() { return Reply(Read(REQ_GET_PRESSURE_ADC, 0, 0)); }

const uint8_t* KestUSB::GetFirmwareVersion() {
    buffer_[0] = 0;
    buffer_[1] = 0;
    return Reply(Read(REQ_GET_FIRMWARE_VERSION, 0, 0));
}
