#include "Art.h"

#include <wx/dcmemory.h>
#include <wx/font.h>
#include <wx/graphics.h>

#include <memory>

namespace {

constexpr int kSplashWidth = 640;
constexpr int kSplashHeight = 540;

void DrawCentred(wxGraphicsContext& gc, const wxString& text, double y) {
    double tw = 0, th = 0;
    gc.GetTextExtent(text, &tw, &th);
    gc.DrawText(text, (kSplashWidth - tw) / 2, y);
}

}  // namespace

wxBitmap SplashBitmap() {
    wxBitmap bmp = ArtBitmap("splash", wxSize(kSplashWidth, kSplashHeight));
    if (!bmp.IsOk()) {
        bmp.Create(kSplashWidth, kSplashHeight, 24);
    }
    // The splash window shows the bitmap as it is: flatten it onto an opaque bitmap first.
    wxBitmap out(kSplashWidth, kSplashHeight, 24);
    {
        wxMemoryDC dc(out);
        dc.SetBackground(wxBrush(wxColour(236, 233, 216)));
        dc.Clear();
        dc.DrawBitmap(bmp, 0, 0, true);
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
        if (gc) {
            gc->SetFont(wxFontInfo(34).Family(wxFONTFAMILY_SWISS).Bold(), wxColour(255, 255, 255));
            DrawCentred(*gc, "HVX Monitor", 356);
            gc->SetFont(wxFontInfo(13).Family(wxFONTFAMILY_SWISS), wxColour(214, 232, 248));
            DrawCentred(*gc, "Monitoraggio di portata e pressione per idranti", 410);
            gc->SetFont(wxFontInfo(11).Family(wxFONTFAMILY_SWISS).Bold(), wxColour(255, 255, 255));
            DrawCentred(*gc, wxString::Format("Versione %s", HVX_VERSION_TEXT), 486);
        }
    }
    return out;
}
