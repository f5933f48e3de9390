#include <wx/dcmemory.h>
#include <wx/font.h>
#include <wx/graphics.h>

#include <algorithm>
#include <memory>

#include "art/Art.h"

namespace {

constexpr int kSplashWidth = 640;
constexpr int kSplashHeight = 540;

void DrawCentred(wxGraphicsContext& gc, const wxString& text, double y) {
    double tw = 0, th = 0;
    gc.GetTextExtent(text, &tw, &th);
    gc.DrawText(text, (kSplashWidth - tw) / 2, y);
}

}  // namespace

wxBitmap SplashBitmap(double scale) {
    scale = std::clamp(scale, 1.0, 4.0);
    const wxSize pixels(int(kSplashWidth * scale), int(kSplashHeight * scale));
    const wxBitmap art = ArtBitmap("splash", pixels);
    // The splash window shows the bitmap as it is: flatten it onto an opaque bitmap first.
    wxBitmap out(pixels.x, pixels.y, 24);
    {
        wxMemoryDC dc(out);
        dc.SetBackground(wxBrush(wxColour(236, 233, 216)));
        dc.Clear();
        if (art.IsOk()) dc.DrawBitmap(art, 0, 0, true);
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
        if (gc) {
            gc->Scale(scale, scale);
            gc->SetFont(wxFontInfo(34).Family(wxFONTFAMILY_SWISS).Bold(), wxColour(255, 255, 255));
            DrawCentred(*gc, "HVX Monitor", 356);
            gc->SetFont(wxFontInfo(13).Family(wxFONTFAMILY_SWISS), wxColour(214, 232, 248));
            DrawCentred(*gc, "Monitoraggio di portata e pressione per idranti", 410);
            gc->SetFont(wxFontInfo(11).Family(wxFONTFAMILY_SWISS).Bold(), wxColour(255, 255, 255));
            DrawCentred(*gc, wxString::Format("Versione %s", HVX_VERSION_TEXT), 486);
        }
    }
    out.SetScaleFactor(scale);
    return out;
}
