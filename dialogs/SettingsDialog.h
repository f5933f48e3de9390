#pragma once
// "Impostazioni del dispositivo": reads the meter's settings block and clock when it opens and
// sends the interval, pressure unit, clock and automatic-logging thresholds on "Scarica". It talks
// to the meter through a KestUSB link of its own, created with the dialog and gone with it.
//
//     SettingsDialog dialog(parent);
//     dialog.ShowModal();

#include <wx/dialog.h>

#include <memory>

#include "dialogs/core/SettingsRules.h"

class KestUSB;
class wxBoxSizer;
class wxButton;
class wxCheckBox;
class wxCommandEvent;
class wxDateEvent;
class wxDatePickerCtrl;
class wxScrollEvent;
class wxSlider;
class wxSpinButton;
class wxSpinEvent;
class wxStaticBitmap;
class wxStaticBoxSizer;
class wxStaticText;
class wxTextCtrl;

class SettingsDialog : public wxDialog {
public:
    enum ControlId {
        ID_INTERVAL_SLIDER = 3,
        ID_INTERVAL_SPIN = 4,
        ID_SEND = 5,
        ID_PSI = 6,
        ID_BAR = 7,
        ID_MINUTES_SPIN = 8,
        ID_HOURS_SPIN = 9,
        ID_DATE = 10,
        ID_SECONDS_SPIN = 11,
        ID_AUTO_LOG = 12,
        ID_THRESHOLD_TEXT = 13,
    };
    enum class MeterPicture { Connected, Sent, Disconnected };

    explicit SettingsDialog(wxWindow* parent);
    ~SettingsDialog() override;

    bool Connected() const { return connected_; }
    MeterPicture Picture() const { return picture_; }

private:
    void BuildControls();
    wxBoxSizer* BuildLeftColumn();
    wxStaticBoxSizer* BuildAutoLogGroup();
    wxBoxSizer* BuildButtonRow();
    void LoadFromMeter();
    void EnterDisconnectedMode();
    void LoadClock();
    void ApplyFlowUnit(const uint8_t* block, std::size_t length);
    void ShowPicture(MeterPicture which);
    void ApplyInterval();
    void ShowClock();
    void StepClock(int byteIndex, uint8_t digitMask, int limit, bool up);
    void EnableThresholdFields();
    void Send();
    void SendThresholds();
    void Notify(const wxString& text, const wxString& caption);

    void OnSlider(wxScrollEvent& event);
    void OnIntervalUp(wxSpinEvent& event);
    void OnIntervalDown(wxSpinEvent& event);
    void OnClockSpin(wxSpinEvent& event);
    void OnDate(wxDateEvent& event);
    void OnPsi(wxCommandEvent& event);
    void OnBar(wxCommandEvent& event);
    void OnAutoLog(wxCommandEvent& event);
    void OnThresholdText(wxCommandEvent& event);
    void OnSend(wxCommandEvent& event);

    std::unique_ptr<KestUSB> link_;
    bool connected_ = false;
    MeterPicture picture_ = MeterPicture::Disconnected;
    uint16_t rateCode_ = 0;
    int interval_ = 10;
    uint8_t pressureUnit_ = 0;
    ClockBytes clock_{};
    bool timeChanged_ = false;
    bool dateChanged_ = false;
    bool autoLogDirty_ = false;

    wxStaticBitmap* meterPicture_ = nullptr;
    wxTextCtrl* hoursField_ = nullptr;
    wxTextCtrl* minutesField_ = nullptr;
    wxTextCtrl* secondsField_ = nullptr;
    wxSpinButton* hoursSpin_ = nullptr;
    wxSpinButton* minutesSpin_ = nullptr;
    wxSpinButton* secondsSpin_ = nullptr;
    wxDatePickerCtrl* datePicker_ = nullptr;
    wxSlider* slider_ = nullptr;
    wxTextCtrl* intervalField_ = nullptr;
    wxSpinButton* intervalSpin_ = nullptr;
    wxCheckBox* psiBox_ = nullptr;
    wxCheckBox* barBox_ = nullptr;
    wxStaticBoxSizer* pressureGroup_ = nullptr;
    wxButton* sendButton_ = nullptr;
    wxCheckBox* autoLogBox_ = nullptr;
    wxTextCtrl* onThresholdField_ = nullptr;
    wxTextCtrl* onDelayField_ = nullptr;
    wxTextCtrl* offThresholdField_ = nullptr;
    wxTextCtrl* offDelayField_ = nullptr;
    wxStaticText* onUnitLabel_ = nullptr;
    wxStaticText* offUnitLabel_ = nullptr;
    wxStaticText* identityLine_ = nullptr;

    wxDECLARE_EVENT_TABLE();
};
