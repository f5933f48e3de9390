// The libusb 0.1 C interface over the simulated bus. Every function of usb.h is here, so a program
// that loads the simulator in place of libusb never falls through to the real library.

#include <usb.h>

#include <cerrno>

#include "sim/Bus.h"

#ifdef HVX_SIM_PRELOAD
#include "sim/Preload.h"
#define HVX_SIM_ENTRY() sim::PreloadOnce()
#else
#define HVX_SIM_ENTRY() static_cast<void>(0)
#endif

#if defined(_WIN32) && defined(HVX_SIM_PRELOAD)
#define HVX_SIM_EXPORT __declspec(dllexport)
#elif defined(_WIN32)
#define HVX_SIM_EXPORT
#else
#define HVX_SIM_EXPORT __attribute__((visibility("default")))
#endif

namespace {
sim::Bus& TheBus() {
    HVX_SIM_ENTRY();
    return sim::Bus::Instance();
}

int NotSupported(usb_dev_handle* dev) {
    if (!TheBus().IsOpen(dev)) return -EBADF;
    TheBus().SetError("operation not supported by the simulated meter");
    return -EPIPE;
}
}  // namespace

// usb.h declares it outside extern "C"; a global variable's symbol is its plain name either way.
HVX_SIM_EXPORT struct usb_bus* usb_busses = nullptr;

extern "C" {

HVX_SIM_EXPORT void usb_init(void) { TheBus(); }
HVX_SIM_EXPORT void usb_set_debug(int) {}
HVX_SIM_EXPORT int usb_find_busses(void) { return TheBus().FindBusses(); }
HVX_SIM_EXPORT int usb_find_devices(void) { return TheBus().FindDevices(); }
HVX_SIM_EXPORT struct usb_bus* usb_get_busses(void) { return TheBus().Busses(); }
HVX_SIM_EXPORT char* usb_strerror(void) { return const_cast<char*>(TheBus().LastError()); }

HVX_SIM_EXPORT usb_dev_handle* usb_open(struct usb_device* dev) { return TheBus().Open(dev); }
HVX_SIM_EXPORT int usb_close(usb_dev_handle* dev) { return TheBus().Close(dev); }
HVX_SIM_EXPORT struct usb_device* usb_device(usb_dev_handle* dev) { return TheBus().DeviceOf(dev); }

HVX_SIM_EXPORT int usb_control_msg(usb_dev_handle* dev, int requesttype, int request, int value,
                                   int index, char* bytes, int size, int timeout) {
    return TheBus().ControlMsg(dev, requesttype, request, value, index, bytes, size, timeout);
}

HVX_SIM_EXPORT int usb_set_configuration(usb_dev_handle* dev, int configuration) {
    return TheBus().SetConfiguration(dev, configuration);
}

HVX_SIM_EXPORT int usb_claim_interface(usb_dev_handle* dev, int interface) {
    if (!TheBus().IsOpen(dev)) return -EBADF;
    return interface == 0 ? 0 : -EINVAL;
}
HVX_SIM_EXPORT int usb_release_interface(usb_dev_handle* dev, int interface) {
    return usb_claim_interface(dev, interface);
}
HVX_SIM_EXPORT int usb_set_altinterface(usb_dev_handle* dev, int alternate) {
    if (!TheBus().IsOpen(dev)) return -EBADF;
    return alternate == 0 ? 0 : -EINVAL;
}
HVX_SIM_EXPORT int usb_resetep(usb_dev_handle* dev, unsigned int) {
    return TheBus().IsOpen(dev) ? 0 : -EBADF;
}
HVX_SIM_EXPORT int usb_clear_halt(usb_dev_handle* dev, unsigned int) {
    return TheBus().IsOpen(dev) ? 0 : -EBADF;
}
HVX_SIM_EXPORT int usb_reset(usb_dev_handle* dev) { return TheBus().IsOpen(dev) ? 0 : -EBADF; }

HVX_SIM_EXPORT int usb_get_string(usb_dev_handle* dev, int, int, char*, size_t) {
    return NotSupported(dev);
}
HVX_SIM_EXPORT int usb_get_string_simple(usb_dev_handle* dev, int index, char* buf, size_t buflen) {
    return TheBus().GetStringSimple(dev, index, buf, buflen);
}
HVX_SIM_EXPORT int usb_get_descriptor_by_endpoint(usb_dev_handle* dev, int, unsigned char,
                                                  unsigned char, void*, int) {
    return NotSupported(dev);
}
HVX_SIM_EXPORT int usb_get_descriptor(usb_dev_handle* dev, unsigned char, unsigned char, void*,
                                      int) {
    return NotSupported(dev);
}

// The meter has only its control pipe.
HVX_SIM_EXPORT int usb_bulk_write(usb_dev_handle* dev, int, const char*, int, int) {
    return NotSupported(dev);
}
HVX_SIM_EXPORT int usb_bulk_read(usb_dev_handle* dev, int, char*, int, int) {
    return NotSupported(dev);
}
HVX_SIM_EXPORT int usb_interrupt_write(usb_dev_handle* dev, int, const char*, int, int) {
    return NotSupported(dev);
}
HVX_SIM_EXPORT int usb_interrupt_read(usb_dev_handle* dev, int, char*, int, int) {
    return NotSupported(dev);
}

HVX_SIM_EXPORT int usb_get_driver_np(usb_dev_handle* dev, int, char*, unsigned int) {
    return TheBus().IsOpen(dev) ? -ENODATA : -EBADF;
}
HVX_SIM_EXPORT int usb_detach_kernel_driver_np(usb_dev_handle* dev, int) {
    return TheBus().IsOpen(dev) ? -ENODATA : -EBADF;
}

}  // extern "C"
