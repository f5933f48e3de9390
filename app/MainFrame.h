#pragma once
// The one main window. It owns the record sequence (the records and the flags the commands share),
// the meter link, the two timers and pointers to its controls; it binds the command ids and shows
// messages, while the work of each command lives in a file named after it (RecordList.cpp,
// WorkspaceCommands.cpp, LiveLogging.cpp, ...).

#include <wx/frame.h>
#include <wx/timer.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/MainControls.h"
#include "data/RecordSequence.h"
#include "meter/KestUSB.h"
#include "plot/GraphView.h"

class wxBoxSizer;
class wxListEvent;
class wxFileDialog;

// The full path a file dialog was closed with. Not its folder joined with its file name: a path
// typed or pasted into the chooser names its own folder, which the dialog's folder is not.
wxString ChosenPath(const wxFileDialog& dialog);

class MainFrame : public wxFrame {
public:
    MainFrame(const wxString& title, const wxPoint& pos, const wxSize& size);
    ~MainFrame() override;

    // Checks the "Data" menu entry of the preferences' flow unit and unchecks the other three;
    // a code outside 0..3 leaves all four unchecked.
    void UpdateFlowUnitChecks();

    // Rebuilds the rows of the record list from the records.
    void RefreshRecordList();
    // Turns the moving-average filter of the current record on or off and shows it.
    void ToggleFilter();
    // The one selected row of the record list, or -1.
    int CurrentRow() const;

    // Writes the records to the workspace file, asking for one when there is none; false when
    // nothing was written (cancelled or failed, the failure logged as an error).
    bool SaveWorkspace();
    bool SaveWorkspaceAs();
    // Replaces the records by the file's; a file that cannot be read is logged and changes nothing.
    void OpenWorkspace(const wxString& path, const wxString& caption);

    // Live logging. Start reads the meter's settings, switches live mode on and puts the record
    // "Dal vivo N" at the front; every live tick appends the meter's buffered samples to it. Stop
    // switches live mode off; the record stays. A command that would remove or replace the live
    // record (Cancella on it, Apri, a download) stops live logging first.
    void StartLiveLogging();
    void StopLiveLogging();
    bool LiveLoggingRunning() const;

    // The meter's log (MeterDownload.cpp): replaces the records with every logged event, asks to
    // save them and, once the saved file reads back equal, offers to erase the meter's log.
    void DownloadEvents();
    // Asks for confirmation and erases the meter's log; the records are not touched.
    void EraseMeter();
    // Logs why the last request failed: the meter's error code, or the lost connection, and the
    // link's reason.
    void ReportUsbFailure();

    // The records, the workspace file, `saved`, the filter and the live record.
    RecordSequence& Records() { return records_; }
    const RecordSequence& Records() const { return records_; }
    const MainControls& Controls() const { return c_; }
    GraphView& Graph() { return *graph_; }
    KestUSB& Link() { return *link_; }
    wxTimer& StatusTimer() { return statusTimer_; }
    wxTimer& LiveTimer() { return liveTimer_; }
    // The colour last chosen for a curve; the colour chooser starts from it.
    wxColour LineColour() const { return lineColour_; }

    void ShowRecord(int index) { graph_->ShowRecord(index); }
    void SetAxisUnits(int index) { graph_->SetAxisUnits(index); }

private:
    void BuildMenuBar();
    void BuildLayout();
    wxBoxSizer* BuildLeftColumn();
    wxBoxSizer* BuildRightColumn();
    void FinishLayout();
    void ShowSplash();

    void OnClose(wxCloseEvent& event);
    void OnExit(wxCommandEvent& event);
    void OnFlowUnit(wxCommandEvent& event);
    void OnShowTips(wxCommandEvent& event);
    void OnShowAtStart(wxCommandEvent& event);
    void OnGraphCommand(wxCommandEvent& event);
    void OnAbsoluteTime(wxCommandEvent& event);
    void OnMeasure(wxCommandEvent& event);
    void OnTextBoxMoved(wxCommandEvent& event);
    void OnMeterSettings(wxCommandEvent& event);
    void OnFactoryConfig(wxCommandEvent& event);
    void OnLiveStart(wxCommandEvent& event);
    void OnLiveStop(wxCommandEvent& event);
    void OnLiveTick(wxTimerEvent& event);
    void LiveTick();
    void OnDownload(wxCommandEvent& event);
    void OnEraseMeter(wxCommandEvent& event);
    void OnLineColour(wxCommandEvent& event);
    void OnLineWidth(wxCommandEvent& event);
    void OnFilterSettings(wxCommandEvent& event);
    void OnStatistics(wxCommandEvent& event);
    void OnStatusTimer(wxTimerEvent& event);
    void ShowMemoryText(const wxString& text);
    void OnPrintPreview(wxCommandEvent& event);
    void OnPrint(wxCommandEvent& event);
    void OnSavePicture(wxCommandEvent& event);

    void EnableRecordCommands(bool on);
    // Selects and focuses `row` quietly; RowBecameCurrent shows it as a selection by the user does.
    void SelectRow(int row);
    void RowBecameCurrent();
    void EditRecord(int id);
    void OnFilter(wxCommandEvent& event);
    void OnRecordSelected(wxListEvent& event);
    void OnRecordDeselected(wxListEvent& event);
    void OnRecordActivated(wxListEvent& event);
    void OnEditRecord(wxCommandEvent& event);
    void OnRemoveRecord(wxCommandEvent& event);
    void OnOpen(wxCommandEvent& event);
    void OnSave(wxCommandEvent& event);
    void OnSaveAs(wxCommandEvent& event);
    void OnExportCsv(wxCommandEvent& event);

    RecordSequence records_;
    MainControls c_;
    std::unique_ptr<GraphView> graph_;
    std::unique_ptr<KestUSB> link_;
    wxTimer statusTimer_;
    wxTimer liveTimer_;
    float elapsedSeconds_ = 0.0f;
    wxColour lineColour_{0, 0, 0};  // the colour last chosen for a curve
    // The record the list's selection stands for, kept across rebuilds of the rows.
    RecordSequence::RecordId currentId_ = RecordSequence::kNoRecord;

    wxDECLARE_EVENT_TABLE();
};
