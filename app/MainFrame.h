#pragma once
// The one main window. It owns the records of the open workspace, the meter link, the two timers
// and the flags the commands share; it binds the command ids, while the work of each command lives
// in a file named after it (MenuBar.cpp, FlowUnitCommands.cpp, TipsCommands.cpp, ...).

#include <wx/frame.h>
#include <wx/timer.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "KestUSB.h"
#include "Storage.h"

class MainFrame : public wxFrame {
public:
    MainFrame(const wxString& title, const wxPoint& pos, const wxSize& size);
    ~MainFrame() override;

    // Checks the "Data" menu entry of the preferences' flow unit and unchecks the other three;
    // a code outside 0..3 changes no mark.
    void UpdateFlowUnitChecks();

    // Shared by the commands.
    std::vector<Storage> records;
    std::unique_ptr<KestUSB> link;
    wxTimer statusTimer;
    wxTimer liveTimer;
    uint8_t saved = 0;  // 1 while the records match the workspace file
    float elapsedSeconds = 0.0f;
    wxString workspacePath;

private:
    void BuildMenuBar();
    void ShowSplash();

    void OnClose(wxCloseEvent& event);
    void OnExit(wxCommandEvent& event);
    void OnFlowUnit(wxCommandEvent& event);
    void OnShowTips(wxCommandEvent& event);
    void OnShowAtStart(wxCommandEvent& event);

    wxDECLARE_EVENT_TABLE();
};
