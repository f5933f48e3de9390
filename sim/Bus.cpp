#include "sim/Bus.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

struct usb_dev_handle {
    struct usb_device* dev;
    sim::Slot* slot;
};

namespace sim {

struct Slot {
    std::unique_ptr<Meter> meter;  // null for a foreign device
    uint16_t vendor = 0;
    uint16_t product = 0;
    int bus = 1;
    int address = 0;
    bool plugged = true;
    struct usb_device* node = nullptr;
};

namespace {

// libusb 0.1's texts for the errors the simulated bus gives, the same on every system (the Windows
// C library has no text for some of these codes).
std::string ErrorText(int err) {
    switch (err) {
        case EPIPE:
            return "Broken pipe";
        case ETIMEDOUT:
            return "Connection timed out";
        case EIO:
            return "Input/output error";
        case ENODEV:
            return "No such device";
        case EBADF:
            return "Bad file descriptor";
        case EINVAL:
            return "Invalid argument";
        default:
            return std::strerror(err);
    }
}

constexpr uint16_t kHubVendor = 0x1D6B;
constexpr uint16_t kHubProduct = 0x0002;

}  // namespace

Bus& Bus::Instance() {
    static Bus bus;
    return bus;
}

Bus::Bus() {
    altsetting_.bLength = USB_DT_INTERFACE_SIZE;
    altsetting_.bDescriptorType = USB_DT_INTERFACE;
    altsetting_.bInterfaceClass = USB_CLASS_VENDOR_SPEC;
    interface_.altsetting = &altsetting_;
    interface_.num_altsetting = 1;
    config_.bLength = USB_DT_CONFIG_SIZE;
    config_.bDescriptorType = USB_DT_CONFIG;
    config_.wTotalLength = USB_DT_CONFIG_SIZE + USB_DT_INTERFACE_SIZE;
    config_.bNumInterfaces = 1;
    config_.bConfigurationValue = 1;
    config_.bmAttributes = 0x80;
    config_.MaxPower = 50;
    config_.interface = &interface_;
}

Bus::~Bus() = default;

void Bus::Reset() {
    handles_.clear();
    live_.clear();
    freed_.insert(listed_.begin(), listed_.end());
    listed_.clear();
    slots_.clear();
    nextAddress_.clear();
    for (usb_bus& b : busNodes_) b.devices = nullptr;
    head_ = nullptr;
    usb_busses = nullptr;
    log_.clear();
    vendorTransfers_ = 0;
    beforeTransfer_ = nullptr;
    openCalls_ = 0;
    staleOpens_ = 0;
    lastError_.clear();
    ClearFaults();
    realTime_ = false;
}

void Bus::ClearFaults() {
    timeoutNext_ = failNext_ = zeroNext_ = shortNext_ = shortBytes_ = refuseConfig_ = failOpen_ =
        unplugAfter_ = 0;
    failResult_ = -EIO;
}

void Bus::EnsureBus(int busNumber) {
    if (nextAddress_.count(busNumber) != 0) return;
    nextAddress_[busNumber] = 1;
    AddSlot(kHubVendor, kHubProduct, busNumber);  // every bus starts with its root hub
}

Slot& Bus::AddSlot(uint16_t vendor, uint16_t product, int busNumber) {
    EnsureBus(busNumber);
    auto slot = std::make_unique<Slot>();
    slot->vendor = vendor;
    slot->product = product;
    slot->bus = busNumber;
    slot->address = nextAddress_[busNumber]++;
    slots_.push_back(std::move(slot));
    return *slots_.back();
}

Meter& Bus::PlugMeter(int busNumber) {
    Slot& slot = AddSlot(kMeterVendor, kMeterProduct, std::max(busNumber, 1));
    slot.meter = std::make_unique<Meter>();
    return *slot.meter;
}

void Bus::PlugForeignDevice(uint16_t vendor, uint16_t product, int busNumber) {
    AddSlot(vendor, product, std::max(busNumber, 1));
}

Slot* Bus::SlotOf(const Meter& meter) const {
    for (const auto& slot : slots_)
        if (slot->meter.get() == &meter) return slot.get();
    return nullptr;
}

void Bus::Unplug(Meter& meter) {
    Slot* slot = SlotOf(meter);
    if (slot == nullptr || !slot->plugged) return;
    slot->plugged = false;
    if (slot->node != nullptr) live_.erase(slot->node);
    slot->node = nullptr;
}

void Bus::Replug(Meter& meter, int busNumber) {
    Slot* slot = SlotOf(meter);
    if (slot == nullptr) return;
    if (slot->plugged) Unplug(meter);
    if (busNumber > 0) slot->bus = busNumber;
    EnsureBus(slot->bus);
    slot->address = nextAddress_[slot->bus]++;
    slot->plugged = true;
}

bool Bus::IsPlugged(const Meter& meter) const {
    const Slot* slot = SlotOf(meter);
    return slot != nullptr && slot->plugged;
}

int Bus::AddressOf(const Meter& meter) const {
    const Slot* slot = SlotOf(meter);
    return slot != nullptr ? slot->address : 0;
}

int Bus::BusOf(const Meter& meter) const {
    const Slot* slot = SlotOf(meter);
    return slot != nullptr ? slot->bus : 0;
}

void Bus::TimeOutNextTransfers(int count) { timeoutNext_ = count; }
void Bus::FailNextTransfers(int count, int result) {
    failNext_ = count;
    failResult_ = result < 0 ? result : -EIO;
}
void Bus::ZeroByteNextTransfers(int count) { zeroNext_ = count; }
void Bus::ShortReplyNextTransfers(int count, int bytes) {
    shortNext_ = count;
    shortBytes_ = std::max(bytes, 0);
}
void Bus::RefuseSetConfiguration(int count) { refuseConfig_ = count; }
void Bus::FailNextOpens(int count) { failOpen_ = count; }
void Bus::UnplugAfterTransfers(int count) { unplugAfter_ = count; }

void Bus::Advance(std::chrono::milliseconds elapsed) {
    for (const auto& slot : slots_)
        if (slot->meter) slot->meter->Advance(elapsed);
}

void Bus::FollowRealTime(bool on) {
    realTime_ = on;
    lastSync_ = std::chrono::steady_clock::now();
}

void Bus::SyncRealTime() {
    if (!realTime_) return;
    const auto now = std::chrono::steady_clock::now();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastSync_);
    lastSync_ += elapsed;
    Advance(elapsed);
}

