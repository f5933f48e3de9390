#include "app/MainFrame.h"

#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include "app/CommandIds.h"
#include "data/Preferences.h"
#include "plot/mpEvents.h"
#include "widgets/TipsDialog.h"

wxBEGIN_EVENT_TABLE(MainFrame, wxFrame)
    EVT_MENU(ID_EXIT, MainFrame::OnExit)
    EVT_MENU(ID_FLOW_UNIT_LPM, MainFrame::OnFlowUnit)
    EVT_MENU(ID_FLOW_UNIT_LPS, MainFrame::OnFlowUnit)
    EVT_MENU(ID_FLOW_UNIT_M3H, MainFrame::OnFlowUnit)
    EVT_MENU(ID_FLOW_UNIT_GPM, MainFrame::OnFlowUnit)
    EVT_MENU(ID_SHOW_TIPS, MainFrame::OnShowTips)
    EVT_COMMAND(wxID_ANY, tipsEVT_SHOW_AT_START, MainFrame::OnShowAtStart)
    EVT_BUTTON(ID_ZOOM_IN, MainFrame::OnGraphCommand)
    EVT_BUTTON(ID_ZOOM_OUT, MainFrame::OnGraphCommand)
    EVT_BUTTON(ID_GRAPH_FLOW, MainFrame::OnGraphCommand)
    EVT_BUTTON(ID_GRAPH_VOLUME, MainFrame::OnGraphCommand)
    EVT_BUTTON(ID_GRAPH_PRESSURE, MainFrame::OnGraphCommand)
    EVT_BUTTON(ID_MEASURE_FLOW, MainFrame::OnGraphCommand)
    EVT_BUTTON(ID_MEASURE_PRESSURE, MainFrame::OnGraphCommand)
    EVT_BUTTON(ID_GRID, MainFrame::OnGraphCommand)
    EVT_BUTTON(ID_POINTS, MainFrame::OnGraphCommand)
    EVT_MENU(ID_ABSOLUTE_TIME, MainFrame::OnAbsoluteTime)
    EVT_MENU(ID_STATISTICS, MainFrame::OnStatistics)
    EVT_COMMAND(wxID_ANY, mpEVT_MEASURE, MainFrame::OnMeasure)
    EVT_COMMAND(wxID_ANY, mpEVT_TEXTBOX_MOVED, MainFrame::OnTextBoxMoved)
    EVT_BUTTON(ID_METER_SETTINGS, MainFrame::OnMeterSettings)
    EVT_MENU(ID_FACTORY_CONFIG, MainFrame::OnFactoryConfig)
    EVT_BUTTON(ID_DOWNLOAD, MainFrame::OnDownload)
    EVT_BUTTON(ID_ERASE_METER, MainFrame::OnEraseMeter)
    EVT_BUTTON(ID_FILTER, MainFrame::OnFilter)
    EVT_LIST_ITEM_SELECTED(ID_RECORD_LIST, MainFrame::OnRecordSelected)
    EVT_LIST_ITEM_DESELECTED(ID_RECORD_LIST, MainFrame::OnRecordDeselected)
    EVT_LIST_ITEM_ACTIVATED(ID_RECORD_LIST, MainFrame::OnRecordActivated)
    EVT_BUTTON(ID_RENAME_RECORD, MainFrame::OnEditRecord)
    EVT_BUTTON(ID_RECORD_INFO, MainFrame::OnEditRecord)
    EVT_BUTTON(ID_RECORD_TEXTBOX, MainFrame::OnEditRecord)
    EVT_BUTTON(ID_TARGET_FLOW, MainFrame::OnEditRecord)
    EVT_BUTTON(ID_REMOVE_RECORD, MainFrame::OnRemoveRecord)
    EVT_MENU(ID_OPEN, MainFrame::OnOpen)
    EVT_BUTTON(ID_OPEN_BUTTON, MainFrame::OnOpen)
    EVT_MENU(ID_SAVE, MainFrame::OnSave)
    EVT_BUTTON(ID_SAVE, MainFrame::OnSave)
    EVT_MENU(ID_SAVE_AS, MainFrame::OnSaveAs)
    EVT_MENU(ID_EXPORT_CSV, MainFrame::OnExportCsv)
    EVT_MENU(ID_FLOW_COLOUR, MainFrame::OnLineColour)
    EVT_MENU(ID_VOLUME_COLOUR, MainFrame::OnLineColour)
    EVT_MENU(ID_PRESSURE_COLOUR, MainFrame::OnLineColour)
    EVT_MENU(ID_FLOW_WIDTH, MainFrame::OnLineWidth)
    EVT_MENU(ID_VOLUME_WIDTH, MainFrame::OnLineWidth)
    EVT_MENU(ID_PRESSURE_WIDTH, MainFrame::OnLineWidth)
    EVT_MENU(ID_FILTER_SETTINGS, MainFrame::OnFilterSettings)
    EVT_TIMER(ID_STATUS_TIMER, MainFrame::OnStatusTimer)
    EVT_BUTTON(ID_LIVE_START, MainFrame::OnLiveStart)
    EVT_BUTTON(ID_LIVE_STOP, MainFrame::OnLiveStop)
    EVT_TIMER(ID_LIVE_TIMER, MainFrame::OnLiveTick)
    EVT_BUTTON(ID_PRINT_BUTTON, MainFrame::OnPrintPreview)
    EVT_MENU(ID_PRINT_PREVIEW, MainFrame::OnPrintPreview)
    EVT_MENU(ID_PRINT, MainFrame::OnPrint)
    EVT_BUTTON(ID_SAVE_IMAGE, MainFrame::OnSavePicture)
