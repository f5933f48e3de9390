#include "plot/GraphView.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

#include <cstdlib>

#include "art/Art.h"
#include "data/Preferences.h"
#include "data/Units.h"
#include "plot/mpFXYVector.h"
#include "plot/mpFXYVectorKest.h"
#include "plot/mpInfoLegend.h"
#include "plot/mpInfoTextBox.h"
#include "plot/mpScaleX.h"
#include "plot/mpScaleY.h"
#include "plot/mpScaleYKest.h"
#include "plot/mpWindow.h"
#include "widgets/kwxLCDClock.h"
#include "widgets/kwxLCDDisplay.h"
#include "widgets/wxKestButton.h"

namespace {

const wxSize kToolPicture{50, 50};
const wxSize kColumnPicture{35, 30};

void ShowPictures(wxKestButton* button, const wxString& base, bool on, const wxSize& size) {
    if (button == nullptr) return;
    const wxString name = base + (on ? "-on" : "-off");
    button->SetBitmapLabel(ArtBitmap(name, size));
    button->SetBitmapCurrent(ArtBitmap(name, size, ArtState::Hover));
    button->SetBitmapPressed(ArtBitmap(name, size, ArtState::Pressed));
    button->SetBitmapDisabled(ArtBitmap(name, size, ArtState::Disabled));
    button->Refresh();
}

wxFont SwissBold(int points) {
    return wxFont(points, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD, false);
}

// The part of a measuring text up to its first blank and the part after it, as numbers. The text
// comes from our own series ("%f %f"), so only the C locale's point is expected.
double LeadingNumber(const wxString& text) {
    double v = 0.0;
    if (!text.BeforeFirst(' ').ToCDouble(&v)) return 0.0;
    return v;
}

double TrailingNumber(const wxString& text) {
    double v = 0.0;
    if (!text.AfterFirst(' ').Trim().Trim(false).ToCDouble(&v)) return 0.0;
    return v;
}

}  // namespace

GraphView::GraphView(RecordSequence& records, const GraphControls& controls)
    : records_(records), c_(controls) {
    subscription_ = records_.Subscribe([this] { OnRecordsChanged(); });
}

GraphView::~GraphView() {
    records_.Unsubscribe(subscription_);
    // The plot window may outlive us by a moment; it must not paint layers that are gone.
    if (c_.plot != nullptr) c_.plot->DelAllLayers();
}

void GraphView::BuildGraph() {
    const wxFont axisFont = SwissBold(9);
    timeAxis_ = std::make_unique<mpScaleX>("Tempo: (m:s)", mpAXIS_LOW_INSET, true, false);
    flowAxis_ = std::make_unique<mpScaleY>("Portata", mpAXIS_LOW_INSET, true, false);
    volumeAxis_ = std::make_unique<mpScaleY>("Volume", mpAXIS_LOW_INSET, true, false);
    secondPressureAxis_ = std::make_unique<mpScaleYKest>("Pressione", mpAXIS_HIGH_BORDER, true);
    pressureAxis_ = std::make_unique<mpScaleY>("Pressione", mpAXIS_LOW_INSET, true, false);
    for (mpLayer* axis :
         std::initializer_list<mpLayer*>{timeAxis_.get(), flowAxis_.get(), volumeAxis_.get(),
                                         secondPressureAxis_.get(), pressureAxis_.get()}) {
        axis->SetFont(axisFont);
        axis->SetPen(wxPen(wxColour(128, 128, 128)));
    }

    flowSeries_ = std::make_unique<mpFXYVector>(wxEmptyString, mpNAME_TOP_CENTRE);
    volumeSeries_ = std::make_unique<mpFXYVector>(wxEmptyString, mpNAME_TOP_CENTRE);
    pressureSeries_ = std::make_unique<mpFXYVector>(wxEmptyString, mpNAME_TOP_CENTRE);
    secondPressureSeries_ = std::make_unique<mpFXYVectorKest>(wxEmptyString, 0);
    const wxColour blue(0, 0, 255), red(255, 0, 0);
    const std::pair<mpLayer*, wxColour> series[] = {{flowSeries_.get(), blue},
                                                    {volumeSeries_.get(), blue},
                                                    {pressureSeries_.get(), red},
                                                    {secondPressureSeries_.get(), red}};
    for (const auto& [layer, colour] : series) {
        layer->SetFont(axisFont);
        layer->SetContinuity(true);
        layer->SetVisible(true);
        layer->SetPen(wxPen(colour, 2, wxPENSTYLE_SOLID));
    }
    pointWidth = 6;
    lineWidth = 2;

    const wxRect box(200, 20, 40, 40);
    legend_ = std::make_unique<mpInfoLegend>(box, *wxTRANSPARENT_BRUSH);
    legend_->SetFont(SwissBold(12));
    textBox_ = std::make_unique<mpInfoTextBox>(box, *wxTRANSPARENT_BRUSH);
    textBox_->SetFont(SwissBold(12));

    targetLine_ = std::make_unique<mpFXYVector>(wxEmptyString, mpNAME_TOP_CENTRE);
    targetLine_->SetFont(axisFont);
    targetLine_->SetPen(wxPen(wxColour(0, 255, 0), 3, wxPENSTYLE_LONG_DASH));
    flowAxis_->header2.clear();
    targetLine_->referenceLine = true;
    targetLine_->hideSample = true;

    if (c_.plot != nullptr) {
        c_.plot->SetBottomMargin(45);
        c_.plot->SetAbsoluteTime(true);
        c_.plot->AddLayer(timeAxis_.get());
    }
}

