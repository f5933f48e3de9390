#pragma once
// What the dialog tests share: a fresh simulated bus with one meter, the preferences record back at
// its defaults, the captured log cleared, and small helpers that drive controls with the events a
// user's click would send.

#include <gtest/gtest.h>
#include <wx/msgdlg.h>
#include <wx/window.h>

#include <vector>

#include "sim/Bus.h"
#include "sim/Meter.h"
#include "tests/gui/harness/GuiTest.h"

// Expects a message box with exactly this text and caption, and answers OK.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
public:
    ExpectMessage(const wxString& message, const wxString& caption)
        : message(message), caption(caption) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override;
    wxString GetDefaultDescription() const override { return "message box \"" + message + "\""; }

private:
    wxString message;
    wxString caption;
};

// A vendor request as the meter saw it.
struct Request {
    int code, value, index;
    bool operator==(const Request&) const = default;
};
void PrintTo(const Request& r, std::ostream* os);

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Vendor requests since the last ClearRequests(), in order (no SET_CONFIGURATION).
    std::vector<Request> Requests() const;
    std::vector<int> RequestCodes() const;
    void ClearRequests() { sim::Bus::Instance().ClearTransfers(); }
    std::vector<wxString> LoggedAt(wxLogLevel level) const;

    template <class T>
    static T* Find(wxWindow* dialog, const char* name) {
        T* found = dynamic_cast<T*>(wxWindow::FindWindowByName(name, dialog));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void Click(wxWindow* dialog, int id);
    static void Check(wxWindow* dialog, int id, bool on);

    sim::Meter* meter = nullptr;
};
