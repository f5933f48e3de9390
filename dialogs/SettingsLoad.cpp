// Filling the settings dialog from the meter when it opens.
#include <Preferences.h>
#include <meter/KestUSB.h>
#include <meter/SettingsBlock.h>
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

#include "SettingsDialog.h"

void SettingsDialog::LoadFromMeter() {
    link = std::make_unique<KestUSB>();
    Preferences& prefs = GlobalPreferences();

    const uint16_t version = VersionWord(link->GetFirmwareVersion());
    prefs.firmwareVersion = version;
    const std::size_t length = SettingsBlockLength(version);
    std::array<uint8_t, kLongSettingsLength> raw{};
    if (!link->ReadMemory(0, static_cast<unsigned>(length), raw.data())) {
        EnterDisconnectedMode();
        autoLogDirty = false;
        return;
    }
    const std::optional<SettingsBlock> block = DecodeSettingsBlock({raw.data(), length});
    connected = true;
    ShowPicture(MeterPicture::Connected);

    interval = IntervalFromRateCode(block->rateCode);
    ApplyFlowUnit(raw.data(), length);
    ApplyInterval();

    pressureUnit = block->pressureUnit;
    psiBox->SetValue(pressureUnit == kPressurePsi);
    barBox->SetValue(pressureUnit == kPressureBar);
    prefs.pressureUnit = pressureUnit;
    prefs.metricUnits = block->metricUnits() ? 1 : 0;
    autoLogBox->SetValue(block->autoLog());

    LoadClock();
    link->SetClockConfig(0, 171);

    onThresholdField->ChangeValue(wxString::Format("%d", block->flowOnThreshold));
    offThresholdField->ChangeValue(wxString::Format("%d", block->flowOffThreshold));
    onDelayField->ChangeValue(wxString::Format("%d", interval * block->flowOnDelay / 10));
    offDelayField->ChangeValue(wxString::Format("%d", interval * block->flowOffDelay / 10));

    const wxString unit = prefs.metricUnits == 0 ? "G/min" : " L/min";
    onUnitLabel->SetLabel(unit);
    offUnitLabel->SetLabel(unit);
    EnableThresholdFields();

    if (version == kLongSettingsVersion && block->serial && block->manufactureDate) {
        prefs.serial = *block->serial;
        identityLine->SetLabel(IdentityLine(*block->serial, *block->manufactureDate));
        wxSize line(300, 30);
        line.IncTo(identityLine->GetBestSize());
        identityLine->SetMinSize(line);
    }

    if (prefs.meterSetsFlowUnit) {
        for (wxWindow* w : std::initializer_list<wxWindow*>{datePicker, psiBox, barBox, hoursField,
                                                            minutesField, secondsField})
            w->Disable();
        pressureGroup->GetStaticBox()->Hide();
        psiBox->Hide();
        barBox->Hide();
    }
    Fit();
    autoLogDirty = false;
}

void SettingsDialog::EnterDisconnectedMode() {
    connected = false;
    ShowPicture(MeterPicture::Disconnected);
    for (wxWindow* w : std::initializer_list<wxWindow*>{
             sendButton, psiBox, barBox, slider, intervalSpin, intervalField, hoursField,
             minutesField, secondsField, datePicker, autoLogBox, onThresholdField, onDelayField,
             offThresholdField, offDelayField})
        w->Disable();
    interval = 100;
    ApplyInterval();
    ShowClock();
}

// A clock that does not answer leaves nothing to step: the clock controls stay disabled so that
// no made-up time or date can be sent.
void SettingsDialog::LoadClock() {
    const uint8_t* reply = link->GetClock();
    if (reply == nullptr) {
        for (wxWindow* w :
             std::initializer_list<wxWindow*>{hoursSpin, minutesSpin, secondsSpin, datePicker})
            w->Disable();
        hoursField->ChangeValue("--");
        minutesField->ChangeValue("--");
        secondsField->ChangeValue("--");
        return;
    }
    std::copy(reply, reply + clock.size(), clock.begin());
    // The clock chip keeps flag bits above the digits; stepping and sending work on the digits.
    clock[0] &= 0x7F;
    clock[1] &= 0x7F;
    clock[2] &= 0x3F;
    ShowClock();
    if (const std::optional<CalendarDate> date = ClockDate(clock))
        datePicker->SetValue(
            wxDateTime(date->day, static_cast<wxDateTime::Month>(date->month - 1), date->year));
}
