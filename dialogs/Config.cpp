#include "dialogs/Config.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/datetime.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <array>
#include <ctime>

#include "data/Preferences.h"
#include "dialogs/core/FactoryRules.h"
#include "dialogs/core/SettingsListing.h"
#include "meter/KestUSB.h"
#include "meter/MeterClock.h"
#include "meter/SettingsBlock.h"

wxBEGIN_EVENT_TABLE(Config, wxDialog)
    EVT_BUTTON(ID_RESET, Config::OnReset)
    EVT_BUTTON(ID_FILTER, Config::OnFilter)
    EVT_BUTTON(ID_READ_ADC, Config::OnReadAdc)
    EVT_BUTTON(ID_CALIBRATION, Config::OnCalibration)
    EVT_BUTTON(ID_LIST, Config::OnList)
wxEND_EVENT_TABLE()

Config::Config(wxWindow* parent) : wxDialog(parent, wxID_ANY, "Device Settings") {
    SetBackgroundColour(wxColour(236, 233, 216));
    BuildControls();
    link_ = std::make_unique<KestUSB>();
}

Config::~Config() = default;

void Config::BuildControls() {
    auto field = [this](wxWindow* parent, const wxString& value, const wxSize& size,
                        const wxString& name) {
        return new wxTextCtrl(parent, ID_FIELD, value, wxDefaultPosition, size, wxTE_RIGHT,
                              wxDefaultValidator, name);
    };
    auto button = [](wxWindow* parent, int id, const wxString& label, const wxSize& size) {
        return new wxButton(parent, id, label, wxDefaultPosition, size);
    };

    auto* resetGroup = new wxStaticBoxSizer(wxHORIZONTAL, this, "HVX2 and DRUV Device");
    resetGroup->Add(
        button(resetGroup->GetStaticBox(), ID_RESET, "Configure TOC and RTC", {100, 30}), 1,
        wxEXPAND);

    auto* filterGroup = new wxStaticBoxSizer(wxVERTICAL, this, "DRUV and HVX Device");
    wxWindow* fbox = filterGroup->GetStaticBox();
    medianField_ = field(fbox, "3", {50, 25}, "median");
    clampField_ = field(fbox, "30", {50, 25}, "clamp");
    volumeRangeBox_ =
        new wxCheckBox(fbox, ID_VOLUME_RANGE, "Volume Range (checked for 1000) (Tarnelo)");
    filterGroup->Add(medianField_);
    filterGroup->Add(clampField_);
    filterGroup->Add(volumeRangeBox_);
    filterGroup->Add(button(fbox, ID_FILTER, "Set Median and Cutoff", {100, 30}), 1, wxEXPAND);

    auto* pressureGroup =
        new wxStaticBoxSizer(wxVERTICAL, this, "HVX Pressure Calibration (cal to PSI)");
    wxWindow* pbox = pressureGroup->GetStaticBox();
    pressureGroup->Add(button(pbox, ID_READ_ADC, "Read RAW ADC pressure value", {100, 30}), 1,
                       wxEXPAND);
    adcLabel_ =
        new wxStaticText(pbox, wxID_ANY, "ADC value", wxDefaultPosition, wxDefaultSize, 0, "adc");
    pressureGroup->Add(adcLabel_);
    zeroField_ = field(pbox, "104", {150, 20}, "zero");
    roughField_ = field(pbox, "2", {150, 20}, "rough");
    fineField_ = field(pbox, "26", {150, 20}, "fine");
    pressureGroup->Add(zeroField_);
    pressureGroup->Add(roughField_);
    pressureGroup->Add(fineField_);
    pressureGroup->Add(button(pbox, ID_CALIBRATION, "Set Zero and Fine Tune Scale", {100, 30}), 1,
                       wxEXPAND);

    auto* listGroup = new wxStaticBoxSizer(wxVERTICAL, this, "Read All Settings");
    listGroup->Add(button(listGroup->GetStaticBox(), ID_LIST, "Read all Settings", {80, 25}), 1,
                   wxEXPAND);

    auto* left = new wxBoxSizer(wxVERTICAL);
    for (wxSizer* group :
         std::initializer_list<wxSizer*>{resetGroup, filterGroup, pressureGroup, listGroup})
        left->Add(group, 0, wxEXPAND | wxALL, 5);
    left->Add(button(this, wxID_CANCEL, "&Close", {200, 30}), 1, wxEXPAND | wxALL, 10);

    auto* contentsGroup = new wxStaticBoxSizer(wxVERTICAL, this, "Configuration Contents");
    contents_ =
        new wxTextCtrl(contentsGroup->GetStaticBox(), wxID_ANY, "", wxDefaultPosition, {300, 20},
                       wxTE_MULTILINE | wxTE_RICH | wxTE_NOHIDESEL, wxDefaultValidator, "contents");
    contentsGroup->Add(contents_, 1, wxEXPAND);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(left);
    row->Add(contentsGroup, 1, wxEXPAND);
    SetSizerAndFit(row);
}

