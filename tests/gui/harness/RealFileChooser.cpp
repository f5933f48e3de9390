#include "tests/gui/harness/RealFileChooser.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/process.h>
#include <wx/stream.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "tests/gui/harness/GuiTest.h"

// Last: its macros (None, Bool, Status) would clash with the headers above.
#include <X11/Xlib.h>

namespace guitest {

struct RealFileChooser::State {
    wxString path;
    wxDialog* dialog = nullptr;
    bool closed = false;
    bool answered = false;
    int step = 0;
    long xclipPid = 0;
    bool xclipEnded = false;
    bool focused = false;
    bool helperFailed = false;
    Display* display = nullptr;
    Window ownerBefore = None;
    std::chrono::steady_clock::time_point deadline;
    wxUIActionSimulator keys;
    std::unique_ptr<wxTimer> timer;

    bool XclipOwnsClipboard() const {
        if (!display) return false;
        const Window owner = XGetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False));
        return owner != None && owner != ownerBefore;
    }
};

namespace {

// A helper program whose end the driver waits for: xclip ends once it has served the paste, so
// the pasted text is on its way to the entry; xdotool ends once the chooser has the keyboard.
class Helper : public wxProcess {
public:
    Helper(std::weak_ptr<RealFileChooser::State> state, bool RealFileChooser::State::*ended)
        : wxProcess(wxPROCESS_REDIRECT), state_(std::move(state)), ended_(ended) {}
    void OnTerminate(int, int status) override {
        if (auto s = state_.lock()) {
            (*s).*ended_ = true;
            if (status != 0) s->helperFailed = true;
        }
        delete this;
    }

private:
    std::weak_ptr<RealFileChooser::State> state_;
    bool RealFileChooser::State::*ended_;
};

wxString RegexQuoted(const wxString& text) {
    wxString out = "^";
    for (wxUniChar c : text) {
        if (wxString("\\.^$|()[]{}*+?").Find(c) != wxNOT_FOUND) out += '\\';
        out += c;
    }
    return out + "$";
}

void Drive(const std::weak_ptr<RealFileChooser::State>& weak) {
    auto s = weak.lock();
    if (!s || s->closed) return;
    if (s->helperFailed || std::chrono::steady_clock::now() > s->deadline) {
        ADD_FAILURE() << "the file chooser did not take the pasted path (step " << s->step << ")";
        s->dialog->EndModal(wxID_CANCEL);
        return;
    }
    switch (s->step) {
        case 0: {  // give it the keyboard: no window manager does that under Xvfb
            const wxString title = RegexQuoted(s->dialog->GetTitle());
            const wxScopedCharBuffer name = title.utf8_str();
            const char* argv[] = {"xdotool",   "search",      "--sync", "--onlyvisible", "--name",
                                  name.data(), "windowfocus", "--sync", nullptr};
            if (wxExecute(argv, wxEXEC_ASYNC, new Helper(weak, &RealFileChooser::State::focused)) <=
                0) {
                ADD_FAILURE() << "cannot run xdotool";
                s->helperFailed = true;
            }
            s->step = 1;
            break;
        }
        case 1:
            if (s->focused) {
                // The location entry; in a save dialog it holds the proposed name, whose stem
                // alone is selected: select it all so that the paste replaces it.
                s->keys.Char('l', wxMOD_CONTROL);
                s->keys.Char('a', wxMOD_CONTROL);
                s->step = 2;
            }
            break;
        case 2:
            if (s->XclipOwnsClipboard()) {
                s->keys.Char('v', wxMOD_CONTROL);
                s->step = 3;
            }
            break;
        case 3:
            if (s->xclipEnded) {
                s->step = 4;
            }
            break;
        default:
            // The chooser ignores Return while it still loads the pasted path's folder (which
            // nothing outside it can see): press it again, as a person would, until it closes.
            if (s->step++ % 25 == 4) s->keys.Char(WXK_RETURN);
            break;
    }
}

// Polls on a toolkit timer rather than at idle time: the helpers' ends are reported by the main
// loop's own sources, which a chain of idle calls would starve.
class DriveTimer : public wxTimer {
public:
    explicit DriveTimer(std::weak_ptr<RealFileChooser::State> state) : state_(std::move(state)) {}
    void Notify() override { Drive(state_); }

private:
    std::weak_ptr<RealFileChooser::State> state_;
};

}  // namespace

RealFileChooser::RealFileChooser(const wxString& path) : state_(std::make_shared<State>()) {
    state_->path = path;
    state_->display = XOpenDisplay(nullptr);
    EXPECT_NE(state_->display, nullptr) << "no X display";
    AllowRealDialogs(true);
    Register();
}

RealFileChooser::~RealFileChooser() {
    Unregister();
    AllowRealDialogs(false);
    if (state_->xclipPid && !state_->xclipEnded) wxKill(state_->xclipPid, wxSIGTERM);
    if (state_->display) XCloseDisplay(state_->display);
    state_->closed = true;
    state_->timer.reset();
}

bool RealFileChooser::Answered() const { return state_->answered; }

int RealFileChooser::Enter(wxDialog* dialog) {
    State& s = *state_;
    if (s.dialog) return wxID_NONE;  // only the first dialog is ours
    s.dialog = dialog;
    s.deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    if (s.display)
        s.ownerBefore = XGetSelectionOwner(s.display, XInternAtom(s.display, "CLIPBOARD", False));

    auto* xclip = new Helper(state_, &State::xclipEnded);
    const char* argv[] = {"xclip", "-selection", "clipboard", "-quiet", "-loops", "1", nullptr};
    s.xclipPid = wxExecute(argv, wxEXEC_ASYNC, xclip);
    if (s.xclipPid <= 0) {
        ADD_FAILURE() << "cannot run xclip";
        s.xclipEnded = true;
    } else {
        const wxScopedCharBuffer bytes = s.path.utf8_str();
        xclip->GetOutputStream()->Write(bytes.data(), bytes.length());
        xclip->CloseOutput();
    }
    s.timer = std::make_unique<DriveTimer>(state_);
    s.timer->Start(10);
    return wxID_NONE;
}

void RealFileChooser::Exit(wxDialog* dialog) {
    if (dialog != state_->dialog) return;
    if (state_->timer) state_->timer->Stop();
    state_->answered = state_->step >= 4 && dialog->GetReturnCode() == wxID_OK;
    state_->closed = true;
}

}  // namespace guitest
