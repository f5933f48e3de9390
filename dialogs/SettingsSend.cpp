// What the settings dialog's controls do, and sending the settings to the meter ("Scarica").
#include <Preferences.h>
#include <meter/KestUSB.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

#include "SettingsDialog.h"
#include "ThresholdCheck.h"

wxBEGIN_EVENT_TABLE(SettingsDialog, wxDialog)
    EVT_COMMAND_SCROLL(ID_INTERVAL_SLIDER, SettingsDialog::OnSlider)
    EVT_SPIN_UP(ID_INTERVAL_SPIN, SettingsDialog::OnIntervalUp)
    EVT_SPIN_DOWN(ID_INTERVAL_SPIN, SettingsDialog::OnIntervalDown)
    EVT_SPIN_UP(ID_MINUTES_SPIN, SettingsDialog::OnClockSpin)
    EVT_SPIN_DOWN(ID_MINUTES_SPIN, SettingsDialog::OnClockSpin)
    EVT_SPIN_UP(ID_HOURS_SPIN, SettingsDialog::OnClockSpin)
    EVT_SPIN_DOWN(ID_HOURS_SPIN, SettingsDialog::OnClockSpin)
    EVT_SPIN_UP(ID_SECONDS_SPIN, SettingsDialog::OnClockSpin)
    EVT_SPIN_DOWN(ID_SECONDS_SPIN, SettingsDialog::OnClockSpin)
    EVT_DATE_CHANGED(ID_DATE, SettingsDialog::OnDate)
    EVT_CHECKBOX(ID_PSI, SettingsDialog::OnPsi)
    EVT_CHECKBOX(ID_BAR, SettingsDialog::OnBar)
    EVT_CHECKBOX(ID_AUTO_LOG, SettingsDialog::OnAutoLog)
    EVT_TEXT(ID_THRESHOLD_TEXT, SettingsDialog::OnThresholdText)
    EVT_BUTTON(ID_SEND, SettingsDialog::OnSend)
wxEND_EVENT_TABLE()

void SettingsDialog::ApplyInterval() {
    slider->SetValue(interval);
    rateCode = RateCodeFromInterval(interval);
    intervalField->ChangeValue(IntervalText(interval));
    // The delays are kept in samples, which depend on the interval.
    autoLogDirty = true;
}

void SettingsDialog::ShowClock() {
    const ClockTexts texts = ClockFieldTexts(clock);
    hoursField->ChangeValue(texts.hours);
    minutesField->ChangeValue(texts.minutes);
    secondsField->ChangeValue(texts.seconds);
}

void SettingsDialog::StepClock(int byteIndex, int limit, bool up) {
    clock[byteIndex] = StepClockByte(clock[byteIndex], limit, up);
    ShowClock();
    timeChanged = true;
}

void SettingsDialog::EnableThresholdFields() {
    const bool on = autoLogBox->GetValue();
    for (wxTextCtrl* field : {onThresholdField, onDelayField, offThresholdField, offDelayField})
        field->Enable(on);
}

void SettingsDialog::OnSlider(wxScrollEvent& event) {
    interval = std::clamp(event.GetPosition(), kMinInterval, kMaxInterval);
    ApplyInterval();
}

void SettingsDialog::OnIntervalUp(wxSpinEvent&) {
    interval = StepInterval(interval, true);
    ApplyInterval();
}

void SettingsDialog::OnIntervalDown(wxSpinEvent&) {
    interval = StepInterval(interval, false);
    ApplyInterval();
}

void SettingsDialog::OnClockSpin(wxSpinEvent& event) {
    const bool up = event.GetEventType() == wxEVT_SPIN_UP;
    switch (event.GetId()) {
        case ID_SECONDS_SPIN:
            StepClock(0, 59, up);
            break;
        case ID_MINUTES_SPIN:
            StepClock(1, 59, up);
            break;
        case ID_HOURS_SPIN:
            StepClock(2, 23, up);
            break;
    }
}

