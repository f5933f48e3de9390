// The factory configuration dialog: reset, filter constants, calibration, converter and listing.
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "data/Preferences.h"
#include "dialogs/Config.h"
#include "tests/gui/dialogs/DialogFixture.h"

class ConfigDialog : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        dialog = std::make_unique<Config>(nullptr);
        ClearRequests();
    }
    void TearDown() override {
        dialog.reset();
        DialogTest::TearDown();
    }
    void Type(const char* field, const wxString& text) {
        Find<wxTextCtrl>(dialog.get(), field)->SetValue(text);
    }
    wxString Contents() { return Find<wxTextCtrl>(dialog.get(), "contents")->GetValue(); }

    std::unique_ptr<Config> dialog;
};

TEST_F(ConfigDialog, OpensWithDefaultsAndAsksTheMeterNothing) {
    EXPECT_EQ(dialog->GetTitle(), "Device Settings");
    EXPECT_EQ(Find<wxTextCtrl>(dialog.get(), "median")->GetValue(), "3");
    EXPECT_EQ(Find<wxTextCtrl>(dialog.get(), "clamp")->GetValue(), "30");
    EXPECT_EQ(Find<wxTextCtrl>(dialog.get(), "zero")->GetValue(), "104");
    EXPECT_EQ(Find<wxTextCtrl>(dialog.get(), "rough")->GetValue(), "2");
    EXPECT_EQ(Find<wxTextCtrl>(dialog.get(), "fine")->GetValue(), "26");
    EXPECT_EQ(Find<wxStaticText>(dialog.get(), "adc")->GetLabel(), "ADC value");
    EXPECT_TRUE(sim::Bus::Instance().Transfers().empty());
}

TEST_F(ConfigDialog, ResetGivesTheMeterItsFactorySettings) {
    SettingsBlock s = meter->Settings();
    s.rateCode = 0x1234;
    s.pressureUnit = 'p';
    s.state = 0x03;
    meter->SetSettings(s);
    const RawSample samples[3] = {};
    ASSERT_TRUE(meter->AddEvent({2020, 1, 1, 0, 0, 0}, samples));
    meter->SetClock({2001, 1, 1, 0, 0, 0});

    const wxDateTime before = wxDateTime::Now();
    Click(dialog.get(), Config::ID_RESET);
    const wxDateTime after = wxDateTime::Now();

    const std::vector<int> codes{4, 12, 3, 13, 27, 28, 29, 2, 30, 31};
    EXPECT_EQ(RequestCodes(), codes);
    const std::vector<Request> r = Requests();
    ASSERT_EQ(r.size(), codes.size());
    EXPECT_EQ(r[0], (Request{4, 0xF000, 0}));
    EXPECT_EQ(r[1], (Request{12, 'b', 0}));
    EXPECT_EQ(r[2], (Request{3, 0, 0}));
    EXPECT_EQ(r[6], (Request{29, 0xAB00, 0}));
    EXPECT_EQ(r[8], (Request{30, 50, 2}));
    EXPECT_EQ(r[9], (Request{31, 30, 10}));

    const SettingsBlock now = meter->Settings();
    EXPECT_EQ(now.rateCode, 0xF000);
    EXPECT_EQ(now.pressureUnit, 'b');
    EXPECT_FALSE(now.autoLog());
    EXPECT_EQ(meter->EventCount(), 0u);
    const sim::DateTime t = meter->Clock();
    const wxDateTime set(t.day, static_cast<wxDateTime::Month>(t.month - 1), t.year, t.hour,
                         t.minute, t.second);
    EXPECT_TRUE(set.IsBetween(before.GetDateOnly(), after + wxTimeSpan::Seconds(1)))
        << set.FormatISOCombined();
    EXPECT_GE(set, before - wxTimeSpan::Seconds(1));

    EXPECT_TRUE(LoggedAt(wxLOG_Error).empty());
    EXPECT_EQ(LoggedAt(wxLOG_Message), std::vector<wxString>{"Clock Configure: 0"});
}

TEST_F(ConfigDialog, ResetWithoutAMeterReportsEachFailure) {
    sim::Bus::Instance().Unplug(*meter);
    Click(dialog.get(), Config::ID_RESET);
    const std::vector<wxString> expected{"Download Settings failed: Unplug USB and Re-insert",
                                         "Clock Time Change failed",
                                         "Clock Time Change failed",
                                         "Clock Configure failed",
                                         "Failed to set Flow On thresh",
                                         "Failed to set Flow Off thresh"};
    EXPECT_EQ(LoggedAt(wxLOG_Error), expected);
}

struct FilterCase {
    const char *median, *clamp;
    std::vector<wxString> messages;
    bool sent;
};

