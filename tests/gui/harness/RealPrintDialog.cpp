#include "tests/gui/harness/RealPrintDialog.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/process.h>
#include <wx/stream.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <chrono>
#include <cstring>

#include "tests/gui/harness/GuiTest.h"

// Last: their macros (None, Bool, Status) would clash with the headers above.
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <gtk/gtkunixprint.h>

namespace guitest {

using Clock = std::chrono::steady_clock;

struct RealPrintDialog::State {
    enum Step {
        kFindDialog,
        kToList,
        kPickPrinter,
        kToFileButton,
        kOpenChooser,
        kFocusChooser,
        kPaste,
        kPasted,
        kCloseChooser,
        kCheckPath,
        kToPrintButton,
        kDone
    };
    wxString path;
    wxDialog* dialog = nullptr;
    bool closed = false;
    bool answered = false;
    Step step = kFindDialog;
    GtkWidget* print = nullptr;  // the toolkit's print dialog, while it is shown
    GtkWidget* list = nullptr;   // its printer list
    GtkWidget* lastFocus = nullptr;
    GtkPrinter* lastPrinter = nullptr;
    Clock::time_point sentAt;  // when the last key went out: a key lost is sent again
    Clock::time_point deadline;
    int keysSent = 0;
    long xclipPid = 0;
    int xclipRun = 0;  // which xclip the flags below are about
    bool xclipEnded = false;
    bool xclipFailed = false;
    Display* display = nullptr;
    Window ownerBefore = 0;
    wxUIActionSimulator keys;
    std::unique_ptr<wxTimer> timer;
};

namespace {

using State = RealPrintDialog::State;

bool TypeIs(gpointer object, const char* name) {
    return std::strcmp(G_OBJECT_TYPE_NAME(object), name) == 0;
}

// The shown toplevel window that `pred` accepts.
template <class Pred>
GtkWidget* ShownToplevel(Pred pred) {
    GtkWidget* found = nullptr;
    GList* all = gtk_window_list_toplevels();
    for (GList* l = all; l && !found; l = l->next) {
        auto* w = static_cast<GtkWidget*>(l->data);
        if (gtk_widget_get_mapped(w) && pred(w)) found = w;
    }
    g_list_free(all);
    return found;
}

struct Search {
    bool (*pred)(GtkWidget*);
    GtkWidget* found;
};

void CollectFirst(GtkWidget* w, gpointer data) {
    auto* s = static_cast<Search*>(data);
    if (s->found) return;
    if (s->pred(w)) {
        s->found = w;
        return;
    }
    if (GTK_IS_CONTAINER(w)) gtk_container_forall(GTK_CONTAINER(w), CollectFirst, s);
}

GtkWidget* Descendant(GtkWidget* root, bool (*pred)(GtkWidget*)) {
    Search s{pred, nullptr};
    gtk_container_forall(GTK_CONTAINER(root), CollectFirst, &s);
    return s.found;
}

bool Inside(GtkWidget* w, const char* typeName) {
    for (; w; w = gtk_widget_get_parent(w))
        if (TypeIs(w, typeName)) return true;
    return false;
}

GtkWidget* Focused(GtkWidget* window) { return gtk_window_get_focus(GTK_WINDOW(window)); }

// The printer that writes a file rather than going to a print queue, whatever its translated name.
bool IsFilePrinter(GtkPrinter* printer) {
    return printer && TypeIs(gtk_printer_get_backend(printer), "GtkPrintBackendFile");
}

// The File button of the "Print to File" printer: a plain button among the printer's options.
bool IsFileButton(GtkWidget* w) {
    return w && GTK_IS_BUTTON(w) && !GTK_IS_TOGGLE_BUTTON(w) && Inside(w, "GtkPrinterOptionWidget");
}

GtkWidget* Chooser(GtkWidget* print) {
    return ShownToplevel([print](GtkWidget* w) {
        return GTK_IS_FILE_CHOOSER_DIALOG(w) &&
               GTK_WIDGET(gtk_window_get_transient_for(GTK_WINDOW(w))) == print;
    });
}

class Helper : public wxProcess {
public:
    Helper(std::weak_ptr<State> state, int run)
        : wxProcess(wxPROCESS_REDIRECT), state_(std::move(state)), run_(run) {}
    void OnTerminate(int, int status) override {
        if (auto s = state_.lock(); s && s->xclipRun == run_) {
            s->xclipEnded = true;
            if (status != 0) s->xclipFailed = true;
        }
        delete this;
    }

private:
    std::weak_ptr<State> state_;
    int run_;
};

Window ClipboardOwner(Display* d) {
    return d ? XGetSelectionOwner(d, XInternAtom(d, "CLIPBOARD", False)) : 0;
}

// Gives `window` the keyboard (no window manager does that under Xvfb); true once it has it.
bool HasKeyboard(State& s, GtkWidget* window) {
    if (gtk_window_is_active(GTK_WINDOW(window))) return true;
    if (Clock::now() - s.sentAt > std::chrono::milliseconds(300) && s.display) {
        const Window xid = gdk_x11_window_get_xid(gtk_widget_get_window(window));
        XRaiseWindow(s.display, xid);
        XSetInputFocus(s.display, xid, RevertToParent, CurrentTime);
        XFlush(s.display);
        s.sentAt = Clock::now();
    }
    return false;
}

void Key(State& s, int key, int modifiers = wxMOD_NONE) {
    s.keys.Char(key, modifiers);
    s.sentAt = Clock::now();
    ++s.keysSent;
}

bool Waited(const State& s, int ms) {
    return Clock::now() - s.sentAt > std::chrono::milliseconds(ms);
}

// Tab through the dialog until `target` holds for the focused widget. A Tab that moved the focus
// is followed at once by the next; one that did not is sent again after a while.
bool TabTo(State& s, bool (*target)(GtkWidget*, const State&)) {
    GtkWidget* focus = Focused(s.print);
    if (target(focus, s)) return true;
    if (focus != s.lastFocus || Waited(s, 500)) {
        s.lastFocus = focus;
        Key(s, WXK_TAB);
    }
    return false;
}

void StartXclip(const std::shared_ptr<State>& s) {
    s->ownerBefore = ClipboardOwner(s->display);
    auto* xclip = new Helper(s, ++s->xclipRun);
    const char* argv[] = {"xclip", "-selection", "clipboard", "-quiet", "-loops", "1", nullptr};
    s->xclipEnded = false;
    s->xclipPid = wxExecute(argv, wxEXEC_ASYNC, xclip);
    if (s->xclipPid <= 0) {
        ADD_FAILURE() << "cannot run xclip";
        s->xclipFailed = true;
        return;
    }
    const wxScopedCharBuffer bytes = s->path.utf8_str();
    xclip->GetOutputStream()->Write(bytes.data(), bytes.length());
    xclip->CloseOutput();
}

// The next step, its first key due at once.
void Go(State& s, State::Step step) {
    s.step = step;
    s.sentAt = {};
    s.lastFocus = nullptr;
}

// The path put on the clipboard again, and the chooser's entry chosen again for the paste.
void RestartXclip(const std::shared_ptr<State>& s) {
    if (s->xclipPid > 0 && !s->xclipEnded) wxKill(s->xclipPid, wxSIGTERM);
    StartXclip(s);
    Go(*s, State::kFocusChooser);
}

void GiveUp(State& s, const char* why) {
    GtkWidget* focus = s.print ? Focused(s.print) : nullptr;
    ADD_FAILURE() << "the print dialog did not take the keys: " << why << " (step " << s.step
                  << ", " << s.keysSent << " keys sent, focus on "
                  << (focus ? G_OBJECT_TYPE_NAME(focus) : "nothing") << ")";
    s.closed = true;
    s.timer->Stop();
    if (GtkWidget* chooser = s.print ? Chooser(s.print) : nullptr)
        gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL);
    if (s.print) gtk_dialog_response(GTK_DIALOG(s.print), GTK_RESPONSE_CANCEL);
}

void Drive(const std::shared_ptr<State>& sp) {
    State& s = *sp;
    if (s.closed) return;
    if (Clock::now() > s.deadline) return GiveUp(s, "time out");
    if (s.xclipFailed) return GiveUp(s, "xclip failed");
    if (s.step == State::kDone) {
        // The dialog hides as it starts the print job; a Return that went astray is sent again.
        if (s.print && gtk_widget_get_mapped(s.print) && Waited(s, 1500))
            Go(s, State::kToPrintButton);
        return;
    }
    if (s.step != State::kFindDialog && (!s.print || !gtk_widget_get_mapped(s.print)))
        return GiveUp(s, "the dialog closed early");
    switch (s.step) {
        case State::kFindDialog:
            s.print =
                ShownToplevel([](GtkWidget* w) -> bool { return GTK_IS_PRINT_UNIX_DIALOG(w); });
            if (s.print) {
                // The print operation destroys the dialog once it is answered.
                g_object_add_weak_pointer(G_OBJECT(s.print), reinterpret_cast<gpointer*>(&s.print));
                s.list =
                    Descendant(s.print, [](GtkWidget* w) -> bool { return GTK_IS_TREE_VIEW(w); });
                if (!s.list) return GiveUp(s, "no printer list");
                Go(s, State::kToList);
            }
            break;
        case State::kToList:
            if (HasKeyboard(s, s.print) &&
                TabTo(s, [](GtkWidget* f, const State& st) { return f == st.list; }))
                Go(s, State::kPickPrinter);
            break;
        case State::kPickPrinter: {
            // Home, then Down until the selected printer is the one that writes a file. The
            // printers come into the list as their backends report them.
            if (!HasKeyboard(s, s.print)) break;
            if (Focused(s.print) != s.list) {
                Go(s, State::kToList);
                break;
            }
            GtkPrinter* printer =
                gtk_print_unix_dialog_get_selected_printer(GTK_PRINT_UNIX_DIALOG(s.print));
            if (IsFilePrinter(printer)) {
                Go(s, State::kToFileButton);
            } else if (printer == nullptr && Waited(s, 500)) {
                Key(s, WXK_HOME);
            } else if (printer != nullptr && (printer != s.lastPrinter || Waited(s, 500))) {
                s.lastPrinter = printer;
                Key(s, WXK_DOWN);
            }
            break;
        }
        case State::kToFileButton:
            if (HasKeyboard(s, s.print) &&
                TabTo(s, [](GtkWidget* f, const State&) { return IsFileButton(f); }))
                Go(s, State::kOpenChooser);
            break;
        case State::kOpenChooser:
            if (Chooser(s.print)) {
                StartXclip(sp);
                Go(s, State::kFocusChooser);
            } else if (HasKeyboard(s, s.print) && Waited(s, 1500)) {
                if (IsFileButton(Focused(s.print)))
                    Key(s, WXK_RETURN);
                else
                    Go(s, State::kToFileButton);
            }
            break;
        case State::kFocusChooser:
            if (GtkWidget* chooser = Chooser(s.print); chooser && HasKeyboard(s, chooser)) {
                // The location entry, its proposed name all selected so that the paste replaces it.
                Key(s, 'l', wxMOD_CONTROL);
                Key(s, 'a', wxMOD_CONTROL);
                s.step = State::kPaste;
            }
            break;
        case State::kPaste: {
            const Window owner = ClipboardOwner(s.display);
            if (owner != 0 && owner != s.ownerBefore) {
                Key(s, 'v', wxMOD_CONTROL);
                s.step = State::kPasted;
            } else if (Waited(s, 3000)) {
                RestartXclip(sp);
            }
            break;
        }
        case State::kPasted:
            if (s.xclipEnded) {
                s.step = State::kCloseChooser;
            } else if (Waited(s, 3000)) {
                RestartXclip(sp);  // the paste went to another window
            }
            break;
        case State::kCloseChooser:
            // The chooser ignores Return while it still loads the pasted path's folder.
            if (GtkWidget* chooser = Chooser(s.print)) {
                if (HasKeyboard(s, chooser) && Waited(s, 250)) Key(s, WXK_RETURN);
            } else {
                s.step = State::kCheckPath;
            }
            break;
        case State::kCheckPath: {
            GtkPrintSettings* settings =
                gtk_print_unix_dialog_get_settings(GTK_PRINT_UNIX_DIALOG(s.print));
            const char* uri = gtk_print_settings_get(settings, GTK_PRINT_SETTINGS_OUTPUT_URI);
            gchar* wanted = g_filename_to_uri(s.path.utf8_str().data(), nullptr, nullptr);
            const bool took = uri && wanted && std::strcmp(uri, wanted) == 0;
            g_free(wanted);
            g_object_unref(settings);
            if (took) {
                Go(s, State::kToPrintButton);
            } else if (Waited(s, 2000)) {
                Go(s, State::kToFileButton);  // the paste went astray: choose the file again
            }
            break;
        }
        case State::kToPrintButton:
            if (HasKeyboard(s, s.print) && TabTo(s, [](GtkWidget* f, const State& st) {
                    return f == gtk_dialog_get_widget_for_response(GTK_DIALOG(st.print),
                                                                   GTK_RESPONSE_OK);
                })) {
                Key(s, WXK_RETURN);
                s.step = State::kDone;
            }
            break;
        case State::kDone:
            break;
    }
}

class DriveTimer : public wxTimer {
public:
    explicit DriveTimer(std::weak_ptr<State> state) : state_(std::move(state)) {}
    void Notify() override {
        if (auto s = state_.lock()) Drive(s);
    }

private:
    std::weak_ptr<State> state_;
};

}  // namespace

