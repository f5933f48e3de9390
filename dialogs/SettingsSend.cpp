// What the settings dialog's controls do, and sending the settings to the meter ("Scarica").
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

#include "data/Preferences.h"
#include "dialogs/SettingsDialog.h"
#include "dialogs/core/ThresholdCheck.h"
#include "meter/KestUSB.h"

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
    slider_->SetValue(interval_);
    rateCode_ = RateCodeFromInterval(interval_);
    intervalField_->ChangeValue(IntervalText(interval_));
    // The delays are kept in samples, which depend on the interval.
    autoLogDirty_ = true;
}

void SettingsDialog::ShowClock() {
    const ClockTexts texts = ClockFieldTexts(clock_);
    hoursField_->ChangeValue(texts.hours);
    minutesField_->ChangeValue(texts.minutes);
    secondsField_->ChangeValue(texts.seconds);
}

void SettingsDialog::StepClock(int byteIndex, uint8_t digitMask, int limit, bool up) {
    clock_[byteIndex] = StepClockByte(clock_[byteIndex], digitMask, limit, up);
    ShowClock();
    timeChanged_ = true;
}

void SettingsDialog::EnableThresholdFields() {
    const bool on = autoLogBox_->GetValue();
    for (wxTextCtrl* field : {onThresholdField_, onDelayField_, offThresholdField_, offDelayField_})
        field->Enable(on);
}

void SettingsDialog::OnSlider(wxScrollEvent& event) {
    interval_ = std::clamp(event.GetPosition(), kMinInterval, kMaxInterval);
    ApplyInterval();
}

void SettingsDialog::OnIntervalUp(wxSpinEvent&) {
    interval_ = StepInterval(interval_, true);
    ApplyInterval();
}

void SettingsDialog::OnIntervalDown(wxSpinEvent&) {
    interval_ = StepInterval(interval_, false);
    ApplyInterval();
}

void SettingsDialog::OnClockSpin(wxSpinEvent& event) {
    const bool up = event.GetEventType() == wxEVT_SPIN_UP;
    switch (event.GetId()) {
        case ID_SECONDS_SPIN:
            StepClock(0, 0x7F, 59, up);
            break;
        case ID_MINUTES_SPIN:
            StepClock(1, 0x7F, 59, up);
            break;
        case ID_HOURS_SPIN:
            StepClock(2, 0x3F, 23, up);
            break;
    }
}

void SettingsDialog::OnDate(wxDateEvent& event) {
    const wxDateTime picked = event.GetDate();
    if (!picked.IsValid()) return;
    dateChanged_ = true;
    SetClockDate(clock_, {picked.GetDay(), picked.GetMonth() + 1, picked.GetYear()});
}

void SettingsDialog::OnPsi(wxCommandEvent&) {
    barBox_->SetValue(false);
    pressureUnit_ = 'p';
    GlobalPreferences().pressureUnit = 'p';
}

void SettingsDialog::OnBar(wxCommandEvent&) {
    psiBox_->SetValue(false);
    pressureUnit_ = 'b';
    GlobalPreferences().pressureUnit = 'b';
}

void SettingsDialog::OnAutoLog(wxCommandEvent&) {
    EnableThresholdFields();
    autoLogDirty_ = true;
}

void SettingsDialog::OnThresholdText(wxCommandEvent&) { autoLogDirty_ = true; }

void SettingsDialog::OnSend(wxCommandEvent&) {
    // The button is disabled without a meter; an event sent anyway must not reach the link.
    if (connected_) Send();
}

void SettingsDialog::Notify(const wxString& text, const wxString& caption) {
    wxMessageBox(text, caption, wxOK | wxCENTRE, this);
}

void SettingsDialog::Send() {
    if (link_->DownloadSettings(rateCode_, pressureUnit_)) {
        ShowPicture(MeterPicture::Sent);
    } else {
        // The picture of an earlier send must not stand beside this failure.
        ShowPicture(MeterPicture::Connected);
        wxLogError("%s", "Scaricamento impostazioni fallito: disinserire e reinserire il cavo USB");
    }

    if (timeChanged_) {
        const uint8_t time[4] = {clock_[0], clock_[1], clock_[2], clock_[3]};
        if (!link_->SetClockTime(time))
            wxLogError("%s", wxString::FromUTF8("Cambio dell'ora fallito"));
        timeChanged_ = false;
    }
    if (dateChanged_) {
        const uint8_t date[3] = {clock_[4], clock_[5], clock_[6]};
        if (!link_->SetClockDate(date))
            wxLogError("%s", wxString::FromUTF8("Cambio dell'ora fallito"));
        dateChanged_ = false;
    }
    if (autoLogDirty_) SendThresholds();
}

void SettingsDialog::SendThresholds() {
    const ThresholdCheck check =
        CheckThresholds({onThresholdField_->GetValue(), offThresholdField_->GetValue(),
                         onDelayField_->GetValue(), offDelayField_->GetValue()},
                        interval_);
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
    onDelayField_->ChangeValue(wxString::Format("%d", check.onDelayShown));
    offDelayField_->ChangeValue(wxString::Format("%d", check.offDelayShown));

    if (!link_->SetFlowOnThreshold(check.onThreshold, check.onDelaySamples))
        wxLogError("%s", "modifica del valore di soglia fallito");
    if (!link_->SetFlowOffThreshold(check.offThreshold, check.offDelaySamples))
        wxLogError("%s", "modifica del valore di soglia fallito");
    // The link sends the meter's "on" code (2) for 1.
    if (!link_->SetAutoLog(autoLogBox_->GetValue() ? 1 : 0))
        wxLogError("%s", "funzione auto logging fallita");
    autoLogDirty_ = false;
}
