#include "dialogs/SettingsDialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <vector>

#include "art/Art.h"
#include "data/Preferences.h"
#include "data/Units.h"
#include "meter/KestUSB.h"

namespace {

const wxColour kInterfaceGrey(236, 233, 216);

wxFont BoldFont() { return wxFont(11, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD); }

// The sizes are the dialog's design at the classic theme's metrics; a theme whose controls need
// more room (GTK's spin buttons, a larger font) gets it, so nothing is clipped.
void AtLeast(wxWindow* control, wxSize size) {
    size.IncTo(control->GetBestSize());
    control->SetMinSize(size);
}

// A read-only field wide enough for `sample` in its own font.
void FitText(wxTextCtrl* field, const wxSize& size, const wxString& sample) {
    wxSize need = field->GetSizeFromTextSize(field->GetTextExtent(sample));
    need.IncTo(size);
    field->SetMinSize(need);
}

wxSpinButton* Stepper(wxWindow* parent, int id, const wxSize& size, const wxString& name) {
    auto* spin = new wxSpinButton(parent, id, wxDefaultPosition, size, wxSP_VERTICAL, name);
    // Every click is one step of our own value. The control's own position is left alone (the
    // toolkit compares it with the last one to tell up from down) but kept far from its ends.
    spin->SetRange(-1000000, 1000000);
    spin->SetValue(0);
    AtLeast(spin, size);
    return spin;
}

}  // namespace

SettingsDialog::SettingsDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Impostazioni del dispositivo") {
    SetBackgroundColour(kInterfaceGrey);
    BuildControls();
    LoadFromMeter();
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::BuildControls() {
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(BuildLeftColumn());
    top->Add(BuildAutoLogGroup(), 0, wxEXPAND | wxALL, 10);

    identityLine_ =
        new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxSize(300, 30), 0, "identity");
    auto* status = new wxBoxSizer(wxHORIZONTAL);
    status->Add(identityLine_, 0, wxLEFT | wxBOTTOM, 2);

    auto* main = new wxBoxSizer(wxVERTICAL);
    main->Add(top);
    main->Add(BuildButtonRow());
    main->Add(status);
    SetSizerAndFit(main);
}

