#pragma once
// A shown frame holding one mpWindow, and helpers to render it into a bitmap and read pixels back.
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>

#include <functional>

#include "plot/mpLayer.h"
#include "plot/mpWindow.h"
#include "tests/gui/harness/GuiTest.h"

struct PlotFrame {
    explicit PlotFrame(wxSize client = wxSize(600, 300)) {
        frame = new wxFrame(nullptr, wxID_ANY, "plot test");
        plot = new mpWindow(frame, -1, wxDefaultPosition, client, wxSUNKEN_BORDER);
        frame->SetClientSize(client);
        frame->Show();
        guitest::Flush();
    }
    ~PlotFrame() {
        // The layers belong to the test and may be gone already.
        plot->DelAllLayers();
        frame->Destroy();
        guitest::Flush();
    }
    PlotFrame(const PlotFrame&) = delete;
    PlotFrame& operator=(const PlotFrame&) = delete;

    wxImage Render(wxSize size = wxSize(600, 300)) {
        wxBitmap bmp(size.x, size.y, 24);
        {
            wxMemoryDC dc(bmp);
            plot->DrawTo(dc, size);
        }
        return bmp.ConvertToImage();
    }

    void Mouse(wxEventType type, int x, int y, bool left = false, bool right = false) {
        wxMouseEvent e(type);
        e.m_x = x;
        e.m_y = y;
        e.m_leftDown = left;
        e.m_rightDown = right;
        e.SetEventObject(plot);
        plot->GetEventHandler()->ProcessEvent(e);
    }

    void Wheel(int rotation, bool ctrl, bool shift) {
        wxMouseEvent e(wxEVT_MOUSEWHEEL);
        e.m_wheelRotation = rotation;
        e.m_wheelDelta = 120;
        e.m_controlDown = ctrl;
        e.m_shiftDown = shift;
        e.SetEventObject(plot);
        plot->GetEventHandler()->ProcessEvent(e);
    }

    wxFrame* frame = nullptr;
    mpWindow* plot = nullptr;
};

inline wxColour PixelAt(const wxImage& img, int x, int y) {
    return wxColour(img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y));
}

inline bool IsWhite(const wxColour& c) {
    return c.Red() == 255 && c.Green() == 255 && c.Blue() == 255;
}

// Number of pixels in the rectangle that satisfy pred.
inline int CountPixels(const wxImage& img, const wxRect& r,
                       const std::function<bool(const wxColour&)>& pred) {
    int n = 0;
    for (int y = std::max(0, r.y); y < std::min(img.GetHeight(), r.y + r.height); ++y)
        for (int x = std::max(0, r.x); x < std::min(img.GetWidth(), r.x + r.width); ++x)
            if (pred(PixelAt(img, x, y))) ++n;
    return n;
}

// Bounding box of the pixels that satisfy pred (empty rectangle when none).
inline wxRect BoundsOf(const wxImage& img, const std::function<bool(const wxColour&)>& pred) {
    int x0 = img.GetWidth(), y0 = img.GetHeight(), x1 = -1, y1 = -1;
    for (int y = 0; y < img.GetHeight(); ++y)
        for (int x = 0; x < img.GetWidth(); ++x)
            if (pred(PixelAt(img, x, y))) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (x1 < 0) return wxRect();
    return wxRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
}

inline bool IsBlueish(const wxColour& c) {
    return c.Blue() > 200 && c.Red() < 120 && c.Green() < 120;
}
inline bool IsReddish(const wxColour& c) {
    return c.Red() > 200 && c.Blue() < 120 && c.Green() < 120;
}

// Where screen row 0 lands on a page `pageHeight` high at page scale k: the window's centre row
// goes to the page's centre row.
inline double PageTop(const wxImage& screen, int pageHeight, double k) {
    return (pageHeight / 2) - (screen.GetHeight() >> 1) * k;
}

// The share of the screen's pixels of one kind (every second one) that have a pixel of the same
// kind on the page where the page scale puts them, within `slack` page pixels.
inline double ShareFoundOnPage(const wxImage& screen, const wxImage& page, double k, double offsetY,
                               int slack, const std::function<bool(const wxColour&)>& kind) {
    int seen = 0, found = 0;
    for (int y = 0; y < screen.GetHeight(); y += 2)
        for (int x = 0; x < screen.GetWidth(); x += 2) {
            if (!kind(PixelAt(screen, x, y))) continue;
            ++seen;
            const wxRect around(int((x + 0.5) * k) - slack, int((y + 0.5) * k + offsetY) - slack,
                                2 * slack + 1, 2 * slack + 1);
            found += CountPixels(page, around, kind) > 0;
        }
    return seen == 0 ? 0.0 : double(found) / seen;
}