void SettingsDialog::OnDate(wxDateEvent& event) {
    const wxDateTime picked = event.GetDate();
    if (!picked.IsValid()) return;
    dateChanged = true;
    SetClockDate(clock, {picked.GetDay(), picked.GetMonth() + 1, picked.GetYear()});
}

void SettingsDialog::OnPsi(wxCommandEvent&) {
    barBox->SetValue(false);
    pressureUnit = 'p';
    GlobalPreferences().pressureUnit = 'p';
}

void SettingsDialog::OnBar(wxCommandEvent&) {
    psiBox->SetValue(false);
    pressureUnit = 'b';
    GlobalPreferences().pressureUnit = 'b';
}

void SettingsDialog::OnAutoLog(wxCommandEvent&) {
    EnableThresholdFields();
    autoLogDirty = true;
}

void SettingsDialog::OnThresholdText(wxCommandEvent&) { autoLogDirty = true; }

void SettingsDialog::OnSend(wxCommandEvent&) {
    // The button is disabled without a meter; an event sent anyway must not reach the link.
    if (connected) Send();
}

void SettingsDialog::Notify(const wxString& text, const wxString& caption) {
    wxMessageBox(text, caption, wxOK | wxCENTRE, this);
}

void SettingsDialog::Send() {
    if (link->DownloadSettings(rateCode, pressureUnit)) {
        ShowPicture(MeterPicture::Sent);
    } else {
        // The picture of an earlier send must not stand beside this failure.
        ShowPicture(MeterPicture::Connected);
        wxLogError("%s", "Scaricamento impostazioni fallito: disinserire e reinserire il cavo USB");
    }

    if (timeChanged) {
        const uint8_t time[4] = {clock[0], clock[1], clock[2], clock[3]};
        if (!link->SetClockTime(time))
            wxLogError("%s", wxString::FromUTF8("Cambio dell'ora fallito"));
        timeChanged = false;
    }
    if (dateChanged) {
        const uint8_t date[3] = {clock[4], clock[5], clock[6]};
        if (!link->SetClockDate(date))
            wxLogError("%s", wxString::FromUTF8("Cambio dell'ora fallito"));
        dateChanged = false;
    }
    if (autoLogDirty) SendThresholds();
}

void SettingsDialog::SendThresholds() {
    const ThresholdCheck check =
        CheckThresholds({onThresholdField->GetValue(), offThresholdField->GetValue(),
                         onDelayField->GetValue(), offDelayField->GetValue()},
                        interval);
    if (check.outcome == ThresholdOutcome::Unparsed) {
        Notify(kMsgReenter, check.rejected);
        return;
    }
    if (check.onThresholdHigh) Notify(kMsgThresholdHigh, "Message");
    if (check.offThresholdHigh) Notify(kMsgThresholdHigh, "Message");
    if (check.outcome == ThresholdOutcome::OrderWrong) {
        Notify(kMsgOrder, "Message");
        return;
    }
    if (check.outcome == ThresholdOutcome::DelayTooShort) {
        Notify(kMsgDelayShort, "Message");
        return;
    }
    if (check.onDelayHigh) Notify(kMsgDelayHigh, "Message");
    if (check.offDelayHigh) Notify(kMsgDelayHigh, "Message");
    onDelayField->ChangeValue(wxString::Format("%d", check.onDelayShown));
    offDelayField->ChangeValue(wxString::Format("%d", check.offDelayShown));

    if (!link->SetFlowOnThreshold(check.onThreshold, check.onDelaySamples))
        wxLogError("%s", "modifica del valore di soglia fallito");
    if (!link->SetFlowOffThreshold(check.offThreshold, check.offDelaySamples))
        wxLogError("%s", "modifica del valore di soglia fallito");
    // The link sends the meter's "on" code (2) for 1.
    if (!link->SetAutoLog(autoLogBox->GetValue() ? 1 : 0))
        wxLogError("%s", "funzione auto logging fallita");
    autoLogDirty = false;
}