wxBoxSizer* SettingsDialog::BuildLeftColumn() {
    meterPicture_ = new wxStaticBitmap(this, wxID_ANY, ArtBitmap("meter-disconnected", {280, 70}),
                                       wxDefaultPosition, wxSize(280, 70));

    auto* clockGroup = new wxStaticBoxSizer(wxHORIZONTAL, this, "Orologio in tempo reale");
    auto timePart = [&](const wxString& caption, const wxString& name, int spinId,
                        wxTextCtrl*& field, wxSpinButton*& spin) {
        auto* group = new wxStaticBoxSizer(wxHORIZONTAL, this, caption);
        field =
            new wxTextCtrl(group->GetStaticBox(), wxID_ANY, "", wxDefaultPosition, wxSize(30, 25),
                           wxTE_READONLY | wxTE_RIGHT, wxDefaultValidator, name);
        field->SetFont(BoldFont());
        FitText(field, wxSize(30, 25), "88");
        spin = Stepper(group->GetStaticBox(), spinId, wxSize(15, 25), name + "Spin");
        group->Add(field);
        group->Add(spin);
        clockGroup->Add(group);
    };
    timePart("Ore", "hours", ID_HOURS_SPIN, hoursField_, hoursSpin_);
    timePart("Minuti", "minutes", ID_MINUTES_SPIN, minutesField_, minutesSpin_);
    timePart("Secondi", "seconds", ID_SECONDS_SPIN, secondsField_, secondsSpin_);
    auto* dateGroup = new wxStaticBoxSizer(wxHORIZONTAL, this, "Data");
    datePicker_ = new wxDatePickerCtrl(dateGroup->GetStaticBox(), ID_DATE,
                                       wxDateTime(1, wxDateTime::Feb, 2011), wxDefaultPosition,
                                       wxSize(100, 25), wxDP_DROPDOWN, wxDefaultValidator, "date");
    datePicker_->SetFont(BoldFont());
    AtLeast(datePicker_, wxSize(100, 25));
    dateGroup->Add(datePicker_);
    clockGroup->Add(dateGroup);

    auto* intervalGroup = new wxStaticBoxSizer(
        wxHORIZONTAL, this, wxString::FromUTF8("Unità di misura dello strumento (Secondi)"));
    wxWindow* box = intervalGroup->GetStaticBox();
    slider_ = new wxSlider(box, ID_INTERVAL_SLIDER, 10, kMinInterval, kMaxInterval,
                           wxDefaultPosition, wxSize(180, -1), wxSL_HORIZONTAL | wxSL_AUTOTICKS,
                           wxDefaultValidator, "intervalSlider");
    slider_->SetTickFreq(10);
    intervalField_ = new wxTextCtrl(box, wxID_ANY, "", wxDefaultPosition, wxSize(40, 25),
                                    wxTE_READONLY | wxTE_RIGHT, wxDefaultValidator, "interval");
    intervalField_->SetFont(BoldFont());
    FitText(intervalField_, wxSize(40, 25), "15.9");
    intervalSpin_ = Stepper(box, ID_INTERVAL_SPIN, wxSize(20, 25), "intervalSpin");
    intervalGroup->Add(slider_, 0, wxEXPAND | wxALL, 5);
    intervalGroup->Add(intervalField_, 0, wxEXPAND | wxALL, 5);
    intervalGroup->Add(intervalSpin_, 0, wxEXPAND | wxALL, 5);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(meterPicture_);
    column->Add(clockGroup, 0, wxEXPAND | wxALL, 10);
    column->Add(intervalGroup, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
    return column;
}

wxStaticBoxSizer* SettingsDialog::BuildAutoLogGroup() {
    auto* group =
        new wxStaticBoxSizer(wxVERTICAL, this, "Controllo automatico della registrazione dei dati");
    wxWindow* box = group->GetStaticBox();
    autoLogBox_ =
        new wxCheckBox(box, ID_AUTO_LOG, "Disabilita la registrazione automatica dei dati",
                       wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "autoLog");
    group->Add(autoLogBox_);

    auto row = [&](wxWindow* parent, wxFlexGridSizer* grid, const wxString& caption,
                   const wxString& name, wxTextCtrl*& field, wxStaticText*& unit,
                   const wxString& unitText, bool second) {
        grid->Add(new wxStaticText(parent, wxID_ANY, caption), 0, wxRIGHT | wxTOP, 5);
        field = new wxTextCtrl(parent, ID_THRESHOLD_TEXT, "", wxDefaultPosition, wxSize(50, 25),
                               wxTE_RIGHT, wxDefaultValidator, name);
        field->SetFont(BoldFont());
        grid->Add(field, 0, second ? wxTOP : 0, 5);
        unit = new wxStaticText(parent, wxID_ANY, unitText);
        grid->Add(unit, 0, wxLEFT | wxTOP, 5);
    };
    wxStaticText* ignored = nullptr;
    auto* on =
        new wxStaticBoxSizer(wxVERTICAL, box, "Accendere la registrazionde dei dati quando:");
    auto* onGrid = new wxFlexGridSizer(3);
    row(on->GetStaticBox(), onGrid, wxString::FromUTF8("La portata è maggiore di:"), "onThreshold",
        onThresholdField_, onUnitLabel_, " L/min", false);
    row(on->GetStaticBox(), onGrid, wxString::FromUTF8("per più di"), "onDelay", onDelayField_,
        ignored, "secondi", true);
    on->Add(onGrid);
    auto* off =
        new wxStaticBoxSizer(wxVERTICAL, box, "Spegnere la registrazionde dei dati quando:");
    auto* offGrid = new wxFlexGridSizer(3);
    row(off->GetStaticBox(), offGrid, wxString::FromUTF8("La portata è minore di:"), "offThreshold",
        offThresholdField_, offUnitLabel_, "L/min", false);
    row(off->GetStaticBox(), offGrid, wxString::FromUTF8("per più di"), "offDelay", offDelayField_,
        ignored, "secondi", true);
    off->Add(offGrid);
    group->Add(on, 0, wxEXPAND | wxALL, 10);
    group->Add(off, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    onUnitLabel_->SetName("onUnit");
    offUnitLabel_->SetName("offUnit");
    return group;
}

wxBoxSizer* SettingsDialog::BuildButtonRow() {
    pressureGroup_ =
        new wxStaticBoxSizer(wxHORIZONTAL, this, wxString::FromUTF8("Unità di pressione"));
    wxWindow* box = pressureGroup_->GetStaticBox();
    psiBox_ = new wxCheckBox(box, ID_PSI, "PSI", wxDefaultPosition, wxDefaultSize, 0,
                             wxDefaultValidator, "psi");
    psiBox_->SetBackgroundColour(kInterfaceGrey);
    barBox_ = new wxCheckBox(box, ID_BAR, "Bar", wxDefaultPosition, wxDefaultSize, 0,
                             wxDefaultValidator, "bar");
    pressureGroup_->Add(psiBox_, 0, wxEXPAND | wxALL, 5);
    pressureGroup_->Add(barBox_, 0, wxEXPAND | wxALL, 5);

    sendButton_ = new wxButton(this, ID_SEND, "Scarica", wxDefaultPosition, wxSize(100, 30), 0,
                               wxDefaultValidator, "send");
    sendButton_->SetBackgroundColour(kInterfaceGrey);
    auto* close = new wxButton(this, wxID_CANCEL, "e chiudi", wxDefaultPosition, wxSize(100, 30));

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(pressureGroup_, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    row->Add(sendButton_, 0, wxALL, 10);
    row->Add(close, 0, wxALL, 10);
    return row;
}

void SettingsDialog::ShowPicture(MeterPicture which) {
    static const char* const names[] = {"meter-connected", "meter-sent", "meter-disconnected"};
    picture_ = which;
    meterPicture_->SetBitmap(ArtBitmap(names[static_cast<int>(which)], {280, 70}));
}

// Kept apart from the block decoding: Units.h and SettingsBlock.h both name the pressure codes.
void SettingsDialog::ApplyFlowUnit(const uint8_t* block, std::size_t length) {
    ApplyMeterFlowUnit(GlobalPreferences(), block, length);
}