void GraphView::RebuildLayers() {
    mpWindow* w = c_.plot;
    if (w == nullptr || !timeAxis_) return;
    for (int key = 0; key <= 8; ++key) w->DelLayer(key);

    timeAxis_->SetTicks(!gridOn);
    flowAxis_->SetTicks(!gridOn);
    volumeAxis_->SetTicks(!gridOn);
    pressureAxis_->SetTicks(!gridOn);

    auto addSecondPressure = [&](mpScaleY* axis) {
        timeAxis_->SetStopBeforeRightAxis(true);
        axis->SetStopBeforeRightAxis(true);
        w->AddLayer(secondPressureAxis_.get());
        w->AddLayer(secondPressureSeries_.get());
        secondPressureSeries_->legendLabel = "Pressione";
    };

    if (flowView) {
        targetLine_->legendLabel.clear();
        targetLine_->SetContinuity(true);
        w->AddLayer(timeAxis_.get());
        w->AddLayer(flowAxis_.get());
        w->AddLayer(flowSeries_.get());
        w->AddLayer(targetLine_.get());
        timeAxis_->SetStopBeforeRightAxis(false);
        flowAxis_->SetStopBeforeRightAxis(false);
        flowSeries_->legendLabel = "Portata";
        flowSeries_->legendLabel2 = "Volume";
        if (pressureShown) addSecondPressure(flowAxis_.get());
        w->AddLayer(legend_.get());
        w->AddLayer(textBox_.get());
    } else if (volumeView) {
        w->AddLayer(timeAxis_.get());
        w->AddLayer(volumeAxis_.get());
        w->AddLayer(volumeSeries_.get());
        timeAxis_->SetStopBeforeRightAxis(false);
        volumeAxis_->SetStopBeforeRightAxis(false);
        volumeSeries_->legendLabel = "Volume";
        volumeSeries_->legendLabel2 = "Portata";
        if (pressureShown) addSecondPressure(volumeAxis_.get());
        w->AddLayer(legend_.get());
        w->AddLayer(textBox_.get());
    } else if (pressureShown) {
        w->AddLayer(timeAxis_.get());
        timeAxis_->SetStopBeforeRightAxis(false);
        pressureAxis_->SetVisible(true);
        w->AddLayer(pressureAxis_.get());
        w->AddLayer(pressureSeries_.get());
        pressureAxis_->header = "Pressione";
        w->AddLayer(legend_.get());
        pressureSeries_->legendLabel = "Pressione";
        w->AddLayer(textBox_.get());
    }
}

void GraphView::OnRecordsChanged() {
    // A record that left the sequence must not stay on screen taking measurements for another.
    if (shownId_ != RecordSequence::kNoRecord && records_.IndexOf(shownId_) < 0) ClearRecord();
}