int Bus::FindBusses() {
    SyncRealTime();
    int added = 0;
    std::vector<usb_bus*> before;
    for (usb_bus* b = head_; b != nullptr; b = b->next) before.push_back(b);
    usb_bus* prev = nullptr;
    head_ = nullptr;
    for (const auto& [number, next] : nextAddress_) {
        usb_bus* node = nullptr;
        for (usb_bus& b : busNodes_)
            if (b.location == static_cast<uint32_t>(number)) node = &b;
        if (node == nullptr) {
            node = &busNodes_.emplace_back();
            std::snprintf(node->dirname, sizeof node->dirname, "%03d", number);
            node->location = static_cast<uint32_t>(number);
        }
        if (std::find(before.begin(), before.end(), node) == before.end()) ++added;
        node->prev = prev;
        node->next = nullptr;
        if (prev != nullptr)
            prev->next = node;
        else
            head_ = node;
        prev = node;
    }
    usb_busses = head_;
    return added;
}

int Bus::FindDevices() {
    SyncRealTime();
    int changes = 0;
    for (usb_bus* b = head_; b != nullptr; b = b->next) {
        std::vector<Slot*> present;
        for (const auto& slot : slots_)
            if (slot->plugged && slot->bus == static_cast<int>(b->location))
                present.push_back(slot.get());
        std::sort(present.begin(), present.end(),
                  [](Slot* x, Slot* y) { return x->address < y->address; });
        for (struct usb_device* d = b->devices; d != nullptr; d = d->next)
            if (live_.count(d) == 0) ++changes;
        struct usb_device* prev = nullptr;
        b->devices = nullptr;
        b->root_dev = nullptr;
        for (Slot* slot : present) {
            if (slot->node == nullptr) {
                struct usb_device& d = deviceNodes_.emplace_back();
                std::snprintf(d.filename, sizeof d.filename, "%03d", slot->address);
                d.bus = b;
                d.descriptor.bLength = USB_DT_DEVICE_SIZE;
                d.descriptor.bDescriptorType = USB_DT_DEVICE;
                d.descriptor.bcdUSB = 0x0200;
                d.descriptor.bDeviceClass = slot->meter ? USB_CLASS_VENDOR_SPEC : USB_CLASS_HUB;
                d.descriptor.bMaxPacketSize0 = slot->meter ? 8 : 64;
                d.descriptor.idVendor = slot->vendor;
                d.descriptor.idProduct = slot->product;
                d.descriptor.bcdDevice = slot->meter ? slot->meter->FirmwareVersion() : 0x0100;
                d.descriptor.iManufacturer = slot->meter ? 1 : 0;
                d.descriptor.iProduct = slot->meter ? 2 : 0;
                d.descriptor.bNumConfigurations = 1;
                d.config = &config_;
                d.devnum = static_cast<uint8_t>(slot->address);
                slot->node = &d;
                live_[&d] = slot;
                ++changes;
            }
            slot->node->prev = prev;
            slot->node->next = nullptr;
            if (prev != nullptr)
                prev->next = slot->node;
            else
                b->devices = slot->node;
            if (slot->address == 1) b->root_dev = slot->node;
            prev = slot->node;
        }
    }
    std::set<const struct usb_device*> listed;
    for (usb_bus* b = head_; b != nullptr; b = b->next)
        for (struct usb_device* d = b->devices; d != nullptr; d = d->next) listed.insert(d);
    for (const struct usb_device* d : listed_)
        if (listed.count(d) == 0) freed_.insert(d);
    listed_ = std::move(listed);
    return changes;
}

