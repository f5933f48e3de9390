// Filling the settings dialog from the meter when it opens.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <array>

#include "data/Preferences.h"
#include "dialogs/SettingsDialog.h"
#include "meter/KestUSB.h"
#include "meter/MeterClock.h"
#include "meter/SettingsBlock.h"

void SettingsDialog::LoadFromMeter() {
    link_ = std::make_unique<KestUSB>();
    Preferences& prefs = GlobalPreferences();

    const uint16_t version = VersionWord(link_->GetFirmwareVersion());
    prefs.firmwareVersion = version;
    const std::size_t length = SettingsBlockLength(version);
    std::array<uint8_t, kLongSettingsLength> raw{};
    if (!link_->ReadMemory(0, static_cast<unsigned>(length), raw.data())) {
        EnterDisconnectedMode();
        autoLogDirty_ = false;
        return;
    }
    const std::optional<SettingsBlock> block = DecodeSettingsBlock({raw.data(), length});
    connected_ = true;
    ShowPicture(MeterPicture::Connected);

    interval_ = IntervalFromRateCode(block->rateCode);
    ApplyFlowUnit(raw.data(), length);
    ApplyInterval();

    pressureUnit_ = block->pressureUnit;
    psiBox_->SetValue(pressureUnit_ == kPressurePsi);
    barBox_->SetValue(pressureUnit_ == kPressureBar);
    prefs.pressureUnit = pressureUnit_;
    prefs.metricUnits = block->metricUnits() ? 1 : 0;
    autoLogBox_->SetValue(block->autoLog());

    LoadClock();
    link_->SetClockConfig(kClockConfigA, kClockConfigB);

    onThresholdField_->ChangeValue(wxString::Format("%d", block->flowOnThreshold));
    offThresholdField_->ChangeValue(wxString::Format("%d", block->flowOffThreshold));
    onDelayField_->ChangeValue(wxString::Format("%d", interval_ * block->flowOnDelay / 10));
    offDelayField_->ChangeValue(wxString::Format("%d", interval_ * block->flowOffDelay / 10));

    const wxString unit = prefs.metricUnits == 0 ? "G/min" : " L/min";
    onUnitLabel_->SetLabel(unit);
    offUnitLabel_->SetLabel(unit);
    EnableThresholdFields();

    if (version == kLongSettingsVersion && block->serial && block->manufactureDate) {
        prefs.serial = *block->serial;
        identityLine_->SetLabel(IdentityLine(*block->serial, *block->manufactureDate));
        wxSize line(300, 30);
        line.IncTo(identityLine_->GetBestSize());
        identityLine_->SetMinSize(line);
    }

    if (prefs.meterSetsFlowUnit) {
        for (wxWindow* w : std::initializer_list<wxWindow*>{
                 datePicker_, psiBox_, barBox_, hoursField_, minutesField_, secondsField_})
            w->Disable();
        pressureGroup_->GetStaticBox()->Hide();
        psiBox_->Hide();
        barBox_->Hide();
    }
    Fit();
    autoLogDirty_ = false;
}

void SettingsDialog::EnterDisconnectedMode() {
    connected_ = false;
    ShowPicture(MeterPicture::Disconnected);
    for (wxWindow* w : std::initializer_list<wxWindow*>{
             sendButton_, psiBox_, barBox_, slider_, intervalSpin_, intervalField_, hoursField_,
             minutesField_, secondsField_, datePicker_, autoLogBox_, onThresholdField_,
             onDelayField_, offThresholdField_, offDelayField_})
        w->Disable();
    interval_ = 100;
    ApplyInterval();
    ShowClock();
}

// A clock that does not answer leaves nothing to step: the clock controls stay disabled so that
// no made-up time or date can be sent.
void SettingsDialog::LoadClock() {
    const uint8_t* reply = link_->GetClock();
    if (reply == nullptr) {
        for (wxWindow* w :
             std::initializer_list<wxWindow*>{hoursSpin_, minutesSpin_, secondsSpin_, datePicker_})
            w->Disable();
        hoursField_->ChangeValue("--");
        minutesField_->ChangeValue("--");
        secondsField_->ChangeValue("--");
        return;
    }
    std::copy(reply, reply + clock_.size(), clock_.begin());
    // The flag bits above the digits (the oscillator's among them) stay as read: stepping changes
    // the digits only and the time goes back with the flags the meter gave.
    ShowClock();
    if (const std::optional<CalendarDate> date = ClockDate(clock_))
        datePicker_->SetValue(
            wxDateTime(date->day, static_cast<wxDateTime::Month>(date->month - 1), date->year));
}
