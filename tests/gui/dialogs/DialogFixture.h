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
#include "tests/gui/harness/ExpectMessage.h"
#include "tests/gui/harness/GuiTest.h"
#include "tests/support/Transfers.h"

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
