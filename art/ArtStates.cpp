#include "art/ArtStates.h"

#include <algorithm>
#include <cmath>

namespace {

struct Rgba {
    double r = 0, g = 0, b = 0, a = 0;  // straight alpha, 0..1
};

struct PadStyle {
    Rgba fillTop, fillBottom, ring;
};

// The pad behind a hovered picture: a pale glow with a blue ring, the program's highlight colour.
constexpr PadStyle kHoverPad{
    {1.0, 1.0, 1.0, 0.80}, {0.86, 0.92, 0.98, 0.80}, {0.20, 0.50, 0.80, 0.95}};
// The pad behind a pressed picture: sunken, shaded at the top like a key pushed in.
constexpr PadStyle kPressedPad{
    {0.62, 0.60, 0.52, 0.70}, {0.80, 0.78, 0.70, 0.60}, {0.35, 0.40, 0.48, 0.95}};

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

// Signed distance from (x, y) to a rounded rectangle inset by `inset`, negative inside.
double RoundedRectDistance(double x, double y, double w, double h, double inset, double radius) {
    const double hx = w / 2 - inset, hy = h / 2 - inset;
    const double qx = std::abs(x - w / 2) - (hx - radius);
    const double qy = std::abs(y - h / 2) - (hy - radius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

Rgba Over(const Rgba& top, const Rgba& under) {
    const double a = top.a + under.a * (1 - top.a);
    if (a <= 0) return {0, 0, 0, 0};
    auto mix = [&](double t, double u) { return (t * top.a + u * under.a * (1 - top.a)) / a; };
    return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), a};
}

Rgba Pixel(const wxImage& img, int x, int y) {
    if (x < 0 || y < 0 || x >= img.GetWidth() || y >= img.GetHeight()) return {0, 0, 0, 0};
    const double a = img.HasAlpha() ? img.GetAlpha(x, y) / 255.0 : 1.0;
    return {img.GetRed(x, y) / 255.0, img.GetGreen(x, y) / 255.0, img.GetBlue(x, y) / 255.0, a};
}

Rgba Lerp(const Rgba& a, const Rgba& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

// The pad at a pixel: a vertical gradient fill (under the picture) and an antialiased ring at the
// edge (over it, so a picture that fills its whole square still shows the ring).
struct PadPixel {
    Rgba fill, ring;
};
PadPixel PadAt(const PadStyle& s, int x, int y, int w, int h, double ringWidth) {
    const double radius = std::min(w, h) * 0.16;
    // The outer edge lies on the pixel border, so a one-pixel ring is one crisp pixel, not two
    // halves.
    const double d = RoundedRectDistance(x + 0.5, y + 0.5, w, h, 0.0, radius);
    const double cover = Clamp01(0.5 - d);
    if (cover <= 0) return {};
    const double ring = cover - Clamp01(0.5 - (d + ringWidth));
    Rgba fill = Lerp(s.fillTop, s.fillBottom, h > 1 ? double(y) / (h - 1) : 0);
    fill.a *= cover;
    Rgba edge = s.ring;
    edge.a *= ring;
    return {fill, edge};
}

Rgba Shade(Rgba p, double amount) {  // amount > 0 towards white, < 0 towards black
    auto f = [&](double c) { return amount >= 0 ? c + (1 - c) * amount : c * (1 + amount); };
    return {f(p.r), f(p.g), f(p.b), p.a};
}

Rgba Disabled(Rgba p) {
    const double lum = 0.30 * p.r + 0.59 * p.g + 0.11 * p.b;
    // Flatten the contrast towards a light grey so the shape stays readable but clearly inactive.
    const double g = 0.55 + (lum - 0.5) * 0.45;
    return {g, g, g * 0.97, p.a * 0.60};
}

void Store(wxImage& img, int x, int y, const Rgba& p) {
    auto byte = [](double v) { return static_cast<unsigned char>(std::lround(Clamp01(v) * 255)); };
    img.SetRGB(x, y, byte(p.r), byte(p.g), byte(p.b));
    img.SetAlpha(x, y, byte(p.a));
}

}  // namespace

wxImage ApplyArtState(const wxImage& picture, ArtState state, double scale) {
    if (state == ArtState::Normal || !picture.IsOk()) return picture;
    const int w = picture.GetWidth(), h = picture.GetHeight();
    wxImage out(w, h);
    out.InitAlpha();
    // One pixel of ring and press offset at the picture's own size, two on a 2x screen: every
    // button looks alike whatever its size, and 2x looks like 1x, only finer.
    const double unit = std::max(1.0, std::round(scale));
    const int shift = state == ArtState::Pressed ? static_cast<int>(unit) : 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Rgba p = Pixel(picture, x - shift, y - shift);
            Rgba result;
            switch (state) {
                case ArtState::Hover: {
                    const PadPixel pad = PadAt(kHoverPad, x, y, w, h, unit);
                    result = Over(pad.ring, Over(Shade(p, 0.12), pad.fill));
                    break;
                }
                case ArtState::Pressed: {
                    const PadPixel pad = PadAt(kPressedPad, x, y, w, h, unit);
                    result = Over(pad.ring, Over(Shade(p, -0.14), pad.fill));
                    break;
                }
                case ArtState::Disabled:
                    result = Disabled(p);
                    break;
                case ArtState::Normal:
                    result = p;
                    break;
            }
            Store(out, x, y, result);
        }
    }
    return out;
}
