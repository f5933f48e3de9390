#include "tests/gui/dialogs/DialogFixture.h"

#include <wx/checkbox.h>

#include "data/Preferences.h"

void DialogTest::SetUp() {
    sim::Bus::Instance().Reset();
    meter = &sim::Bus::Instance().PlugMeter();
    GlobalPreferences() = Preferences{};
    guitest::CapturedLog::Get().Clear();
}

void DialogTest::TearDown() {
    EXPECT_EQ(sim::Bus::Instance().OpenHandles(), 0);
    EXPECT_EQ(sim::Bus::Instance().StaleDeviceOpens(), 0);
    sim::Bus::Instance().Reset();
}

std::vector<Request> DialogTest::Requests() const { return LoggedRequests(); }

std::vector<int> DialogTest::RequestCodes() const {
    std::vector<int> out;
    for (const Request& r : Requests()) out.push_back(r.code);
    return out;
}

std::vector<wxString> DialogTest::LoggedAt(wxLogLevel level) const {
    std::vector<wxString> out;
    for (const guitest::LogEntry& e : guitest::CapturedLog::Get().Entries())
        if (e.level == level) out.push_back(e.text);
    return out;
}

void DialogTest::Click(wxWindow* dialog, int id) {
    wxCommandEvent event(wxEVT_BUTTON, id);
    dialog->GetEventHandler()->ProcessEvent(event);
}

void DialogTest::Check(wxWindow* dialog, int id, bool on) {
    auto* box = dynamic_cast<wxCheckBox*>(dialog->FindWindow(id));
    ASSERT_NE(box, nullptr) << id;
    box->SetValue(on);
    wxCommandEvent event(wxEVT_CHECKBOX, id);
    event.SetEventObject(box);
    event.SetInt(on);
    box->GetEventHandler()->ProcessEvent(event);
}
