// The libusb 0.1 C interface over libusb-1.0, for Windows, where libusb-1.0 reaches the meter
// through WinUSB. Built as a DLL of its own (libusb-0.1.dll) so that the simulated meter, a DLL of
// the same interface, can stand in for it beside the program. Errors are returned as negative errno
// values, as libusb 0.1 does, and described by usb_strerror().

#include <libusb-1.0/libusb.h>
#include <usb.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#define HVX_USB01_EXPORT __declspec(dllexport)

// usb.h names both a struct and a function usb_device.
using UsbDevice = struct usb_device;

struct usb_dev_handle {
    libusb_device_handle* handle;
    struct usb_device* device;
};

namespace {

libusb_context* g_context = nullptr;
bool g_initFailed = false;
std::string g_error;

int Fail(int errnoValue, const char* where, int libusbCode) {
    g_error = std::string(where) + ": " + libusb_strerror(libusbCode);
    if (libusbCode == LIBUSB_ERROR_NOT_SUPPORTED || libusbCode == LIBUSB_ERROR_NOT_FOUND)
        g_error += " (no WinUSB driver is bound to the device)";
    return -errnoValue;
}

int ErrnoOf(int libusbCode) {
    switch (libusbCode) {
        case LIBUSB_ERROR_IO:
            return EIO;
        case LIBUSB_ERROR_INVALID_PARAM:
            return EINVAL;
        case LIBUSB_ERROR_ACCESS:
            return EACCES;
        case LIBUSB_ERROR_NO_DEVICE:
            return ENODEV;
        case LIBUSB_ERROR_NOT_FOUND:
            return ENOENT;
        case LIBUSB_ERROR_BUSY:
            return EBUSY;
        case LIBUSB_ERROR_TIMEOUT:
            return ETIMEDOUT;
        case LIBUSB_ERROR_OVERFLOW:
            return EOVERFLOW;
        case LIBUSB_ERROR_PIPE:
            return EPIPE;
        case LIBUSB_ERROR_INTERRUPTED:
            return EINTR;
        case LIBUSB_ERROR_NO_MEM:
            return ENOMEM;
        case LIBUSB_ERROR_NOT_SUPPORTED:
            return ENOSYS;
        default:
            return EIO;
    }
}

int Result(int libusbResult, const char* where) {
    if (libusbResult >= 0) return libusbResult;
    return Fail(ErrnoOf(libusbResult), where, libusbResult);
}

bool Ready() {
    if (g_context != nullptr) return true;
    if (g_initFailed) return false;
    const int r = libusb_init(&g_context);
    if (r != 0) {
        g_context = nullptr;
        g_initFailed = true;
        Fail(ErrnoOf(r), "libusb_init", r);
        return false;
    }
    return true;
}

struct usb_bus* FindBus(unsigned number) {
    for (usb_bus* bus = usb_busses; bus != nullptr; bus = bus->next)
        if (bus->location == number) return bus;
    return nullptr;
}

void Unlink(struct usb_device*& head, struct usb_device* dev) {
    if (dev->prev != nullptr)
        dev->prev->next = dev->next;
    else
        head = dev->next;
    if (dev->next != nullptr) dev->next->prev = dev->prev;
}

void Append(struct usb_device*& head, struct usb_device* dev) {
    dev->next = nullptr;
    dev->prev = nullptr;
    if (head == nullptr) {
        head = dev;
        return;
    }
    struct usb_device* last = head;
    while (last->next != nullptr) last = last->next;
    last->next = dev;
    dev->prev = last;
}

libusb_device* Native(const struct usb_device* dev) {
    return static_cast<libusb_device*>(dev->dev);
}

void FreeDevice(struct usb_device* dev) {
    libusb_unref_device(Native(dev));
    delete dev;
}

}  // namespace

HVX_USB01_EXPORT struct usb_bus* usb_busses = nullptr;

