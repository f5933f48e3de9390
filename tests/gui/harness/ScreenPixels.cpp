#include "tests/gui/harness/ScreenPixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

namespace guitest {

namespace {

// The share of a channel's mask that a pixel value holds, as 0..255.
unsigned char Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1ul) == 0) ++shift;
    const unsigned long max = mask >> shift;
    return static_cast<unsigned char>(((pixel & mask) >> shift) * 255ul / max);
}

}  // namespace

wxImage ScreenPixels(const wxRect& r) {
    if (r.width <= 0 || r.height <= 0) return {};
    std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
    if (!display) return {};
    XSync(display.get(), False);
    const Window root = DefaultRootWindow(display.get());
    // XDestroyImage is a macro.
    auto destroy = [](XImage* i) { XDestroyImage(i); };
    std::unique_ptr<XImage, decltype(destroy)> image(
        XGetImage(display.get(), root, r.x, r.y, unsigned(r.width), unsigned(r.height), AllPlanes,
                  ZPixmap),
        destroy);
    if (!image) return {};
    wxImage out(r.width, r.height);
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
            const unsigned long p = XGetPixel(image.get(), x, y);
            out.SetRGB(x, y, Channel(p, image->red_mask), Channel(p, image->green_mask),
                       Channel(p, image->blue_mask));
        }
    return out;
}

}  // namespace guitest
