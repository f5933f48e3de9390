#pragma once
// The simulated USB bus that the sim's usb_* functions read: buses with their root hubs, meters and
// foreign devices that tests plug and unplug, a log of every control transfer, fault injection and
// an explicit clock. One global instance; Reset() between tests.
//
// Like libusb 0.1, the usb_bus/usb_device lists change only in usb_find_busses/usb_find_devices.
// Device structures are never freed while the program runs, so a link that still holds one after
// an unplug or a Reset gets a failed open, never a dangling pointer; opening one that the real
// library would have freed by then is counted (StaleDeviceOpens).

#include <usb.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "sim/Meter.h"

namespace sim {

constexpr uint16_t kMeterVendor = 0x04D8;
constexpr uint16_t kMeterProduct = 0xFFFD;

struct TransferRecord {
    int bus = 0;
    int address = 0;
    int requestType = 0;
    int request = 0;
    int value = 0;
    int index = 0;
    int length = 0;
    int timeout = 0;
    int result = 0;
};

struct Slot;

class Bus {
public:
    static Bus& Instance();

    // Removes every device, fault, log entry and open handle; the clock goes back to manual.
    void Reset();

    // A new meter at the next free address of the bus (bus numbers from 1).
    Meter& PlugMeter(int busNumber = 1);
    // Plugs a meter back after Unplug, at a new address; busNumber 0 keeps its bus.
    void Replug(Meter& meter, int busNumber = 0);
    void Unplug(Meter& meter);
    void PlugForeignDevice(uint16_t vendor, uint16_t product, int busNumber = 1);
    bool IsPlugged(const Meter& meter) const;
    int AddressOf(const Meter& meter) const;
    int BusOf(const Meter& meter) const;

    // Faults apply to the meters' vendor transfers, in this order: time-out, failure, no bytes,
    // short reply. SET_CONFIGURATION has its own refusal.
    void TimeOutNextTransfers(int count);
    void FailNextTransfers(int count, int result = -5 /* -EIO */);
    void ZeroByteNextTransfers(int count);
    void ShortReplyNextTransfers(int count, int bytes);
    void RefuseSetConfiguration(int count);
    void FailNextOpens(int count);
    // The device that carries the count-th vendor transfer from now is unplugged right after it.
    void UnplugAfterTransfers(int count);
    void ClearFaults();

    const std::vector<TransferRecord>& Transfers() const { return log_; }
    void ClearTransfers() {
        log_.clear();
        vendorTransfers_ = 0;
    }
    // Called just before each vendor transfer with its number, from 0, since the last Reset or
    // ClearTransfers; it may arm a fault for that very transfer.
    void BeforeVendorTransfer(std::function<void(int)> hook) { beforeTransfer_ = std::move(hook); }
    int OpenHandles() const { return static_cast<int>(handles_.size()); }
    int OpenCalls() const { return openCalls_; }
    // usb_open calls on a device that a later usb_find_devices dropped from the list: the real
    // library has freed that structure by then, so each one is a use after free there.
    int StaleDeviceOpens() const { return staleOpens_; }

    // Moves every meter's clock; in real-time mode libusb calls move it by the wall clock.
    void Advance(std::chrono::milliseconds elapsed);
    void FollowRealTime(bool on);

    // The libusb 0.1 side.
    int FindBusses();
    int FindDevices();
    usb_bus* Busses() const { return head_; }
    usb_dev_handle* Open(struct usb_device* dev);
    int Close(usb_dev_handle* handle);
    int ControlMsg(usb_dev_handle* handle, int requestType, int request, int value, int index,
                   char* bytes, int size, int timeout);
    int SetConfiguration(usb_dev_handle* handle, int configuration);
    int GetStringSimple(usb_dev_handle* handle, int index, char* buf, std::size_t buflen);
    bool IsOpen(usb_dev_handle* handle) const { return handles_.count(handle) != 0; }
    struct usb_device* DeviceOf(usb_dev_handle* handle) const;
    const char* LastError() const { return lastError_.c_str(); }
    void SetError(const std::string& text) { lastError_ = text; }

    Bus(const Bus&) = delete;
    Bus& operator=(const Bus&) = delete;
    ~Bus();

private:
    Bus();
    Slot& AddSlot(uint16_t vendor, uint16_t product, int busNumber);
    Slot* SlotOf(const Meter& meter) const;
    void EnsureBus(int busNumber);
    void SyncRealTime();
    int VendorTransfer(Slot& slot, int requestType, int request, int value, int index, char* bytes,
                       int size, int timeout);

    std::vector<std::unique_ptr<Slot>> slots_;
    std::map<int, int> nextAddress_;  // per bus
    std::deque<usb_bus> busNodes_;
    std::deque<struct usb_device> deviceNodes_;
    std::map<const struct usb_device*, Slot*> live_;  // nodes that still lead to a device
    std::set<const struct usb_device*> listed_;       // nodes in the lists of the last search
    std::set<const struct usb_device*> freed_;        // nodes libusb would have freed
    std::map<usb_dev_handle*, std::unique_ptr<usb_dev_handle>> handles_;
    usb_bus* head_ = nullptr;
    std::vector<TransferRecord> log_;
    int openCalls_ = 0;
    int vendorTransfers_ = 0;
    std::function<void(int)> beforeTransfer_;
    int staleOpens_ = 0;
    std::string lastError_;
    int timeoutNext_ = 0, failNext_ = 0, failResult_ = -5, zeroNext_ = 0, shortNext_ = 0,
        shortBytes_ = 0, refuseConfig_ = 0, failOpen_ = 0, unplugAfter_ = 0;
    bool realTime_ = false;
    std::chrono::steady_clock::time_point lastSync_{};
    usb_config_descriptor config_{};
    usb_interface interface_{};
    usb_interface_descriptor altsetting_{};
};

}  // namespace sim
