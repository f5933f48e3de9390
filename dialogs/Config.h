#pragma once
// "Device Settings", the factory configuration dialog: resets a meter to its factory settings,
// sets its flow filter constants and pressure calibration, reads its raw pressure converter and
// lists its settings. English texts; its own KestUSB link, created with the dialog and gone with
// it.
//
//     Config dialog(parent);
//     dialog.ShowModal();

#include <wx/dialog.h>

#include <memory>

class KestUSB;
class wxCheckBox;
class wxCommandEvent;
class wxStaticText;
class wxTextCtrl;

class Config : public wxDialog {
public:
    enum ControlId {
        ID_RESET = 0,
        ID_FILTER = 1,
        ID_CALIBRATION = 6,
        ID_READ_ADC = 7,
        ID_VOLUME_RANGE = 9,
        ID_FIELD = 13,
        ID_LIST = 16,
    };

    explicit Config(wxWindow* parent);
    ~Config() override;

private:
    void BuildControls();
    void OnReset(wxCommandEvent& event);
    void OnFilter(wxCommandEvent& event);
    void OnReadAdc(wxCommandEvent& event);
    void OnCalibration(wxCommandEvent& event);
    void OnList(wxCommandEvent& event);

    std::unique_ptr<KestUSB> link_;
    wxTextCtrl* medianField_ = nullptr;
    wxTextCtrl* clampField_ = nullptr;
    wxCheckBox* volumeRangeBox_ = nullptr;
    wxStaticText* adcLabel_ = nullptr;
    wxTextCtrl* zeroField_ = nullptr;
    wxTextCtrl* roughField_ = nullptr;
    wxTextCtrl* fineField_ = nullptr;
    wxTextCtrl* contents_ = nullptr;

    wxDECLARE_EVENT_TABLE();
};
