#pragma once
// A picture button that shows another picture while the mouse is over it and prints a caption
// along its bottom edge. It is drawn entirely by itself (a native button would draw its own face
// and ignore the caption), and offers the toolkit bitmap button's picture operations by name.

#include <wx/anybutton.h>
#include <wx/bmpbndl.h>
#include <wx/brush.h>
#include <wx/control.h>

#include "widgets/core/ButtonLayout.h"

class wxDC;

class wxKestButton : public wxControl {
public:
    wxKestButton() = default;
    wxKestButton(wxWindow* parent, wxWindowID id, const wxBitmapBundle& bitmap,
                 const wxString& caption = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = 0,
                 const wxValidator& validator = wxDefaultValidator,
                 const wxString& name = "button");
    bool Create(wxWindow* parent, wxWindowID id, const wxBitmapBundle& bitmap,
                const wxString& caption = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0,
                const wxValidator& validator = wxDefaultValidator, const wxString& name = "button");

    // Stores the caption and repaints; also the way to show pictures that were just swapped.
    void SetCaption(const wxString& caption);
    wxString GetCaption() const { return caption_; }

    void SetBitmapLabel(const wxBitmapBundle& bitmap) { SetPicture(normalPic_, bitmap); }
    void SetBitmapPressed(const wxBitmapBundle& bitmap) { SetPicture(pressedPic_, bitmap); }
    void SetBitmapFocus(const wxBitmapBundle& bitmap) { SetPicture(focusPic_, bitmap); }
    void SetBitmapDisabled(const wxBitmapBundle& bitmap) { SetPicture(disabledPic_, bitmap); }
    void SetBitmapCurrent(const wxBitmapBundle& bitmap) { SetPicture(hoverPic_, bitmap); }
    void SetBitmapHover(const wxBitmapBundle& bitmap) { SetBitmapCurrent(bitmap); }
    void SetBitmapSelected(const wxBitmapBundle& bitmap) { SetBitmapPressed(bitmap); }

    wxBitmap GetBitmapLabel() const { return normalPic_.GetBitmapFor(this); }
    wxBitmap GetBitmapPressed() const { return pressedPic_.GetBitmapFor(this); }
    wxBitmap GetBitmapFocus() const { return focusPic_.GetBitmapFor(this); }
    wxBitmap GetBitmapDisabled() const { return disabledPic_.GetBitmapFor(this); }
    wxBitmap GetBitmapCurrent() const { return hoverPic_.GetBitmapFor(this); }
    wxBitmap GetBitmapHover() const { return GetBitmapCurrent(); }

    // The picture as given, every resolution of it, so callers can swap pictures without loss.
    const wxBitmapBundle& GetBundle(button::Picture which) const;

    bool IsPressed() const { return pressed_; }
    bool IsHovered() const { return hovered_; }
    // The picture the next repaint shows.
    button::Picture CurrentPicture() const;

    // Draws the button as it stands into an area of `size` at the DC's origin; the paint handler
    // and the tests draw through here.
    void DrawTo(wxDC& dc, const wxSize& size) const;

    bool Enable(bool enable = true) override;
    bool AcceptsFocus() const override { return IsEnabled(); }

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void SetPicture(wxBitmapBundle& slot, const wxBitmapBundle& bitmap);
    void Click();

    void OnPaint(wxPaintEvent& event);
    void OnEnter(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnFocus(wxFocusEvent& event);
    void OnSysColourChanged(wxSysColourChangedEvent& event);

    wxString caption_;
    wxBitmapBundle normalPic_, pressedPic_, focusPic_, disabledPic_, hoverPic_;
    bool pressed_ = false;
    bool hovered_ = false;
    // Built on first use and dropped when the system colours change.
    mutable wxBrush disabledBrush_;
};