TEST_F(ConfigDialog, MedianAndClampWithinTheirLimitsAreSent) {
    const FilterCase cases[] = {
        {"20", "250", {"Setting median crop to 20", "Setting clamp  to 250"}, true},
        {"21", "250", {"Too big!"}, false},
        {"20", "251", {"Clamp very big. Not setting it"}, false},
        {"", "30", {"Not a valid value: \"\""}, false},
        {"-1", "30", {"Not a valid value: \"-1\""}, false},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(std::string(c.median) + "/" + c.clamp);
        SettingsBlock s = meter->Settings();
        s.medianLength = 5;
        s.flowClamp = 40;
        meter->SetSettings(s);
        ClearRequests();
        guitest::CapturedLog::Get().Clear();
        Type("median", c.median);
        Type("clamp", c.clamp);
        Click(dialog.get(), Config::ID_FILTER);
        EXPECT_EQ(LoggedAt(wxLOG_Message), c.messages);
        if (c.sent) {
            EXPECT_EQ(Requests(), (std::vector<Request>{{33, 250 * 256 + 20, 0}}));
            EXPECT_EQ(meter->Settings().medianLength, 20);
            EXPECT_EQ(meter->Settings().flowClamp, 250);
        } else {
            EXPECT_TRUE(Requests().empty());
            EXPECT_EQ(meter->Settings().medianLength, 5);
        }
    }
}

TEST_F(ConfigDialog, CalibrationWithinItsLimitsIsSent) {
    const struct {
        const char *zero, *fine, *rough;
        std::vector<wxString> messages;
        bool sent;
    } cases[] = {
        {"200",
         "255",
         "255",
         {"Setting Zero pressure pt to 200", "Setting fine adjustment scale to 255",
          "Setting rough adjustment scale to 255"},
         true},
        {"201", "0", "999", {"Zero pt too big!"}, false},
        {"200", "0", "1", {"Fine adjustment values outside range"}, false},
        {"200", "1", "256", {"Rough adjustment values outside range"}, false},
        {"", "26", "2", {"Not a valid value: \"\""}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zero) + "/" + c.fine + "/" + c.rough);
        ClearRequests();
        guitest::CapturedLog::Get().Clear();
        Type("zero", c.zero);
        Type("fine", c.fine);
        Type("rough", c.rough);
        Click(dialog.get(), Config::ID_CALIBRATION);
        EXPECT_EQ(LoggedAt(wxLOG_Message), c.messages);
        EXPECT_EQ(Requests().size(), c.sent ? 1u : 0u);
    }
    const SettingsBlock s = meter->Settings();
    EXPECT_EQ(s.pressureZero, 200);
    EXPECT_EQ(s.pressureFine, 255);
    EXPECT_EQ(s.pressureRough, 255);
}

TEST_F(ConfigDialog, FailedCalibrationIsReported) {
    sim::Bus::Instance().Unplug(*meter);
    Click(dialog.get(), Config::ID_CALIBRATION);
    const std::vector<wxString> messages = LoggedAt(wxLOG_Message);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Failed to set Pressure Calibration!");
    Click(dialog.get(), Config::ID_FILTER);
    EXPECT_EQ(LoggedAt(wxLOG_Message).back(), "Failed to set Median and Clamp");
}

TEST_F(ConfigDialog, ReadsTheRawPressureConverter) {
    meter->SetPressureAdc(40000);
    Click(dialog.get(), Config::ID_READ_ADC);
    EXPECT_EQ(Find<wxStaticText>(dialog.get(), "adc")->GetLabel(), "40000");
    sim::Bus::Instance().Unplug(*meter);
    Click(dialog.get(), Config::ID_READ_ADC);
    EXPECT_EQ(Find<wxStaticText>(dialog.get(), "adc")->GetLabel(), "40000");
}

TEST_F(ConfigDialog, ListsTheMeterSettings) {
    SettingsBlock s = meter->Settings();
    s.rateCode = 0xF000;
    s.pressureUnit = 'p';
    s.serial = 777;
    meter->SetSettings(s);
    meter->SetClock({2015, 4, 3, 9, 5, 7});
    GlobalPreferences().firmwareVersion = 0x0403;
    Click(dialog.get(), Config::ID_LIST);
    const wxString text = Contents();
    EXPECT_TRUE(text.StartsWith("Firmware Version: \t 403\nSample Rate \t f000 -> 10\n")) << text;
    EXPECT_NE(text.Find("Pressure Unit \t 112 PSI\n"), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find("Serial no. \t 777 \n"), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find("\nRTC Current Time: \t 9:5:7  3:4:15 \n"), wxNOT_FOUND) << text;
    EXPECT_TRUE(text.EndsWith("Clock Configure \t 0 ab \n")) << text;
    EXPECT_EQ(Requests()[1], (Request{23, 0, 0x2900}));

    // A second listing replaces the first; an unknown version reads the short block.
    GlobalPreferences().firmwareVersion = 0;
    ClearRequests();
    Click(dialog.get(), Config::ID_LIST);
    EXPECT_EQ(Requests()[1], (Request{23, 0, 0x1500}));
    EXPECT_EQ(Contents().Find("Serial"), wxNOT_FOUND);
    EXPECT_EQ(Contents().Find("Firmware Version"), Contents().rfind("Firmware Version"));
}

TEST_F(ConfigDialog, ListingWithoutAMeterEndsAfterTheVersion) {
    sim::Bus::Instance().Unplug(*meter);
    Click(dialog.get(), Config::ID_LIST);
    EXPECT_EQ(Contents(), "Firmware Version: \t 0\n");
}