extern "C" {

HVX_USB01_EXPORT void usb_init(void) { Ready(); }
HVX_USB01_EXPORT void usb_set_debug(int level) {
    if (Ready()) libusb_set_option(g_context, LIBUSB_OPTION_LOG_LEVEL, level);
}
HVX_USB01_EXPORT char* usb_strerror(void) { return const_cast<char*>(g_error.c_str()); }

// One bus per bus number that has a device on it; libusb-1.0 knows buses only through devices.
HVX_USB01_EXPORT int usb_find_busses(void) {
    if (!Ready()) return -EIO;
    libusb_device** list = nullptr;
    const ssize_t n = libusb_get_device_list(g_context, &list);
    if (n < 0) return Result(int(n), "libusb_get_device_list");
    int added = 0;
    for (ssize_t i = 0; i < n; ++i) {
        const unsigned number = libusb_get_bus_number(list[i]);
        if (FindBus(number) != nullptr) continue;
        auto* bus = new usb_bus{};
        std::snprintf(bus->dirname, sizeof bus->dirname, "%03u", number);
        bus->location = number;
        bus->next = usb_busses;
        if (usb_busses != nullptr) usb_busses->prev = bus;
        usb_busses = bus;
        ++added;
    }
    libusb_free_device_list(list, 1);
    return added;
}

// Devices that are gone are freed and devices that are new are added; a device that stays keeps
// its structure, so a pointer to it stays good. Returns the number of changes.
HVX_USB01_EXPORT int usb_find_devices(void) {
    if (!Ready()) return -EIO;
    libusb_device** list = nullptr;
    const ssize_t n = libusb_get_device_list(g_context, &list);
    if (n < 0) return Result(int(n), "libusb_get_device_list");
    int changes = 0;
    for (usb_bus* bus = usb_busses; bus != nullptr; bus = bus->next) {
        for (struct usb_device* dev = bus->devices; dev != nullptr;) {
            struct usb_device* next = dev->next;
            bool present = false;
            for (ssize_t i = 0; i < n && !present; ++i) present = list[i] == Native(dev);
            if (!present) {
                Unlink(bus->devices, dev);
                FreeDevice(dev);
                ++changes;
            }
            dev = next;
        }
    }
    for (ssize_t i = 0; i < n; ++i) {
        usb_bus* bus = FindBus(libusb_get_bus_number(list[i]));
        if (bus == nullptr) continue;  // a bus that usb_find_busses() has not seen yet
        bool known = false;
        for (struct usb_device* dev = bus->devices; dev != nullptr && !known; dev = dev->next)
            known = Native(dev) == list[i];
        if (known) continue;
        libusb_device_descriptor d{};
        if (libusb_get_device_descriptor(list[i], &d) != 0) continue;
        auto* dev = new UsbDevice{};
        dev->bus = bus;
        dev->devnum = libusb_get_device_address(list[i]);
        std::snprintf(dev->filename, sizeof dev->filename, "%03u", unsigned(dev->devnum));
        dev->descriptor.bLength = d.bLength;
        dev->descriptor.bDescriptorType = d.bDescriptorType;
        dev->descriptor.bcdUSB = d.bcdUSB;
        dev->descriptor.bDeviceClass = d.bDeviceClass;
        dev->descriptor.bDeviceSubClass = d.bDeviceSubClass;
        dev->descriptor.bDeviceProtocol = d.bDeviceProtocol;
        dev->descriptor.bMaxPacketSize0 = d.bMaxPacketSize0;
        dev->descriptor.idVendor = d.idVendor;
        dev->descriptor.idProduct = d.idProduct;
        dev->descriptor.bcdDevice = d.bcdDevice;
        dev->descriptor.iManufacturer = d.iManufacturer;
        dev->descriptor.iProduct = d.iProduct;
        dev->descriptor.iSerialNumber = d.iSerialNumber;
        dev->descriptor.bNumConfigurations = d.bNumConfigurations;
        dev->dev = libusb_ref_device(list[i]);
        Append(bus->devices, dev);
        ++changes;
    }
    libusb_free_device_list(list, 1);
    return changes;
}

HVX_USB01_EXPORT struct usb_bus* usb_get_busses(void) { return usb_busses; }

HVX_USB01_EXPORT usb_dev_handle* usb_open(struct usb_device* dev) {
    if (dev == nullptr || !Ready()) return nullptr;
    libusb_device_handle* h = nullptr;
    const int r = libusb_open(Native(dev), &h);
    if (r != 0) {
        Fail(ErrnoOf(r), "libusb_open", r);
        return nullptr;
    }
    return new usb_dev_handle{h, dev};
}

HVX_USB01_EXPORT int usb_close(usb_dev_handle* dev) {
    if (dev == nullptr) return -EBADF;
    libusb_close(dev->handle);
    delete dev;
    return 0;
}

HVX_USB01_EXPORT struct usb_device* usb_device(usb_dev_handle* dev) {
    return dev != nullptr ? dev->device : nullptr;
}

HVX_USB01_EXPORT int usb_control_msg(usb_dev_handle* dev, int requesttype, int request, int value,
                                     int index, char* bytes, int size, int timeout) {
    if (dev == nullptr) return -EBADF;
    return Result(libusb_control_transfer(dev->handle, uint8_t(requesttype), uint8_t(request),
                                          uint16_t(value), uint16_t(index),
                                          reinterpret_cast<unsigned char*>(bytes), uint16_t(size),
                                          unsigned(timeout)),
                  "libusb_control_transfer");
}

HVX_USB01_EXPORT int usb_set_configuration(usb_dev_handle* dev, int configuration) {
    if (dev == nullptr) return -EBADF;
    return Result(libusb_set_configuration(dev->handle, configuration), "libusb_set_configuration");
}
HVX_USB01_EXPORT int usb_claim_interface(usb_dev_handle* dev, int interface) {
    if (dev == nullptr) return -EBADF;
    return Result(libusb_claim_interface(dev->handle, interface), "libusb_claim_interface");
}
HVX_USB01_EXPORT int usb_release_interface(usb_dev_handle* dev, int interface) {
    if (dev == nullptr) return -EBADF;
    return Result(libusb_release_interface(dev->handle, interface), "libusb_release_interface");
}
HVX_USB01_EXPORT int usb_set_altinterface(usb_dev_handle* dev, int alternate) {
    if (dev == nullptr) return -EBADF;
    // libusb 0.1 applies it to the interface last claimed; the meter has only interface 0.
    return Result(libusb_set_interface_alt_setting(dev->handle, 0, alternate),
                  "libusb_set_interface_alt_setting");
}
HVX_USB01_EXPORT int usb_resetep(usb_dev_handle* dev, unsigned int ep) {
    return usb_clear_halt(dev, ep);
}
HVX_USB01_EXPORT int usb_clear_halt(usb_dev_handle* dev, unsigned int ep) {
    if (dev == nullptr) return -EBADF;
    return Result(libusb_clear_halt(dev->handle, uint8_t(ep)), "libusb_clear_halt");
}
HVX_USB01_EXPORT int usb_reset(usb_dev_handle* dev) {
    if (dev == nullptr) return -EBADF;
    return Result(libusb_reset_device(dev->handle), "libusb_reset_device");
}

HVX_USB01_EXPORT int usb_get_string(usb_dev_handle* dev, int index, int langid, char* buf,
                                    size_t buflen) {
    if (dev == nullptr) return -EBADF;
    return Result(libusb_get_string_descriptor(dev->handle, uint8_t(index), uint16_t(langid),
                                               reinterpret_cast<unsigned char*>(buf), int(buflen)),
                  "libusb_get_string_descriptor");
}
HVX_USB01_EXPORT int usb_get_string_simple(usb_dev_handle* dev, int index, char* buf,
                                           size_t buflen) {
    if (dev == nullptr) return -EBADF;
    return Result(
        libusb_get_string_descriptor_ascii(dev->handle, uint8_t(index),
                                           reinterpret_cast<unsigned char*>(buf), int(buflen)),
        "libusb_get_string_descriptor_ascii");
}
HVX_USB01_EXPORT int usb_get_descriptor_by_endpoint(usb_dev_handle* dev, int ep, unsigned char type,
                                                    unsigned char index, void* buf, int size) {
    if (dev == nullptr) return -EBADF;
    return Result(
        libusb_control_transfer(dev->handle, uint8_t(LIBUSB_ENDPOINT_IN | (ep & 0xFF)),
                                LIBUSB_REQUEST_GET_DESCRIPTOR, uint16_t((type << 8) | index), 0,
                                static_cast<unsigned char*>(buf), uint16_t(size), 1000),
        "libusb_control_transfer");
}
HVX_USB01_EXPORT int usb_get_descriptor(usb_dev_handle* dev, unsigned char type,
                                        unsigned char index, void* buf, int size) {
    if (dev == nullptr) return -EBADF;
    return Result(
        libusb_get_descriptor(dev->handle, type, index, static_cast<unsigned char*>(buf), size),
        "libusb_get_descriptor");
}

namespace {
int Bulk(usb_dev_handle* dev, int ep, char* bytes, int size, int timeout, bool interrupt) {
    if (dev == nullptr) return -EBADF;
    int moved = 0;
    const auto data = reinterpret_cast<unsigned char*>(bytes);
    const int r = interrupt ? libusb_interrupt_transfer(dev->handle, uint8_t(ep), data, size,
                                                        &moved, unsigned(timeout))
                            : libusb_bulk_transfer(dev->handle, uint8_t(ep), data, size, &moved,
                                                   unsigned(timeout));
    // A time-out after some bytes still reports them, as libusb 0.1 did.
    if (r == 0 || (r == LIBUSB_ERROR_TIMEOUT && moved > 0)) return moved;
    return Result(r, interrupt ? "libusb_interrupt_transfer" : "libusb_bulk_transfer");
}
}  // namespace

HVX_USB01_EXPORT int usb_bulk_write(usb_dev_handle* dev, int ep, const char* bytes, int size,
                                    int timeout) {
    return Bulk(dev, ep & ~LIBUSB_ENDPOINT_IN, const_cast<char*>(bytes), size, timeout, false);
}
HVX_USB01_EXPORT int usb_bulk_read(usb_dev_handle* dev, int ep, char* bytes, int size,
                                   int timeout) {
    return Bulk(dev, ep | LIBUSB_ENDPOINT_IN, bytes, size, timeout, false);
}
HVX_USB01_EXPORT int usb_interrupt_write(usb_dev_handle* dev, int ep, const char* bytes, int size,
                                         int timeout) {
    return Bulk(dev, ep & ~LIBUSB_ENDPOINT_IN, const_cast<char*>(bytes), size, timeout, true);
}
HVX_USB01_EXPORT int usb_interrupt_read(usb_dev_handle* dev, int ep, char* bytes, int size,
                                        int timeout) {
    return Bulk(dev, ep | LIBUSB_ENDPOINT_IN, bytes, size, timeout, true);
}

// Windows has no kernel drivers to detach: the meter is reached through WinUSB or not at all.
HVX_USB01_EXPORT int usb_get_driver_np(usb_dev_handle* dev, int, char*, unsigned int) {
    return dev == nullptr ? -EBADF : -ENODATA;
}
HVX_USB01_EXPORT int usb_detach_kernel_driver_np(usb_dev_handle* dev, int) {
    return dev == nullptr ? -EBADF : -ENODATA;
}

}  // extern "C"