wxEND_EVENT_TABLE()

MainFrame::MainFrame(const wxString& title, const wxPoint& pos, const wxSize& size)
    : wxFrame(nullptr, wxID_ANY, title, pos, size, wxDEFAULT_FRAME_STYLE, "frame") {
    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnClose, this);

    LoadPreferences();

    BuildMenuBar();

    BuildLayout();
    FinishLayout();

    statusTimer_.SetOwner(this, ID_STATUS_TIMER);
    statusTimer_.Start(5000, wxTIMER_CONTINUOUS);
    liveTimer_.SetOwner(this, ID_LIVE_TIMER);
    link_ = std::make_unique<KestUSB>();

    CreateStatusBar(2, wxSTB_DEFAULT_STYLE | wxFULL_REPAINT_ON_RESIZE, 0, "status_line");
    SetStatusText(wxString::FromUTF8("Benvenuti nel software di monitoraggio HVX-4.8"), 0);
    // The status bar takes its height from the client area: size the window to the layout again.
    c_.panel->GetSizer()->SetSizeHints(this);

    ShowSplash();

    if (GlobalPreferences().showTips) (new TipsDialog(this, true))->Show();
}

MainFrame::~MainFrame() {
    SavePreferences();
    graph_.reset();
    statusTimer_.Stop();
    liveTimer_.Stop();
}

void MainFrame::OnClose(wxCloseEvent& event) {
    // The meter must not be left in live mode, whatever the answer below.
    if (LiveLoggingRunning()) StopLiveLogging();
    if (!records_.WouldLoseUnsaved()) {
        Destroy();
        return;
    }
    const int answer = wxMessageBox("Vuoi salvare i dati prima di chiudere?", "Prima di chiudere",
                                    wxYES_NO | wxICON_INFORMATION, nullptr);
    if (answer == wxNO) {
        Destroy();
        return;
    }
    // "Esci" forces the close, so the event may not be vetoable; staying open is refusal enough.
    if (event.CanVeto()) event.Veto();
}

void MainFrame::OnExit(wxCommandEvent&) { Close(true); }