void GraphView::ClearRecord() {
    shownId_ = RecordSequence::kNoRecord;
    markerId_ = RecordSequence::kNoRecord;
    if (!flowSeries_) return;
    const std::vector<float> none;
    flowSeries_->SetData(none, none, none, 0.0);
    volumeSeries_->SetData(none, none, none, 0.0);
    pressureSeries_->SetData(none, none, 0.0);
    secondPressureSeries_->SetData(none, none);
    for (mpLayer* s :
         std::initializer_list<mpLayer*>{flowSeries_.get(), volumeSeries_.get(),
                                         pressureSeries_.get(), secondPressureSeries_.get()}) {
        s->name.clear();
        s->title.clear();
        s->footer.clear();
        s->markerShown = false;
    }
    targetLine_->SetData(none, none, 0.0);
    targetLine_->SetVisible(false);
    targetLine_->hideSample = true;
    flowAxis_->header2.clear();
    textBox_->SetText(wxString());
    SetAxisUnits(-1);
    if (c_.plot != nullptr) {
        c_.plot->SetRecordStart(wxDateTime());  // else absolute time goes on with the old clock
        c_.plot->UpdateAll();
        c_.plot->Fit();
    }
}

void GraphView::ShowGrownRecord(int index) {
    if (!records_.Valid(index) || !flowSeries_) return;
    const Storage& r = records_.At(index);
    if (records_.IdAt(index) != shownId_ || flowSeries_->GetCount() > r.GetLength()) {
        ShowRecord(index);
        return;
    }
    flowSeries_->ExtendData(r.time, r.flow, r.volume, r.targetFlow);
    volumeSeries_->ExtendData(r.time, r.volume, r.flow, 0.0);
    pressureSeries_->ExtendData(r.time, r.pressure, {}, 0.0);
    secondPressureSeries_->ExtendData(r.time, r.pressure);
    targetLine_->SetData(r.GetTargetX(), r.GetTargetY(), 0.0);
    if (c_.plot != nullptr) {
        c_.plot->UpdateAll();
        c_.plot->Fit();
    }
}

void GraphView::ShowRecord(int index) {
    // Callers pass an existing row or -1; anything else must not reach into the list.
    if (!records_.Valid(index) || !flowSeries_) return;
    const Storage& r = records_.At(index);
    shownId_ = records_.IdAt(index);
    ++showCount_;

    const wxString name = r.title + " " + r.dateText;
    flowSeries_->SetData(r.time, r.flow, r.volume, r.targetFlow);
    flowSeries_->name = name;
    volumeSeries_->SetData(r.time, r.volume, r.flow, 0.0);
    volumeSeries_->name = name;
    pressureSeries_->SetData(r.time, r.pressure, 0.0);
    pressureSeries_->name = name;
    secondPressureSeries_->SetData(r.time, r.pressure);
    secondPressureSeries_->name = name;

    const wxString footer =
        r.serial != 0 ? wxString::Format("Vandrel Serial No. %d", r.serial) : wxString();
    for (mpLayer* s :
         std::initializer_list<mpLayer*>{flowSeries_.get(), volumeSeries_.get(),
                                         pressureSeries_.get(), secondPressureSeries_.get()}) {
        s->title = r.info;
        s->footer = footer;
    }

    targetLine_->SetData(r.GetTargetX(), r.GetTargetY(), 0.0);
    targetLine_->name.clear();
    targetLine_->SetVisible(r.HasTargetFlow());
    targetLine_->hideSample = !r.HasTargetFlow();
    flowAxis_->header2 = r.HasTargetFlow() ? wxString("Portata target") : wxString();

    if (shownId_ != markerId_) {
        flowSeries_->markerShown = false;
        volumeSeries_->markerShown = false;
        pressureSeries_->markerShown = false;
        secondPressureSeries_->markerShown = false;
        markerId_ = shownId_;
    }

    SetAxisUnits(index);

    textBox_->SetText(r.boxText);
    if (c_.plot != nullptr) {
        textBox_->SetPosition(*c_.plot, r.boxX, r.boxY);
        const bool absolute = GlobalPreferences().absoluteTime;
        c_.plot->SetRecordStart(r.start);
        c_.plot->SetAbsoluteTime(absolute);
        c_.plot->SetBottomMargin(absolute ? 45 : 35);
        c_.plot->UpdateAll();
        c_.plot->Fit();
    }
}

const Storage* GraphView::ShownRecord() const {
    const int index = SelectedRecord();
    return records_.Valid(index) ? &records_.At(index) : nullptr;
}

