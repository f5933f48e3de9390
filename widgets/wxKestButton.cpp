#include "widgets/wxKestButton.h"

#include <wx/dcbuffer.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include <algorithm>

wxKestButton::wxKestButton(wxWindow* parent, wxWindowID id, const wxBitmapBundle& bitmap,
                           const wxString& caption, const wxPoint& pos, const wxSize& size,
                           long style, const wxValidator& validator, const wxString& name) {
    Create(parent, id, bitmap, caption, pos, size, style, validator, name);
}

bool wxKestButton::Create(wxWindow* parent, wxWindowID id, const wxBitmapBundle& bitmap,
                          const wxString& caption, const wxPoint& pos, const wxSize& size,
                          long style, const wxValidator& validator, const wxString& name) {
    normalPic_ = bitmap;
    caption_ = caption;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    if (!wxControl::Create(parent, id, pos, size, style, validator, name)) return false;
    SetBackgroundColour(wxColour(236, 233, 216));
    SetInitialSize(size);

    Bind(wxEVT_PAINT, &wxKestButton::OnPaint, this);
    Bind(wxEVT_ENTER_WINDOW, &wxKestButton::OnEnter, this);
    Bind(wxEVT_LEAVE_WINDOW, &wxKestButton::OnLeave, this);
    Bind(wxEVT_LEFT_DOWN, &wxKestButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &wxKestButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &wxKestButton::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &wxKestButton::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &wxKestButton::OnKeyDown, this);
    Bind(wxEVT_SET_FOCUS, &wxKestButton::OnFocus, this);
    Bind(wxEVT_KILL_FOCUS, &wxKestButton::OnFocus, this);
    Bind(wxEVT_SYS_COLOUR_CHANGED, &wxKestButton::OnSysColourChanged, this);
    return true;
}

void wxKestButton::SetCaption(const wxString& caption) {
    caption_ = caption;
    InvalidateBestSize();
    Refresh(true);
}

void wxKestButton::SetPicture(wxBitmapBundle& slot, const wxBitmapBundle& bitmap) {
    slot = bitmap;
    InvalidateBestSize();
    Refresh(false);
}

const wxBitmapBundle& wxKestButton::GetBundle(button::Picture which) const {
    static const wxBitmapBundle none;
    switch (which) {
        case button::Picture::Normal:
            return normalPic_;
        case button::Picture::Pressed:
            return pressedPic_;
        case button::Picture::Hover:
            return hoverPic_;
        case button::Picture::Focused:
            return focusPic_;
        case button::Picture::Disabled:
            return disabledPic_;
        case button::Picture::None:
            break;
    }
    return none;
}

button::Picture wxKestButton::CurrentPicture() const {
    const button::State state{pressed_, hovered_, HasFocus(), IsEnabled()};
    const button::Pictures have{normalPic_.IsOk(), pressedPic_.IsOk(), hoverPic_.IsOk(),
                                focusPic_.IsOk(), disabledPic_.IsOk()};
    return button::ChoosePicture(state, have);
}

bool wxKestButton::Enable(bool enable) {
    if (!wxControl::Enable(enable)) return false;
    if (!enable && pressed_) {
        pressed_ = false;
        if (HasCapture()) ReleaseMouse();
    }
    // A disabled button hears no enter or leave; ask where the pointer went in the meantime.
    if (enable && IsShownOnScreen()) hovered_ = GetScreenRect().Contains(wxGetMousePosition());
    Refresh(false);
    return true;
}

wxSize wxKestButton::DoGetBestClientSize() const {
    wxSize best = normalPic_.IsOk() ? normalPic_.GetPreferredLogicalSizeFor(this) : wxSize(0, 0);
    best.IncBy(8, 8);
    if (!caption_.empty()) {
        wxCoord w = 0, h = 0;
        GetTextExtent(caption_, &w, &h);
        best.x = std::max(best.x, w + 4);
        best.y = std::max(best.y, h + 4);
    }
    return best;
}