RealPrintDialog::RealPrintDialog(const wxString& path) : state_(std::make_shared<State>()) {
    state_->path = path;
    state_->display = XOpenDisplay(nullptr);
    EXPECT_NE(state_->display, nullptr) << "no X display";
    AllowRealDialogs(true);
    Register();
}

RealPrintDialog::~RealPrintDialog() {
    Unregister();
    AllowRealDialogs(false);
    if (state_->xclipPid && !state_->xclipEnded) wxKill(state_->xclipPid, wxSIGTERM);
    if (state_->display) XCloseDisplay(state_->display);
    if (state_->print)
        g_object_remove_weak_pointer(G_OBJECT(state_->print),
                                     reinterpret_cast<gpointer*>(&state_->print));
    state_->closed = true;
    state_->timer.reset();
}

bool RealPrintDialog::Answered() const { return state_->answered; }

int RealPrintDialog::Enter(wxDialog* dialog) {
    State& s = *state_;
    if (s.dialog) return wxID_NONE;  // only the first dialog is ours
    s.dialog = dialog;
    s.deadline = Clock::now() + std::chrono::seconds(60);
    s.timer = std::make_unique<DriveTimer>(state_);
    s.timer->Start(10);
    return wxID_NONE;
}

void RealPrintDialog::Exit(wxDialog* dialog) {
    if (dialog != state_->dialog) return;
    if (state_->timer) state_->timer->Stop();
    state_->answered = !state_->closed && state_->step == State::kDone;
    state_->closed = true;
}

}  // namespace guitest