void GraphView::SetUnitLabel(wxStaticText* label, const wxString& text) {
    if (label == nullptr) return;
    label->SetLabel(text);
    if (label->GetContainingSizer() != nullptr) label->GetContainingSizer()->Layout();
}

void GraphView::SetAxisUnits(int index) {
    if (!flowAxis_) return;
    // A record is labelled by the units its numbers are in; without one, by the preferences.
    const Preferences& prefs = GlobalPreferences();
    int metric = prefs.metricUnits;
    int flowUnit = prefs.flowUnit;
    uint8_t pressureCode = prefs.pressureUnit;
    if (records_.Valid(index)) {
        const Storage& r = records_.At(index);
        metric = r.GetMetricUnits();
        flowUnit = r.flowUnit;
        pressureCode = r.pressureUnit;
    }

    const wxString volumeUnit = GraphVolumeLabel(metric, flowUnit);
    const wxString flowUnitText = LegendFlowLabel(metric, flowUnit);
    flowAxis_->name = GraphFlowLabel(metric, flowUnit);
    volumeAxis_->name = volumeUnit;
    if (flowView) SetUnitLabel(c_.flowUnitLabel, ReadoutFlowLabel(metric, flowUnit));
    if (volumeView) {
        SetUnitLabel(c_.flowUnitLabel, volumeUnit);
        volumeSeries_->legendUnit = volumeUnit;
        volumeSeries_->legendUnit2 = flowUnitText;
    }
    flowSeries_->legendUnit = flowUnitText;
    flowSeries_->legendUnit2 = volumeUnit;

    const wxString pressureAxis = GraphPressureLabel(pressureCode);
    if (!pressureAxis.empty()) {
        const wxString pressureLabel = PressureShortLabel(pressureCode);
        pressureAxis_->name = pressureAxis;
        secondPressureAxis_->name = pressureAxis;
        SetUnitLabel(c_.pressureUnitLabel, pressureLabel);
        pressureSeries_->legendUnit = pressureLabel;
        secondPressureSeries_->legendUnit = pressureLabel;
    }
}

void GraphView::ZoomIn() {
    if (c_.plot != nullptr) c_.plot->ZoomIn();
}

void GraphView::ZoomOut() {
    if (c_.plot != nullptr) c_.plot->ZoomOut();
}

void GraphView::ToggleFlowView() {
    if (!flowView) {
        ShowPictures(c_.flowButton, "graph-flow", true, kToolPicture);
        ShowPictures(c_.volumeButton, "graph-volume", false, kToolPicture);
        flowView = true;
        volumeView = false;
        if (c_.measurePrimaryButton != nullptr) c_.measurePrimaryButton->SetCaption("Misura F");
    } else {
        ShowPictures(c_.flowButton, "graph-flow", false, kToolPicture);
        flowView = false;
        volumeView = false;
    }
    SetAxisUnits(SelectedRecord());
    RebuildLayers();
    if (c_.plot != nullptr) c_.plot->Fit();
}

void GraphView::ShowVolumeView() {
    if (!volumeView) {
        ShowPictures(c_.volumeButton, "graph-volume", true, kToolPicture);
        ShowPictures(c_.flowButton, "graph-flow", false, kToolPicture);
        volumeView = true;
        flowView = false;
        if (c_.measurePrimaryButton != nullptr) c_.measurePrimaryButton->SetCaption("Misura V");
    }
    SetAxisUnits(SelectedRecord());
    RebuildLayers();
    if (c_.plot != nullptr) c_.plot->Fit();
}

void GraphView::TogglePressure() {
    pressureShown = !pressureShown;
    ShowPictures(c_.pressureButton, "graph-pressure", pressureShown, kToolPicture);
    SetAxisUnits(SelectedRecord());
    RebuildLayers();
    if (c_.plot != nullptr) c_.plot->Fit();
}

void GraphView::ToggleMeasurePrimary() {
    measurePrimary = !measurePrimary;
    ShowPictures(c_.measurePrimaryButton, "measure-flow", measurePrimary, kColumnPicture);
    if (c_.plot != nullptr) c_.plot->SetMeasurePrimary(measurePrimary);
    if (measurePrimary && measureSecond) ToggleMeasureSecond();
    RebuildLayers();
}