void wxKestButton::DrawTo(wxDC& dc, const wxSize& size) const {
    const bool autoDraw = HasFlag(wxBU_AUTODRAW);
    const wxRect rect(wxPoint(0, 0), size);
    // A shared DC (a picture of several controls) must not receive a caption wider than the button.
    wxDCClipper clip(dc, rect);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(GetBackgroundColour()));
    dc.DrawRectangle(rect);
    if (autoDraw) {
        int flags = 0;
        if (pressed_) flags |= wxCONTROL_PRESSED;
        if (hovered_) flags |= wxCONTROL_CURRENT;
        if (!IsEnabled()) flags |= wxCONTROL_DISABLED;
        wxRendererNative::Get().DrawPushButton(const_cast<wxKestButton*>(this), dc, rect, flags);
    }

    const wxBitmapBundle& bundle = GetBundle(CurrentPicture());
    if (bundle.IsOk()) {
        // The resolution follows the DC, so a high-resolution screen or picture gets a sharp
        // picture at the size the bundle was designed for.
        const double dcScale = dc.GetContentScaleFactor();
        wxBitmap bmp = bundle.GetBitmap(bundle.GetPreferredBitmapSizeAtScale(dcScale));
        const wxSize design = bundle.GetDefaultSize();
        const double scale = design.x > 0 ? static_cast<double>(bmp.GetWidth()) / design.x : 1.0;
        if (scale != bmp.GetScaleFactor()) {
            // A copy of its own, so the bundle's bitmap keeps its scale for other users.
            bmp = bmp.GetSubBitmap(wxRect(bmp.GetSize()));
            bmp.SetScaleFactor(scale);
        }
        const wxSize pic = bmp.GetLogicalSize();
        const button::Alignment align{HasFlag(wxBU_LEFT), HasFlag(wxBU_RIGHT), HasFlag(wxBU_TOP),
                                      HasFlag(wxBU_BOTTOM)};
        button::Offset at = button::PlacePicture(size.x, size.y, pic.x, pic.y, align);
        if (autoDraw && pressed_) {
            ++at.x;
            ++at.y;
        }
        dc.DrawBitmap(bmp, at.x, at.y, true);
    }

    if (autoDraw && !IsEnabled()) {
        if (!disabledBrush_.IsOk())
            disabledBrush_ = wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE),
                                     wxBRUSHSTYLE_CROSSDIAG_HATCH);
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(disabledBrush_);
        dc.DrawRectangle(rect);
    } else if (autoDraw && HasFocus()) {
        wxRendererNative::Get().DrawFocusRect(const_cast<wxKestButton*>(this), dc,
                                              wxRect(rect).Deflate(3));
    }

    if (!caption_.empty()) {
        dc.SetFont(GetFont());
        dc.SetTextForeground(GetForegroundColour());
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        wxCoord w = 0, h = 0;
        dc.GetMultiLineTextExtent(caption_, &w, &h);
        const button::Offset at = button::PlaceCaption(size.x, size.y, w, h);
        dc.DrawText(caption_, at.x, at.y);
    }
}

void wxKestButton::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    DrawTo(dc, GetClientSize());
}

void wxKestButton::OnEnter(wxMouseEvent& event) {
    hovered_ = true;
    if (button::RepaintsOnHover(IsEnabled(), hoverPic_.IsOk())) Refresh(false);
    event.Skip();
}

void wxKestButton::OnLeave(wxMouseEvent& event) {
    hovered_ = false;
    if (button::RepaintsOnHover(IsEnabled(), hoverPic_.IsOk())) Refresh(false);
    event.Skip();
}

void wxKestButton::OnLeftDown(wxMouseEvent& event) {
    if (!IsEnabled()) return;
    pressed_ = true;
    // Capture lets a release outside cancel the press; a hidden window cannot take it.
    if (!HasCapture() && IsShownOnScreen()) CaptureMouse();
    Refresh(false);
    event.Skip();
}

void wxKestButton::OnLeftUp(wxMouseEvent& event) {
    event.Skip();
    if (!pressed_) return;
    pressed_ = false;
    if (HasCapture()) ReleaseMouse();
    Refresh(false);
    // Letting go outside the button cancels the press, as with any push button.
    if (wxRect(GetClientSize()).Contains(event.GetPosition())) Click();
}

void wxKestButton::OnCaptureLost(wxMouseCaptureLostEvent&) {
    pressed_ = false;
    Refresh(false);
}

void wxKestButton::OnKeyDown(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case WXK_SPACE:
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            if (IsEnabled()) Click();
            return;
        default:
            event.Skip();
    }
}

void wxKestButton::OnFocus(wxFocusEvent& event) {
    if (focusPic_.IsOk() || HasFlag(wxBU_AUTODRAW)) Refresh(false);
    event.Skip();
}

void wxKestButton::OnSysColourChanged(wxSysColourChangedEvent& event) {
    disabledBrush_ = wxNullBrush;
    if (!IsEnabled()) Refresh(false);
    event.Skip();
}

void wxKestButton::Click() {
    wxCommandEvent click(wxEVT_BUTTON, GetId());
    click.SetEventObject(this);
    ProcessWindowEvent(click);
}
