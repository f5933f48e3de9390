#pragma once
// Pixel statistics of rendered pictures, shared by the art tests.

#include <wx/bitmap.h>
#include <wx/image.h>

#include <algorithm>
#include <cstdlib>
#include <set>

struct PixelStats {
    int visible = 0;       // pixels with alpha above 32
    int colours = 0;       // distinct colours among visible pixels (quantised to 4 bits a channel)
    double luminance = 0;  // mean luminance of visible pixels, 0..255
    double maxChroma = 0;  // largest max(r,g,b) - min(r,g,b) among visible pixels
    double alphaSum = 0;   // sum of alpha over the whole picture, 0..1 per pixel
};

inline wxImage WithAlpha(const wxBitmap& bmp) {
    wxImage img = bmp.ConvertToImage();
    if (!img.HasAlpha()) img.InitAlpha();
    return img;
}

inline PixelStats Measure(const wxImage& img) {
    PixelStats s;
    std::set<int> colours;
    double lum = 0;
    for (int y = 0; y < img.GetHeight(); ++y) {
        for (int x = 0; x < img.GetWidth(); ++x) {
            const int a = img.GetAlpha(x, y);
            s.alphaSum += a / 255.0;
            if (a <= 32) continue;
            const int r = img.GetRed(x, y), g = img.GetGreen(x, y), b = img.GetBlue(x, y);
            ++s.visible;
            colours.insert((r >> 4) << 8 | (g >> 4) << 4 | (b >> 4));
            lum += 0.30 * r + 0.59 * g + 0.11 * b;
            s.maxChroma = std::max<double>(s.maxChroma, std::max({r, g, b}) - std::min({r, g, b}));
        }
    }
    s.colours = static_cast<int>(colours.size());
    s.luminance = s.visible ? lum / s.visible : 0;
    return s;
}

// Number of pixels whose colour or alpha differs by more than `tolerance` in some channel.
inline int DifferingPixels(const wxImage& a, const wxImage& b, int tolerance = 8) {
    int n = 0;
    for (int y = 0; y < a.GetHeight(); ++y)
        for (int x = 0; x < a.GetWidth(); ++x) {
            if (a.GetAlpha(x, y) <= tolerance && b.GetAlpha(x, y) <= tolerance) continue;
            if (std::abs(a.GetRed(x, y) - b.GetRed(x, y)) > tolerance ||
                std::abs(a.GetGreen(x, y) - b.GetGreen(x, y)) > tolerance ||
                std::abs(a.GetBlue(x, y) - b.GetBlue(x, y)) > tolerance ||
                std::abs(a.GetAlpha(x, y) - b.GetAlpha(x, y)) > tolerance)
                ++n;
        }
    return n;
}