void Config::OnReset(wxCommandEvent&) {
    if (!link_->DownloadSettings(kFactoryRateCode, kFactoryPressureUnit))
        wxLogError("%s", "Download Settings failed: Unplug USB and Re-insert");
    link_->SetAutoLog(0);
    link_->EraseLog();

    const wxDateTime now = wxDateTime::Now();
    std::tm tm{};
    tm.tm_sec = now.GetSecond();
    tm.tm_min = now.GetMinute();
    tm.tm_hour = now.GetHour();
    tm.tm_mday = now.GetDay();
    tm.tm_mon = now.GetMonth();
    tm.tm_year = now.GetYear() - 1900;
    const TimeBlock time = MakeTimeBlock(tm, 0);
    const DateBlock date = MakeDateBlock(tm);
    if (!link_->SetClockTime(time.data())) wxLogError("%s", "Clock Time Change failed");
    if (!link_->SetClockDate(date.data())) wxLogError("%s", "Clock Time Change failed");

    link_->SetClockConfig(kClockConfigA, kClockConfigB);
    if (const uint8_t* config = link_->GetClockConfig())
        wxLogMessage("Clock Configure: %x", config[0]);
    else
        wxLogError("%s", "Clock Configure failed");

    if (!link_->SetFlowOnThreshold(kFactoryFlowOn.threshold, kFactoryFlowOn.delaySamples))
        wxLogError("%s", "Failed to set Flow On thresh");
    if (!link_->SetFlowOffThreshold(kFactoryFlowOff.threshold, kFactoryFlowOff.delaySamples))
        wxLogError("%s", "Failed to set Flow Off thresh");
}

void Config::OnFilter(wxCommandEvent&) {
    MedianClamp values;
    const wxString refusal =
        CheckMedianClamp(medianField_->GetValue(), clampField_->GetValue(), values);
    if (!refusal.empty()) {
        wxLogMessage("%s", refusal);
        return;
    }
    wxLogMessage("Setting median crop to %d", values.median & 0xFF);
    wxLogMessage("Setting clamp  to %d", values.clamp & 0xFF);
    if (!link_->SetMedianClamp(values.median, values.clamp))
        wxLogMessage("%s", "Failed to set Median and Clamp");
}

void Config::OnReadAdc(wxCommandEvent&) {
    if (const uint8_t* reply = link_->GetPressureAdc())
        adcLabel_->SetLabel(wxString::Format("%d", reply[0] | (reply[1] << 8)));
}

void Config::OnCalibration(wxCommandEvent&) {
    Calibration values;
    const wxString refusal = CheckCalibration(zeroField_->GetValue(), fineField_->GetValue(),
                                              roughField_->GetValue(), values);
    if (!refusal.empty()) {
        wxLogMessage("%s", refusal);
        return;
    }
    wxLogMessage("Setting Zero pressure pt to %d", values.zero & 0xFF);
    wxLogMessage("Setting fine adjustment scale to %d", values.fine & 0xFF);
    wxLogMessage("Setting rough adjustment scale to %d", values.rough & 0xFF);
    if (!link_->SetPressureCalibration(values.zero, values.fine, values.rough))
        wxLogMessage("%s", "Failed to set Pressure Calibration!");
}

void Config::OnList(wxCommandEvent&) {
    contents_->Clear();
    ListingInput input;
    input.version = VersionWord(link_->GetFirmwareVersion());
    // The block's length follows the version the main window learnt, as the meter's other readers
    // do.
    const std::size_t length =
        SettingsBlockLength(static_cast<uint16_t>(GlobalPreferences().firmwareVersion));
    std::array<uint8_t, kLongSettingsLength> block{};
    std::array<uint8_t, 8> clock{};
    std::array<uint8_t, 2> config{};
    if (link_->ReadMemory(0, static_cast<unsigned>(length), block.data())) {
        input.block = std::span<const uint8_t>(block.data(), length);
        if (const uint8_t* reply = link_->GetClock()) {
            std::copy(reply, reply + clock.size(), clock.begin());
            input.clock = std::span<const uint8_t, 8>(clock);
        }
        if (const uint8_t* reply = link_->GetClockConfig()) {
            std::copy(reply, reply + config.size(), config.begin());
            input.clockConfig = std::span<const uint8_t, 2>(config);
        }
    }
    contents_->AppendText(SettingsListing(input));
}
