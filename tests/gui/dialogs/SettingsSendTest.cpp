// "Scarica": what the settings dialog sends to the meter, what it refuses and what it reports.
#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "data/Preferences.h"
#include "dialogs/SettingsDialog.h"
#include "tests/gui/dialogs/DialogFixture.h"

class SettingsSend : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        SettingsBlock s = meter->Settings();
        s.rateCode = 0xF000;
        s.pressureUnit = 'b';
        s.state = 0x01;  // litres, automatic logging off
        s.flowOnThreshold = 50;
        s.flowOnDelay = 2;
        s.flowOffThreshold = 30;
        s.flowOffDelay = 10;
        s.unitMarker = 0;
        meter->SetSettings(s);
        meter->SetClock({2015, 4, 3, 9, 5, 7}, 0x20);
        dialog = std::make_unique<SettingsDialog>(nullptr);
        ASSERT_TRUE(dialog->Connected());
        ClearRequests();
    }
    void TearDown() override {
        dialog.reset();
        DialogTest::TearDown();
    }

    void Spin(int id, bool up) {
        wxWindow* spin = dialog->FindWindow(id);
        ASSERT_NE(spin, nullptr);
        wxSpinEvent event(up ? wxEVT_SPIN_UP : wxEVT_SPIN_DOWN, id);
        event.SetEventObject(spin);
        spin->GetEventHandler()->ProcessEvent(event);
    }
    void Slide(int position) {
        auto* slider = Find<wxSlider>(dialog.get(), "intervalSlider");
        slider->SetValue(position);
        wxScrollEvent event(wxEVT_SCROLL_THUMBRELEASE, SettingsDialog::ID_INTERVAL_SLIDER,
                            position);
        event.SetEventObject(slider);
        slider->GetEventHandler()->ProcessEvent(event);
    }
    void PickDate(const wxDateTime& date) {
        auto* picker = Find<wxDatePickerCtrl>(dialog.get(), "date");
        picker->SetValue(date);
        wxDateEvent event(picker, date, wxEVT_DATE_CHANGED);
        picker->GetEventHandler()->ProcessEvent(event);
    }
    void Type(const char* field, const wxString& text) {
        Find<wxTextCtrl>(dialog.get(), field)->SetValue(text);
    }
    wxString Field(const char* field) { return Find<wxTextCtrl>(dialog.get(), field)->GetValue(); }
    void Send() { Click(dialog.get(), SettingsDialog::ID_SEND); }

    std::unique_ptr<SettingsDialog> dialog;
};

TEST_F(SettingsSend, UnchangedSendsIntervalAndUnitOnly) {
    Send();
    const std::vector<Request> expected{{4, 0xF000, 0}, {12, 'b', 0}};
    EXPECT_EQ(Requests(), expected);
    EXPECT_EQ(dialog->Picture(), SettingsDialog::MeterPicture::Sent);
    EXPECT_TRUE(LoggedAt(wxLOG_Error).empty());
}

TEST_F(SettingsSend, EveryChangeReachesTheMeterInOrder) {
    Slide(24);
    Spin(SettingsDialog::ID_INTERVAL_SPIN, true);  // 2.5 s
    EXPECT_EQ(Field("interval"), "2.5");
    Check(dialog.get(), SettingsDialog::ID_PSI, true);
    EXPECT_FALSE(Find<wxCheckBox>(dialog.get(), "bar")->GetValue());
    EXPECT_EQ(GlobalPreferences().pressureUnit, 'p');
    Spin(SettingsDialog::ID_MINUTES_SPIN, true);   // 06
    Spin(SettingsDialog::ID_HOURS_SPIN, false);    // 8
    Spin(SettingsDialog::ID_SECONDS_SPIN, false);  // 6
    EXPECT_EQ(Field("hours"), "8");
    EXPECT_EQ(Field("minutes"), "06");
    EXPECT_EQ(Field("seconds"), "6");
    PickDate(wxDateTime(28, wxDateTime::Feb, 2027));
    Check(dialog.get(), SettingsDialog::ID_AUTO_LOG, true);
    Type("onThreshold", "60");
    Type("onDelay", "7");
    Type("offThreshold", "20");
    Type("offDelay", "10");
    meter->SetClock({2030, 1, 1, 0, 0, 0}, 0x20);  // the dialog sends what it read plus the steps

    Send();
    const std::vector<Request> expected{
        {4, 65536 - 10240, 0}, {12, 'p', 0}, {27, 0x0686, 0x2008}, {28, 0x0228, 0x27}, {30, 60, 2},
        {31, 20, 4},           {3, 2, 0}};
    EXPECT_EQ(Requests(), expected);
    EXPECT_TRUE(LoggedAt(wxLOG_Error).empty());
    EXPECT_EQ(Field("onDelay"), "5");  // 7 s is 2 samples of 2.5 s
    EXPECT_EQ(Field("offDelay"), "10");

    const SettingsBlock s = meter->Settings();
    EXPECT_EQ(s.rateCode, 65536 - 10240);
    EXPECT_EQ(s.pressureUnit, 'p');
    EXPECT_TRUE(s.autoLog());
    EXPECT_EQ(s.flowOnThreshold, 60);
    EXPECT_EQ(s.flowOnDelay, 2);
    EXPECT_EQ(s.flowOffThreshold, 20);
    EXPECT_EQ(s.flowOffDelay, 4);
    const sim::DateTime t = meter->Clock();
    EXPECT_EQ(t.year, 2027);
    EXPECT_EQ(t.month, 2);
    EXPECT_EQ(t.day, 28);
    EXPECT_EQ(t.hour, 8);
    EXPECT_EQ(t.minute, 6);
    EXPECT_EQ(t.second, 6);
    EXPECT_EQ(meter->FourthClockByte(), 0x20);

    // Everything went: a second send repeats only interval and unit.
    ClearRequests();
    Send();
    EXPECT_EQ(RequestCodes(), (std::vector<int>{4, 12}));
}

