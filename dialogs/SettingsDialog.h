#pragma once
// "Impostazioni del dispositivo": reads the meter's settings block and clock when it opens and
// sends the interval, pressure unit, clock and automatic-logging thresholds on "Scarica". It talks
// to the meter through a KestUSB link of its own, created with the dialog and gone with it.
//
//     SettingsDialog dialog(parent);
//     dialog.ShowModal();

#include <wx/dialog.h>

#include <memory>

#include "SettingsRules.h"

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

    bool Connected() const { return connected; }
    MeterPicture Picture() const { return picture; }

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
    void StepClock(int byteIndex, int limit, bool up);
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

    std::unique_ptr<KestUSB> link;
    bool connected = false;
    MeterPicture picture = MeterPicture::Disconnected;
    uint16_t rateCode = 0;
    int interval = 10;
    uint8_t pressureUnit = 0;
    ClockBytes clock{};
    bool timeChanged = false;
    bool dateChanged = false;
    bool autoLogDirty = false;

    wxStaticBitmap* meterPicture = nullptr;
    wxTextCtrl* hoursField = nullptr;
    wxTextCtrl* minutesField = nullptr;
    wxTextCtrl* secondsField = nullptr;
    wxSpinButton* hoursSpin = nullptr;
    wxSpinButton* minutesSpin = nullptr;
    wxSpinButton* secondsSpin = nullptr;
    wxDatePickerCtrl* datePicker = nullptr;
    wxSlider* slider = nullptr;
    wxTextCtrl* intervalField = nullptr;
    wxSpinButton* intervalSpin = nullptr;
    wxCheckBox* psiBox = nullptr;
    wxCheckBox* barBox = nullptr;
    wxStaticBoxSizer* pressureGroup = nullptr;
    wxButton* sendButton = nullptr;
    wxCheckBox* autoLogBox = nullptr;
    wxTextCtrl* onThresholdField = nullptr;
    wxTextCtrl* onDelayField = nullptr;
    wxTextCtrl* offThresholdField = nullptr;
    wxTextCtrl* offDelayField = nullptr;
    wxStaticText* onUnitLabel = nullptr;
    wxStaticText* offUnitLabel = nullptr;
    wxStaticText* identityLine = nullptr;

    wxDECLARE_EVENT_TABLE();
};
