#include "art/Art.h"

#include <wx/icon.h>
#include <wx/log.h>

#include <algorithm>

#include "art/ArtCatalogue.h"
#include "art/ArtStates.h"

namespace {

// Renders the SVG at every size asked for and derives the state face from it, so hover, pressed and
// disabled faces are as sharp on a high-resolution screen as the normal one.
class StateBundleImpl : public wxBitmapBundleImpl {
public:
    StateBundleImpl(wxBitmapBundle normal, ArtState state)
        : normal_(std::move(normal)), state_(state) {}

    wxSize GetDefaultSize() const override { return normal_.GetDefaultSize(); }

    wxSize GetPreferredBitmapSizeAtScale(double scale) const override {
        return normal_.GetPreferredBitmapSizeAtScale(scale);
    }

    wxBitmap GetBitmap(const wxSize& size) override {
        if (cached_.IsOk() && cached_.GetSize() == size) return cached_;
        const wxBitmap normal = normal_.GetBitmap(size);
        if (!normal.IsOk()) return normal;
        const wxSize base = normal_.GetDefaultSize();
        const double scale = std::min(double(size.x) / base.x, double(size.y) / base.y);
        cached_ = wxBitmap(ApplyArtState(normal.ConvertToImage(), state_, scale));
        cached_.SetScaleFactor(normal.GetScaleFactor());
        return cached_;
    }

private:
    wxBitmapBundle normal_;
    ArtState state_;
    wxBitmap cached_;
};

wxBitmapBundle NormalBundle(const wxString& name) {
    const ArtEntry* entry = FindArtEntry(name);
    if (!entry) {
        wxLogDebug("no picture named \"%s\"", name);
        return {};
    }
    const std::string svg = ArtSvgText(*entry);
    if (svg.empty()) {
        wxLogDebug("picture \"%s\" has no SVG source \"%s\"", name, entry->source);
        return {};
    }
    return wxBitmapBundle::FromSVG(svg.c_str(), wxSize(entry->width, entry->height));
}

}  // namespace

wxBitmapBundle ArtBundle(const wxString& name) { return NormalBundle(name); }

wxBitmapBundle ArtBundle(const wxString& name, ArtState state) {
    wxBitmapBundle normal = NormalBundle(name);
    if (state == ArtState::Normal || !normal.IsOk()) return normal;
    return wxBitmapBundle::FromImpl(new StateBundleImpl(std::move(normal), state));
}

wxBitmap ArtBitmap(const wxString& name, const wxSize& size, ArtState state) {
    if (size.x <= 0 || size.y <= 0) return wxBitmap();
    const wxBitmapBundle bundle = ArtBundle(name, state);
    if (!bundle.IsOk()) return wxBitmap();
    // The bundle marks bitmaps bigger than the default size as high-DPI ones; this one is exactly
    // `size` pixels wherever it is drawn.
    wxBitmap bmp = bundle.GetBitmap(size);
    bmp.SetScaleFactor(1.0);
    return bmp;
}

wxSize ArtDefaultSize(const wxString& name) {
    const ArtEntry* entry = FindArtEntry(name);
    return entry ? wxSize(entry->width, entry->height) : wxDefaultSize;
}

wxIconBundle AppIconBundle() {
    wxIconBundle icons;
    const wxBitmapBundle art = ArtBundle("app-icon");
    const wxBitmapBundle small = ArtBundle("app-icon-small");
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        // Below 32 pixels the detailed icon turns to mush; a simplified drawing keeps it readable.
        const wxBitmapBundle& source = side < 32 && small.IsOk() ? small : art;
        const wxBitmap bmp = source.IsOk() ? source.GetBitmap(wxSize(side, side)) : wxBitmap();
        if (!bmp.IsOk()) continue;
        wxIcon icon;
        icon.CopyFromBitmap(bmp);
        icons.AddIcon(icon);
    }
    return icons;
}

std::vector<wxString> ArtNames() {
    std::vector<wxString> names;
    for (const ArtEntry& e : ArtEntries()) names.emplace_back(wxString::FromUTF8(e.name));
    return names;
}