// The meter's clock runs, so its seconds byte carries the oscillator flag (bit 7): the dialog
// steps the digits under it and sends the flag back as it read it.
TEST_F(SettingsSend, SteppedClockGoesBackWithItsFlagBits) {
    for (int i = 0; i < 53; ++i) Spin(SettingsDialog::ID_SECONDS_SPIN, true);  // 07 -> 59 -> 00
    Spin(SettingsDialog::ID_MINUTES_SPIN, false);                              // 04
    EXPECT_EQ(Field("seconds"), "0");
    EXPECT_EQ(Field("minutes"), "04");
    EXPECT_EQ(Field("hours"), "9");
    ClearRequests();
    Send();
    const std::vector<Request> expected{{4, 0xF000, 0}, {12, 'b', 0}, {27, 0x0480, 0x2009}};
    EXPECT_EQ(Requests(), expected);
    EXPECT_TRUE(LoggedAt(wxLOG_Error).empty());
    const sim::DateTime t = meter->Clock();
    EXPECT_EQ(t.hour, 9);
    EXPECT_EQ(t.minute, 4);
    EXPECT_EQ(t.second, 0);
    EXPECT_EQ(meter->FourthClockByte(), 0x20);
}

TEST_F(SettingsSend, IntervalEnds) {
    Type("onDelay", "20");  // at least the longest interval's whole seconds
    Type("offDelay", "20");
    Slide(159);
    Spin(SettingsDialog::ID_INTERVAL_SPIN, true);
    EXPECT_EQ(Field("interval"), "15.9");
    Send();
    EXPECT_EQ(Requests()[0], (Request{4, 0x019A, 0}));
    Slide(1);
    Spin(SettingsDialog::ID_INTERVAL_SPIN, false);
    EXPECT_EQ(Field("interval"), "0.1");
    ClearRequests();
    Send();
    EXPECT_EQ(Requests()[0], (Request{4, 65536 - 409, 0}));
    EXPECT_EQ(meter->Settings().rateCode, 65536 - 409);
}

TEST_F(SettingsSend, UncheckingTheCheckedUnitKeepsIt) {
    Check(dialog.get(), SettingsDialog::ID_BAR, false);
    EXPECT_FALSE(Find<wxCheckBox>(dialog.get(), "psi")->GetValue());
    EXPECT_FALSE(Find<wxCheckBox>(dialog.get(), "bar")->GetValue());
    Send();
    EXPECT_EQ(Requests()[1], (Request{12, 'b', 0}));
}

struct Refusal {
    const char* name;
    const char *on, *off, *onDelay, *offDelay;
    const char* message;
    const char* caption;
};
void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class SettingsRefusal : public SettingsSend, public ::testing::WithParamInterface<Refusal> {};

TEST_P(SettingsRefusal, SendsNoThresholdsAndAsksAgainNextTime) {
    const Refusal& r = GetParam();
    Type("onThreshold", r.on);
    Type("offThreshold", r.off);
    Type("onDelay", r.onDelay);
    Type("offDelay", r.offDelay);
    for (int attempt = 0; attempt < 2; ++attempt) {
        ClearRequests();
        wxTEST_DIALOG(Send(),
                      ExpectMessage(wxString::FromUTF8(r.message), wxString::FromUTF8(r.caption)));
        EXPECT_EQ(RequestCodes(), (std::vector<int>{4, 12})) << "attempt " << attempt;
    }
    EXPECT_EQ(meter->Settings().flowOnThreshold, 50);
    EXPECT_EQ(meter->Settings().flowOffThreshold, 30);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsRefusal,
    ::testing::Values(
        Refusal{"text", "abc", "30", "2", "10", "reinserire il valore", "abc"},
        Refusal{"negative", "-1", "30", "2", "10", "reinserire il valore", "-1"},
        Refusal{"too wide", "70000", "30", "2", "10", "reinserire il valore", "70000"},
        Refusal{"delay text", "50", "30", "2s", "10", "reinserire il valore", "2s"},
        Refusal{"order", "30", "31", "2", "10",
                "Il livello ON deve essere più alto del livello OFF", "Message"},
        Refusal{"zero delay at 1.0 s", "50", "30", "0", "10",
                "il grado deve essere ridotto per raggiungere il ritardo della soglia",
                "Message"}));