usb_dev_handle* Bus::Open(struct usb_device* dev) {
    SyncRealTime();
    if (freed_.count(dev) != 0) {
        ++staleOpens_;
        lastError_ = "could not open device: the device structure was freed";
        return nullptr;
    }
    auto it = live_.find(dev);
    if (it == live_.end() || !it->second->plugged) {
        errno = ENODEV;
        lastError_ = "could not open device: No such device";
        return nullptr;
    }
    if (failOpen_ > 0) {
        --failOpen_;
        // As libusb does when the device node is not the user's.
        errno = EACCES;
        lastError_ = "could not open device: Permission denied";
        return nullptr;
    }
    auto handle = std::make_unique<usb_dev_handle>(usb_dev_handle{dev, it->second});
    usb_dev_handle* raw = handle.get();
    handles_[raw] = std::move(handle);
    ++openCalls_;
    return raw;
}

int Bus::Close(usb_dev_handle* handle) {
    if (handles_.erase(handle) == 0) return -EBADF;
    return 0;
}

struct usb_device* Bus::DeviceOf(usb_dev_handle* handle) const {
    auto it = handles_.find(handle);
    return it == handles_.end() ? nullptr : it->second->dev;
}

int Bus::SetConfiguration(usb_dev_handle* handle, int configuration) {
    return ControlMsg(handle, 0x00, USB_REQ_SET_CONFIGURATION, configuration, 0, nullptr, 0, 0);
}

int Bus::ControlMsg(usb_dev_handle* handle, int requestType, int request, int value, int index,
                    char* bytes, int size, int timeout) {
    SyncRealTime();
    auto it = handles_.find(handle);
    if (it == handles_.end()) {
        lastError_ = "error sending control message: Bad file descriptor";
        return -EBADF;
    }
    Slot& slot = *it->second->slot;
    TransferRecord rec{slot.bus, slot.address, requestType, request, value,
                       index,    size,         timeout,     0};
    if (!slot.plugged || live_.count(it->second->dev) == 0) {
        rec.result = -ENODEV;
    } else if ((requestType & 0x60) == 0) {
        const bool setConfig = requestType == 0x00 && request == USB_REQ_SET_CONFIGURATION;
        if (!setConfig || value != 1) {
            rec.result = -EPIPE;
        } else if (refuseConfig_ > 0) {
            --refuseConfig_;
            rec.result = -EPIPE;
        } else {
            rec.result = 0;
        }
    } else {
        rec.result = VendorTransfer(slot, requestType, request, value, index, bytes, size, timeout);
    }
    if (rec.result < 0) lastError_ = "error sending control message: " + ErrorText(-rec.result);
    log_.push_back(rec);
    return rec.result;
}

int Bus::VendorTransfer(Slot& slot, int requestType, int request, int value, int index, char* bytes,
                        int size, int timeout) {
    if (beforeTransfer_) beforeTransfer_(vendorTransfers_);
    ++vendorTransfers_;
    int result;
    if (timeoutNext_ > 0) {
        --timeoutNext_;
        Advance(std::chrono::milliseconds{std::max(timeout, 0)});
        result = -ETIMEDOUT;
    } else if (failNext_ > 0) {
        --failNext_;
        result = failResult_;
    } else if (zeroNext_ > 0) {
        --zeroNext_;
        result = 0;
    } else if (!slot.meter) {
        result = -EPIPE;
    } else if (size < 0 || (size > 0 && bytes == nullptr)) {
        result = -EINVAL;
    } else {
        // Replies land in a scratch buffer first, so a short reply leaves the rest untouched.
        std::vector<uint8_t> scratch(static_cast<std::size_t>(size));
        if ((requestType & USB_ENDPOINT_IN) == 0 && size > 0)
            std::memcpy(scratch.data(), bytes, scratch.size());
        result = slot.meter->Control(requestType, request, value, index, scratch.data(), size);
        if (result > 0 && shortNext_ > 0) {
            --shortNext_;
            result = std::min(result, shortBytes_);
        }
        if (result > 0 && (requestType & USB_ENDPOINT_IN) != 0)
            std::memcpy(bytes, scratch.data(), static_cast<std::size_t>(result));
    }
    if (unplugAfter_ > 0 && --unplugAfter_ == 0) {
        slot.plugged = false;
        if (slot.node != nullptr) live_.erase(slot.node);
        slot.node = nullptr;
    }
    return result;
}

int Bus::GetStringSimple(usb_dev_handle* handle, int index, char* buf, std::size_t buflen) {
    auto it = handles_.find(handle);
    if (it == handles_.end()) return -EBADF;
    if (buf == nullptr || buflen == 0) return -EINVAL;
    const Slot& slot = *it->second->slot;
    const char* text = nullptr;
    if (slot.meter && index == 1) text = "HVX";
    if (slot.meter && index == 2) text = "HVX-2";
    if (text == nullptr) return -EPIPE;
    std::snprintf(buf, buflen, "%s", text);
    return static_cast<int>(std::strlen(buf));
}

}  // namespace sim
