#include "tests/gui/dialogs/DialogFixture.h"

#include <wx/checkbox.h>

#include "data/Preferences.h"

int ExpectMessage::OnInvoked(wxMessageDialog* dlg) const {
    EXPECT_EQ(dlg->GetMessage(), message);
    EXPECT_EQ(dlg->GetCaption(), caption);
    EXPECT_TRUE(dlg->GetMessageDialogStyle() & wxOK);
    return wxID_OK;
}

void PrintTo(const Request& r, std::ostream* os) {
    *os << "{" << r.code << ", 0x" << std::hex << r.value << ", 0x" << r.index << std::dec << "}";
}

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

std::vector<Request> DialogTest::Requests() const {
    std::vector<Request> out;
    for (const sim::TransferRecord& t : sim::Bus::Instance().Transfers())
        if (t.requestType != 0) out.push_back({t.request, t.value, t.index});
    return out;
}

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
