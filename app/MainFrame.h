#pragma once
// The one main window. It owns the records of the open workspace, the meter link, the two timers
// and the flags the commands share; it binds the command ids, while the work of each command lives
// in a file named after it (MenuBar.cpp, FlowUnitCommands.cpp, TipsCommands.cpp, ...).

#include <wx/frame.h>
#include <wx/timer.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "data/Storage.h"
#include "meter/KestUSB.h"
#include "plot/GraphView.h"

class wxGauge;
class wxPanel;
class wxBitmapButton;
class wxButton;
class wxBoxSizer;
class wxListEvent;
class wxFileDialog;

// The full path a file dialog was closed with; built from its folder and name, which every port
// reports the same way.
wxString ChosenPath(const wxFileDialog& dialog);

class MainFrame : public wxFrame {
public:
    MainFrame(const wxString& title, const wxPoint& pos, const wxSize& size);
    ~MainFrame() override;

    // Checks the "Data" menu entry of the preferences' flow unit and unchecks the other three;
    // a code outside 0..3 changes no mark.
    void UpdateFlowUnitChecks();

    // Rebuilds the rows of the record list from the records.
    void RefreshRecordList();
    // Turns the moving-average filter of the current record on or off and shows it.
    void ToggleFilter();
    // The first focused row of the record list, or -1.
    int CurrentRow() const;

    // Writes the records to the workspace file, asking for one when there is none; false when
    // nothing was written (cancelled or failed, the failure logged as an error).
    bool SaveWorkspace();
    bool SaveWorkspaceAs();
    // Replaces the records by the file's; a file that cannot be read is logged and changes nothing.
    void OpenWorkspace(const wxString& path, const wxString& caption);

    // Shared by the commands.
    std::vector<Storage> records;
    std::unique_ptr<KestUSB> link;
    wxTimer statusTimer;
    wxTimer liveTimer;
    uint8_t saved = 0;  // 1 while the records match the workspace file
    float elapsedSeconds = 0.0f;
    wxString workspacePath;
    bool filterOn = false;
    int filterWidth = 2;           // half width of the moving average
    wxColour lineColour{0, 0, 0};  // the colour last chosen for a curve

    // The controls of the layout that the commands change later; the window tree owns them.
    wxPanel* panel = nullptr;
    mpWindow* plot = nullptr;
    wxKestButton* flowButton = nullptr;
    wxKestButton* volumeButton = nullptr;
    wxKestButton* pressureButton = nullptr;
    wxKestButton* measureFlowButton = nullptr;
    wxKestButton* measurePressureButton = nullptr;
    wxKestButton* gridButton = nullptr;
    wxKestButton* pointsButton = nullptr;
    wxKestButton* filterButton = nullptr;
    kwxLCDClock* elapsedDisplay = nullptr;
    kwxLCDDisplay* flowDisplay = nullptr;
    kwxLCDDisplay* pressureDisplay = nullptr;
    wxStaticText* flowUnitLabel = nullptr;
    wxStaticText* pressureUnitLabel = nullptr;
    wxBitmapButton* liveStartButton = nullptr;
    wxBitmapButton* liveStopButton = nullptr;
    wxButton* removeRecordButton = nullptr;
    wxButton* renameRecordButton = nullptr;
    wxButton* recordInfoButton = nullptr;
    wxButton* textBoxButton = nullptr;
    wxButton* targetFlowButton = nullptr;
    wxListCtrl* recordList = nullptr;
    wxGauge* batteryGauge = nullptr;
    wxGauge* memoryGauge = nullptr;
    wxStaticText* memoryText = nullptr;

    // The graph: layers, view mode and the graph commands.
    std::unique_ptr<GraphView> graph;
    void ShowRecord(int index) { graph->ShowRecord(index); }
    void SetAxisUnits(int index) { graph->SetAxisUnits(index); }

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
    void OnLineColour(wxCommandEvent& event);
    void OnLineWidth(wxCommandEvent& event);
    void OnFilterSettings(wxCommandEvent& event);

    void EnableRecordCommands(bool on);
    void SelectRow(int selected, int focused);
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

    wxDECLARE_EVENT_TABLE();
};
