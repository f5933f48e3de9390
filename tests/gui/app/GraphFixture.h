#pragma once
// Helpers for the graph tests: records made the way a download makes them, pictures compared by
// their pixels, and the plot's layers in painting order.
#include <wx/bitmap.h>
#include <wx/image.h>

#include <cstring>
#include <vector>

#include "app/MainFrame.h"
#include "data/Storage.h"
#include "plot/mpLayer.h"
#include "plot/mpWindow.h"

inline bool SamePixels(const wxBitmap& a, const wxBitmap& b) {
    if (!a.IsOk() || !b.IsOk() || a.GetSize() != b.GetSize()) return false;
    const wxImage ia = a.ConvertToImage(), ib = b.ConvertToImage();
    return std::memcmp(ia.GetData(), ib.GetData(), size_t(ia.GetWidth()) * ia.GetHeight() * 3) == 0;
}

inline std::vector<mpLayer*> PlotLayers(const mpWindow& plot) {
    std::vector<mpLayer*> out;
    for (int i = 0; i < plot.CountLayers(); ++i) out.push_back(plot.GetLayer(i));
    return out;
}

// A record of one sample a second: flow raw 10, 20, ... per minute, pressure raw 30, 40, ...
// calibrated so that raw pressure r reads r / 2 psi before the unit divisor.
inline Storage MakeRecord(const wxString& title, int metric = 1, int flowUnit = 0,
                          std::uint8_t pressureUnit = 'p', int samples = 10) {
    Storage r("7/03/2011 9:05:30", 1000, metric, 0, flowUnit, 1);
    r.title = title;
    r.info = "Idrante 12";
    r.SetPressureScaling(0, 2, 0, pressureUnit);
    r.SetSerial(4321);
    for (int i = 1; i <= samples; ++i) r.AddRawSample(10 * i, 20 + 10 * i);
    return r;
}
