#pragma once
// The graph of the main window: a fixed set of layers, the view mode that decides which of them are
// in the plot, the loading of one record into them, and the graph tool commands with their picture
// swaps. It belongs to the main window and changes only the controls it is given.
#include <wx/colour.h>
#include <wx/event.h>
#include <wx/string.h>

#include <memory>
#include <vector>

#include "data/RecordSequence.h"
#include "plot/GraphControls.h"

class mpWindow;
class mpScaleX;
class mpScaleY;
class mpScaleYKest;
class mpFXYVector;
class mpFXYVectorKest;
class mpInfoLegend;
class mpInfoTextBox;
class wxStaticText;

class GraphView {
public:
    // Follows the sequence: when the shown record is removed or replaced, the graph is cleared.
    GraphView(RecordSequence& records, const GraphControls& controls);
    ~GraphView();
    GraphView(const GraphView&) = delete;
    GraphView& operator=(const GraphView&) = delete;

    void BuildGraph();
    void RebuildLayers();
    // Loads record `index` into the series and fits the view; a negative index keeps the plot.
    void ShowRecord(int index);
    // ShowRecord for a record that only grew since it was shown (live logging): the new samples
    // are added to the series instead of loading the whole record again. Any other record, or one
    // that is not shown, is shown by ShowRecord.
    void ShowGrownRecord(int index);
    // Empties the plot: no record is shown, measurements and box moves go nowhere.
    void ClearRecord();
    // The index of the record on display, or -1 (none, or it has left the sequence).
    int SelectedRecord() const { return records_.IndexOf(shownId_); }
    // Axis titles, legend units and the unit labels from record `index`, or the preferences for -1.
    void SetAxisUnits(int index);
    // The record on display, or null; and a count of ShowRecord calls, which every change of its
    // samples (another record, the filter, live samples) goes through.
    const Storage* ShownRecord() const;
    unsigned ShowCount() const { return showCount_; }

    // The graph commands.
    void ZoomIn();
    void ZoomOut();
    void ToggleFlowView();
    void ShowVolumeView();
    void TogglePressure();
    void ToggleMeasurePrimary();
    void ToggleMeasureSecond();
    void ToggleGrid();
    void TogglePoints();
    // Flips the absoluteTime preference and the time axis; returns the new state.
    bool ToggleAbsoluteTime();
    // Both store into the record on display and into no other.
    void OnMeasure(const wxCommandEvent& event);
    void OnTextBoxMoved();

    // The curves whose pens the line style commands change (GraphLineStyle.cpp).
    enum class Curve { Flow, Volume, Pressure };
    // A new solid pen of width 5 in `colour` (pressure: one pen for both pressure series).
    void SetCurveColour(Curve curve, const wxColour& colour);
    // The width of the curve's pen (pressure: the pressure series').
    int CurveWidth(Curve curve) const;
    // Flow and volume: the width also becomes the current mode's width (`pointWidth` in points
    // mode, `lineWidth` in line mode); pressure: both pressure series, the mode widths stay.
    // Colour and style are kept.
    void SetCurveWidth(Curve curve, int width);

    // The startup state: flow view without pressure, lines, tick marks, no measuring.
    void ResetView();

    bool flowView = false;
    bool volumeView = false;
    bool pressureShown = false;
    bool gridOn = false;
    bool pointsMode = false;
    bool measurePrimary = false;
    bool measureSecond = false;
    int lineWidth = 2;
    int pointWidth = 6;

    // The layers, for the commands that restyle them and for tests.
    mpScaleX* TimeAxis() const { return timeAxis_.get(); }
    mpScaleY* FlowAxis() const { return flowAxis_.get(); }
    mpScaleY* VolumeAxis() const { return volumeAxis_.get(); }
    mpScaleY* PressureAxis() const { return pressureAxis_.get(); }
    mpScaleYKest* SecondPressureAxis() const { return secondPressureAxis_.get(); }
    mpFXYVector* FlowSeries() const { return flowSeries_.get(); }
    mpFXYVector* VolumeSeries() const { return volumeSeries_.get(); }
    mpFXYVector* PressureSeries() const { return pressureSeries_.get(); }
    mpFXYVectorKest* SecondPressureSeries() const { return secondPressureSeries_.get(); }
    mpFXYVector* TargetLine() const { return targetLine_.get(); }
    mpInfoLegend* Legend() const { return legend_.get(); }
    mpInfoTextBox* TextBox() const { return textBox_.get(); }
    mpWindow* Plot() const { return c_.plot; }

private:
    void OnRecordsChanged();
    void SetPenWidth(int width, bool continuous);
    void SetUnitLabel(wxStaticText* label, const wxString& text);

    RecordSequence& records_;
    int subscription_ = 0;
    RecordSequence::RecordId shownId_ = RecordSequence::kNoRecord;
    // Markers survive a redraw of the same record and vanish when another one is shown.
    RecordSequence::RecordId markerId_ = RecordSequence::kNoRecord;
    unsigned showCount_ = 0;
    GraphControls c_;
    std::unique_ptr<mpScaleX> timeAxis_;
    std::unique_ptr<mpScaleY> flowAxis_;
    std::unique_ptr<mpScaleY> volumeAxis_;
    std::unique_ptr<mpScaleYKest> secondPressureAxis_;
    std::unique_ptr<mpScaleY> pressureAxis_;
    std::unique_ptr<mpFXYVector> flowSeries_;
    std::unique_ptr<mpFXYVector> volumeSeries_;
    std::unique_ptr<mpFXYVector> pressureSeries_;
    std::unique_ptr<mpFXYVectorKest> secondPressureSeries_;
    std::unique_ptr<mpInfoLegend> legend_;
    std::unique_ptr<mpInfoTextBox> textBox_;
    std::unique_ptr<mpFXYVector> targetLine_;
};