void GraphView::ToggleMeasureSecond() {
    measureSecond = !measureSecond;
    ShowPictures(c_.measureSecondButton, "measure-pressure", measureSecond, kColumnPicture);
    if (c_.plot != nullptr) c_.plot->SetMeasureSecond(measureSecond);
    if (measureSecond && measurePrimary) ToggleMeasurePrimary();
    RebuildLayers();
}

void GraphView::ToggleGrid() {
    gridOn = !gridOn;
    ShowPictures(c_.gridButton, "grid", gridOn, kColumnPicture);
    RebuildLayers();
}

void GraphView::SetPenWidth(int width, bool continuous) {
    for (mpLayer* s :
         std::initializer_list<mpLayer*>{flowSeries_.get(), volumeSeries_.get(),
                                         pressureSeries_.get(), secondPressureSeries_.get()}) {
        wxPen pen = s->GetPen();
        pen.SetWidth(width);
        s->SetPen(pen);
        s->SetContinuity(continuous);
    }
}

void GraphView::TogglePoints() {
    pointsMode = !pointsMode;
    ShowPictures(c_.pointsButton, "points", pointsMode, kColumnPicture);
    SetPenWidth(pointsMode ? pointWidth : lineWidth, !pointsMode);
    RebuildLayers();
}

bool GraphView::ToggleAbsoluteTime() {
    bool& absolute = GlobalPreferences().absoluteTime;
    absolute = !absolute;
    if (c_.plot != nullptr) {
        c_.plot->SetAbsoluteTime(absolute);
        c_.plot->SetBottomMargin(absolute ? 45 : 35);
        c_.plot->UpdateAll();
        c_.plot->Fit();
    }
    return absolute;
}

void GraphView::OnMeasure(const wxCommandEvent& event) {
    const wxString text = event.GetString();
    const int record = SelectedRecord();
    if (event.GetInt() == 1) {
        const double t = LeadingNumber(text);
        const double v = TrailingNumber(text);
        int metric = GlobalPreferences().metricUnits;
        int flowUnit = GlobalPreferences().flowUnit;
        if (records_.Valid(record)) {
            metric = records_.At(record).GetMetricUnits();
            flowUnit = records_.At(record).flowUnit;
        }
        const wxString shown = MeasureText(v, metric, flowUnit);
        if (flowView) {
            if (c_.flowDisplay != nullptr) c_.flowDisplay->SetValue(shown);
            if (c_.elapsedDisplay != nullptr) c_.elapsedDisplay->SetElapsedSeconds(float(t));
            records_.SetFlowReading(record, shown);
        } else if (!volumeView && pressureShown) {
            const wxString pressure = wxString::FromCDouble(v, 2);
            if (c_.pressureDisplay != nullptr) c_.pressureDisplay->SetValue(pressure);
            if (c_.elapsedDisplay != nullptr) c_.elapsedDisplay->SetElapsedSeconds(float(t));
            records_.SetPressureReading(record, pressure);
        } else if (volumeView) {
            if (c_.flowDisplay != nullptr) c_.flowDisplay->SetValue(shown);
            if (c_.elapsedDisplay != nullptr) c_.elapsedDisplay->SetElapsedSeconds(float(t));
        }
    } else if (event.GetInt() == 2) {
        const wxString pressure = wxString::FromCDouble(LeadingNumber(text), 2);
        if (c_.pressureDisplay != nullptr) c_.pressureDisplay->SetValue(pressure);
        records_.SetPressureReading(record, pressure);
    }
}

void GraphView::OnTextBoxMoved() {
    if (!textBox_) return;
    records_.SetBoxPosition(SelectedRecord(), textBox_->GetBoxX(), textBox_->GetBoxY());
}

void GraphView::ResetView() {
    flowView = false;
    pointsMode = false;
    gridOn = false;
    measurePrimary = false;
    measureSecond = false;
    ShowPictures(c_.gridButton, "grid", false, kColumnPicture);
    ShowPictures(c_.pointsButton, "points", false, kColumnPicture);
    ShowPictures(c_.measurePrimaryButton, "measure-flow", false, kColumnPicture);
    ShowPictures(c_.measureSecondButton, "measure-pressure", false, kColumnPicture);
    ShowPictures(c_.pressureButton, "graph-pressure", false, kToolPicture);
    ToggleFlowView();
    volumeView = false;
    pressureShown = false;
    RebuildLayers();
}