TEST_F(SettingsSend, HighValuesAreWarnedAboutAndSent) {
    Type("onThreshold", "2500");
    Type("offThreshold", "2100");
    Type("onDelay", "4001");
    Type("offDelay", "10");
    wxTEST_DIALOG(
        Send(), ExpectMessage("Attenzione valori troppo alti per la soglia", "Message"),
        ExpectMessage("Attenzione valori troppo alti per la soglia", "Message"),
        ExpectMessage("Attenzione valori troppo alti per il ritardo della soglia", "Message"));
    EXPECT_EQ(meter->Settings().flowOnThreshold, 2500);
    EXPECT_EQ(meter->Settings().flowOffThreshold, 2100);
    EXPECT_EQ(meter->Settings().flowOnDelay, 4001);
}

TEST_F(SettingsSend, EqualThresholdsAndShortDelaysBelowOneSecond) {
    Slide(9);
    Type("onThreshold", "40");
    Type("offThreshold", "40");
    Type("onDelay", "0");
    Type("offDelay", "0");
    Send();
    EXPECT_EQ(RequestCodes(), (std::vector<int>{4, 12, 30, 31, 3}));
    EXPECT_EQ(meter->Settings().flowOnDelay, 0);
    EXPECT_EQ(meter->Settings().flowOffThreshold, 40);
}

TEST_F(SettingsSend, AnUnpluggedMeterIsReportedNeverShownAsSent) {
    Send();
    ASSERT_EQ(dialog->Picture(), SettingsDialog::MeterPicture::Sent);
    ClearRequests();
    Spin(SettingsDialog::ID_SECONDS_SPIN, true);
    PickDate(wxDateTime(1, wxDateTime::Mar, 2027));
    Type("onThreshold", "55");
    sim::Bus::Instance().Unplug(*meter);
    Send();
    EXPECT_EQ(dialog->Picture(), SettingsDialog::MeterPicture::Connected);
    const std::vector<wxString> expected{
        "Scaricamento impostazioni fallito: disinserire e reinserire il cavo USB",
        "Cambio dell'ora fallito",
        "Cambio dell'ora fallito",
        "modifica del valore di soglia fallito",
        "modifica del valore di soglia fallito",
        "funzione auto logging fallita"};
    EXPECT_EQ(LoggedAt(wxLOG_Error), expected);

    // Back again: the next send finds it, and the failed clock change is not repeated.
    sim::Bus::Instance().Replug(*meter);
    guitest::CapturedLog::Get().Clear();
    ClearRequests();
    Send();
    EXPECT_EQ(RequestCodes(), (std::vector<int>{4, 12}));
    EXPECT_EQ(dialog->Picture(), SettingsDialog::MeterPicture::Sent);
    EXPECT_TRUE(LoggedAt(wxLOG_Error).empty());
}

TEST_F(SettingsSend, MeterLostAfterTheIntervalWasSent) {
    Type("onThreshold", "55");
    sim::Bus::Instance().UnplugAfterTransfers(1);
    Send();
    EXPECT_EQ(meter->Settings().rateCode, 0xF000);
    EXPECT_EQ(dialog->Picture(), SettingsDialog::MeterPicture::Connected);
    const std::vector<wxString> errors = LoggedAt(wxLOG_Error);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front(),
              "Scaricamento impostazioni fallito: disinserire e reinserire il cavo USB");
}

// Real clicks on the steppers, through the X server: the toolkit tells up from down by the
// control's own position, which the dialog must leave alone for the next click to count.
TEST_F(SettingsSend, RealClicksStepTheInterval) {
    dialog->Show();
    auto* spin = Find<wxWindow>(dialog.get(), "intervalSpin");
    ASSERT_TRUE(guitest::WaitFor([&] { return spin->IsShownOnScreen(); }));
    guitest::Flush();
    const wxRect r = spin->GetScreenRect();
    const wxPoint plus(r.GetRight() - 4, r.y + r.height / 2);
    const wxPoint minus(r.GetRight() - r.width / 4 - r.width / 2 + 4, r.y + r.height / 2);
    wxUIActionSimulator sim;
    auto click = [&](const wxPoint& at) {
        sim.MouseMove(at);
        guitest::Flush();
        sim.MouseClick();
        guitest::Flush();
    };
    click(plus);
    ASSERT_TRUE(guitest::WaitFor([&] { return Field("interval") == "1.1"; })) << Field("interval");
    click(plus);
    EXPECT_TRUE(guitest::WaitFor([&] { return Field("interval") == "1.2"; })) << Field("interval");
    click(minus);
    EXPECT_TRUE(guitest::WaitFor([&] { return Field("interval") == "1.1"; })) << Field("interval");
    dialog->Hide();
}
