// The settings dialog reads the meter when it opens and shows what it found.
#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "data/Preferences.h"
#include "dialogs/SettingsDialog.h"
#include "tests/gui/dialogs/DialogFixture.h"

namespace {

wxString Text(wxWindow* dialog, const char* name) {
    wxWindow* w = wxWindow::FindWindowByName(name, dialog);
    if (auto* text = dynamic_cast<wxTextCtrl*>(w)) return text->GetValue();
    if (auto* label = dynamic_cast<wxStaticText*>(w)) return label->GetLabel();
    ADD_FAILURE() << "no text control " << name;
    return {};
}

}  // namespace

class SettingsOpen : public DialogTest {
protected:
    // A litre meter logging every 2.5 s in PSI with automatic logging on, no flow-unit marker.
    void SetUp() override {
        DialogTest::SetUp();
        SettingsBlock s = meter->Settings();
        s.rateCode = 65536 - 10240;
        s.pressureUnit = 'p';
        s.state = 0x03;
        s.flowOnThreshold = 50;
        s.flowOnDelay = 2;
        s.flowOffThreshold = 30;
        s.flowOffDelay = 10;
        s.serial = 12345;
        s.manufactureDate = std::array<uint8_t, 3>{0x15, 0x06, 0x21};
        s.unitMarker = 0;
        meter->SetSettings(s);
        meter->SetClock({2015, 4, 3, 9, 5, 7}, 0x20);
    }
};

TEST_F(SettingsOpen, ShowsTheMeterValues) {
    SettingsDialog dialog(nullptr);
    EXPECT_EQ(dialog.GetTitle(), "Impostazioni del dispositivo");
    EXPECT_TRUE(dialog.Connected());
    EXPECT_EQ(dialog.Picture(), SettingsDialog::MeterPicture::Connected);

    EXPECT_EQ(Text(&dialog, "interval"), "2.5");
    EXPECT_EQ(Find<wxSlider>(&dialog, "intervalSlider")->GetValue(), 25);
    EXPECT_TRUE(Find<wxCheckBox>(&dialog, "psi")->GetValue());
    EXPECT_FALSE(Find<wxCheckBox>(&dialog, "bar")->GetValue());
    EXPECT_EQ(Text(&dialog, "hours"), "9");
    EXPECT_EQ(Text(&dialog, "minutes"), "05");
    EXPECT_EQ(Text(&dialog, "seconds"), "7");
    const wxDateTime date = Find<wxDatePickerCtrl>(&dialog, "date")->GetValue();
    EXPECT_EQ(date.GetDay(), 3);
    EXPECT_EQ(date.GetMonth(), wxDateTime::Apr);
    EXPECT_EQ(date.GetYear(), 2015);

    EXPECT_TRUE(Find<wxCheckBox>(&dialog, "autoLog")->GetValue());
    EXPECT_EQ(Text(&dialog, "onThreshold"), "50");
    EXPECT_EQ(Text(&dialog, "onDelay"), "5");  // 2 samples of 2.5 s
    EXPECT_EQ(Text(&dialog, "offThreshold"), "30");
    EXPECT_EQ(Text(&dialog, "offDelay"), "25");
    EXPECT_TRUE(Find<wxTextCtrl>(&dialog, "onThreshold")->IsEnabled());
    EXPECT_EQ(Text(&dialog, "onUnit"), " L/min");
    EXPECT_EQ(Text(&dialog, "offUnit"), " L/min");
    EXPECT_EQ(Text(&dialog, "identity"),
              "Numero seriale del misuratore: 12345  Data di fabbricazione: 15:6:21");

    const Preferences& prefs = GlobalPreferences();
    EXPECT_EQ(prefs.firmwareVersion, 0x0403);
    EXPECT_EQ(prefs.serial, 12345);
    EXPECT_EQ(prefs.pressureUnit, 'p');
    EXPECT_EQ(prefs.metricUnits, 1);
    EXPECT_FALSE(prefs.meterSetsFlowUnit);

    const std::vector<Request> expected{{41, 0, 0}, {23, 0, 0x2900}, {26, 0, 0}, {29, 0xAB00, 0}};
    EXPECT_EQ(Requests(), expected);
    EXPECT_TRUE(LoggedAt(wxLOG_Error).empty());
}

TEST_F(SettingsOpen, OldFirmwareGallonMeterWithAnUnknownPressureUnit) {
    meter->SetFirmwareVersion(0x0402);
    SettingsBlock s = meter->Settings();
    s.state = 0x00;
    s.pressureUnit = 8;
    s.rateCode = 0xF000;
    meter->SetSettings(s);

    SettingsDialog dialog(nullptr);
    EXPECT_TRUE(dialog.Connected());
    EXPECT_EQ(Requests()[1], (Request{23, 0, 0x1500}));  // the 21-byte block
    EXPECT_EQ(Text(&dialog, "interval"), "1.0");
    EXPECT_FALSE(Find<wxCheckBox>(&dialog, "psi")->GetValue());
    EXPECT_FALSE(Find<wxCheckBox>(&dialog, "bar")->GetValue());
    EXPECT_EQ(Text(&dialog, "onUnit"), "G/min");
    EXPECT_EQ(Text(&dialog, "offUnit"), "G/min");
    EXPECT_EQ(Text(&dialog, "identity"), "");
    EXPECT_FALSE(Find<wxCheckBox>(&dialog, "autoLog")->GetValue());
    for (const char* field : {"onThreshold", "onDelay", "offThreshold", "offDelay"})
        EXPECT_FALSE(Find<wxTextCtrl>(&dialog, field)->IsEnabled()) << field;
    EXPECT_EQ(GlobalPreferences().firmwareVersion, 0x0402);
    EXPECT_EQ(GlobalPreferences().metricUnits, 0);

    // The unknown unit goes back to the meter as it came.
    ClearRequests();
    Click(&dialog, SettingsDialog::ID_SEND);
    ASSERT_GE(Requests().size(), 2u);
    EXPECT_EQ(Requests()[1], (Request{12, 8, 0}));
    EXPECT_EQ(meter->Settings().pressureUnit, 8);
}

TEST_F(SettingsOpen, MeterThatSetsTheFlowUnitHidesThePressureUnit) {
    SettingsBlock s = meter->Settings();
    s.unitMarker = 5;
    s.flowUnitBit = 4;
    meter->SetSettings(s);

    SettingsDialog dialog(nullptr);
    dialog.Show();
    EXPECT_TRUE(GlobalPreferences().meterSetsFlowUnit);
    EXPECT_EQ(GlobalPreferences().flowUnit, 2);
    EXPECT_FALSE(Find<wxCheckBox>(&dialog, "psi")->IsShown());
    EXPECT_FALSE(Find<wxCheckBox>(&dialog, "bar")->IsShown());
    EXPECT_FALSE(Find<wxDatePickerCtrl>(&dialog, "date")->IsEnabled());
    EXPECT_FALSE(Find<wxTextCtrl>(&dialog, "hours")->IsEnabled());
    EXPECT_TRUE(Find<wxSlider>(&dialog, "intervalSlider")->IsEnabled());
    dialog.Hide();
}

TEST_F(SettingsOpen, WithoutAMeterNothingCanBeSentAndNothingIsSaid) {
    sim::Bus::Instance().Unplug(*meter);
    ClearRequests();
    SettingsDialog dialog(nullptr);
    EXPECT_FALSE(dialog.Connected());
    EXPECT_EQ(dialog.Picture(), SettingsDialog::MeterPicture::Disconnected);
    EXPECT_EQ(Text(&dialog, "interval"), "10.0");
    EXPECT_EQ(Find<wxSlider>(&dialog, "intervalSlider")->GetValue(), 100);
    for (const char* name :
         {"send", "psi", "bar", "intervalSlider", "intervalSpin", "interval", "hours", "minutes",
          "seconds", "date", "autoLog", "onThreshold", "onDelay", "offThreshold", "offDelay"})
        EXPECT_FALSE(Find<wxWindow>(&dialog, name)->IsEnabled()) << name;
    EXPECT_TRUE(Find<wxWindow>(&dialog, "hoursSpin")->IsEnabled());
    EXPECT_TRUE(guitest::CapturedLog::Get().Entries().empty());

    Click(&dialog, SettingsDialog::ID_SEND);  // even a stray event reaches no meter
    EXPECT_TRUE(Requests().empty());
    EXPECT_TRUE(LoggedAt(wxLOG_Error).empty());
}

TEST_F(SettingsOpen, AClockThatDoesNotAnswerIsNeitherShownNorSent) {
    // The meter goes away right after the settings block, before the clock is read.
    sim::Bus::Instance().UnplugAfterTransfers(2);
    SettingsDialog dialog(nullptr);
    ASSERT_TRUE(dialog.Connected());
    EXPECT_EQ(Text(&dialog, "hours"), "--");
    EXPECT_EQ(Text(&dialog, "minutes"), "--");
    EXPECT_EQ(Text(&dialog, "seconds"), "--");
    for (const char* name : {"hoursSpin", "minutesSpin", "secondsSpin", "date"})
        EXPECT_FALSE(Find<wxWindow>(&dialog, name)->IsEnabled()) << name;

    sim::Bus::Instance().Replug(*meter);
    ClearRequests();
    Click(&dialog, SettingsDialog::ID_SEND);
    EXPECT_EQ(RequestCodes(), (std::vector<int>{4, 12}));
    EXPECT_EQ(dialog.Picture(), SettingsDialog::MeterPicture::Sent);
}
