#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <algorithm>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/TightBoxSizer.h"
#include "art/Art.h"
#include "data/Preferences.h"
#include "data/Units.h"
#include "plot/mpWindow.h"
#include "widgets/kwxLCDClock.h"
#include "widgets/kwxLCDDisplay.h"
#include "widgets/wxKestButton.h"
#include "widgets/wxKestGauge.h"

namespace {

const wxColour kInterfaceGrey(236, 233, 216);
const int kColumnMargin = 16;

// At least `size`, and wide and high enough for what the control itself needs (its caption in
// the font of the desktop it runs on).
void AtLeast(wxWindow* w, const wxSize& size) {
    const wxSize best = w->GetBestSize();
    w->SetInitialSize(wxSize(std::max(size.x, best.x), std::max(size.y, best.y)));
}

// A hover button with its normal, hover, pressed and disabled pictures at `picture` pixels.
wxKestButton* PictureButton(wxWindow* parent, int id, const wxString& art, const wxString& label,
                            const wxString& tip, const wxSize& size, const wxSize& picture) {
    auto* b = new wxKestButton(parent, id, ArtBitmap(art, picture), label, wxDefaultPosition, size,
                               wxBORDER_NONE, wxDefaultValidator, "button");
    // Side by side in the tool row, captions that fill their buttons would run into each other:
    // a caption keeps five pixels each side.
    AtLeast(b, wxSize(std::max(size.x, b->GetTextExtent(label).x + 10), size.y));
    b->SetBitmapCurrent(ArtBitmap(art, picture, ArtState::Hover));
    b->SetBitmapPressed(ArtBitmap(art, picture, ArtState::Pressed));
    b->SetBitmapDisabled(ArtBitmap(art, picture, ArtState::Disabled));
    if (!tip.empty()) b->SetToolTip(tip);
    return b;
}

// The meter buttons: the 70-pixel pictures drawn to fit the button.
wxBitmapButton* MeterButton(wxWindow* parent, int id, const wxString& art, const wxString& tip,
                            const wxSize& size) {
    const int side = std::min(size.x, size.y) - 10;
    const wxSize picture(side, side);
    auto* b = new wxBitmapButton(parent, id, ArtBitmap(art, picture), wxDefaultPosition, size);
    b->SetBitmapCurrent(ArtBitmap(art, picture, ArtState::Hover));
    b->SetBitmapPressed(ArtBitmap(art, picture, ArtState::Pressed));
    b->SetBitmapDisabled(ArtBitmap(art, picture, ArtState::Disabled));
    b->SetToolTip(tip);
    return b;
}

// The caption on two lines, broken at the blank that leaves the longer line shortest: three of
// these buttons share a third of the window, which on one line they would widen past the screen.
wxString TwoLines(const wxString& caption) {
    size_t best = wxString::npos, longest = caption.length();
    for (size_t at = caption.find(' '); at != wxString::npos; at = caption.find(' ', at + 1)) {
        const size_t longer = std::max(at, caption.length() - at - 1);
        if (longer < longest) {
            best = at;
            longest = longer;
        }
    }
    if (best == wxString::npos) return caption;
    return caption.Left(best) + "\n" + caption.Mid(best + 1);
}

wxButton* RecordButton(wxWindow* parent, int id, const char* label, const char* tip) {
    auto* b = new wxButton(parent, id, TwoLines(wxString::FromUTF8(label)), wxDefaultPosition,
                           wxDefaultSize, 0, wxDefaultValidator, "button");
    AtLeast(b, wxSize(10, 30));
    if (tip != nullptr) b->SetToolTip(wxString::FromUTF8(tip));
    return b;
}

wxString Utf8(const char* s) { return wxString::FromUTF8(s); }

// GTK sizes a static box by its contents alone; a box narrower than its title would cut the title.
wxStaticBoxSizer* TitledBox(wxWindow* parent, int orient, const char* title) {
    auto* box = new wxStaticBoxSizer(orient, parent, Utf8(title));
    const int titleWidth = box->GetStaticBox()->GetTextExtent(Utf8(title)).x;
    box->SetMinSize(wxSize(titleWidth + 16, -1));
    return box;
}

}  // namespace

void MainFrame::BuildLayout() {
    c_.panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                           wxTAB_TRAVERSAL | wxNO_BORDER, "panel");
    c_.panel->SetBackgroundColour(kInterfaceGrey);

    auto* top = new TightBoxSizer(wxHORIZONTAL);
    top->Add(BuildLeftColumn(), 2, wxEXPAND, 0);
    top->Add(BuildRightColumn(), 1, wxEXPAND, 0);
    c_.panel->SetSizer(top);
    top->SetSizeHints(this);
}

wxBoxSizer* MainFrame::BuildLeftColumn() {
    auto* column = new wxBoxSizer(wxVERTICAL);
    const wxSize tool(55, 60), toolPicture(50, 50);

    auto* tools = new TightBoxSizer(wxHORIZONTAL);
    tools->Add(PictureButton(c_.panel, ID_OPEN_BUTTON, "tool-open", "Apri",
                             "Apri i lavori salvati precedentemente", tool, toolPicture),
               0, 0, 0);
    tools->Add(PictureButton(c_.panel, ID_SAVE, "tool-save", "Salva", "Salva i dati correnti", tool,
                             toolPicture),
               1, 0, 0);
    tools->Add(PictureButton(c_.panel, ID_PRINT_BUTTON, "tool-print", "Stampa grafico",
                             "Stampa il grafico corrente", tool, toolPicture),
               1, 0, 0);
    tools->Add(PictureButton(c_.panel, ID_SAVE_IMAGE, "tool-capture", "cattura",
                             "Salva una immagine della tabella corrente", tool, toolPicture),
               0, 0, 0);
    tools->Add(PictureButton(c_.panel, 0, "version", wxString::Format("HVX Version %.1f", 4.8), "",
                             wxSize(100, 70), wxSize(98, 60)),
               2, wxLEFT, 20);
    c_.graph.flowButton =
        PictureButton(c_.panel, ID_GRAPH_FLOW, "graph-flow-off", "Grafico portata",
                      "Mostra o nascondi i dati di portata", tool, toolPicture);
    tools->Add(c_.graph.flowButton, 1, wxLEFT, 0);
    c_.graph.volumeButton =
        PictureButton(c_.panel, ID_GRAPH_VOLUME, "graph-volume-off", "Grafico volume",
                      "Mostra o nascondi i dati di volume", tool, toolPicture);
    tools->Add(c_.graph.volumeButton, 1, wxRIGHT, 10);
    c_.graph.pressureButton =
        PictureButton(c_.panel, ID_GRAPH_PRESSURE, "graph-pressure-off", "Grafico pressione",
                      "Mostra o nascondi i dati di pressione", tool, toolPicture);
    tools->Add(c_.graph.pressureButton, 1, wxRIGHT, 10);
    column->Add(tools, 0, wxEXPAND | wxBOTTOM, 5);

    auto* plotRow = new wxBoxSizer(wxHORIZONTAL);
    auto* toolColumn = new wxBoxSizer(wxVERTICAL);
    const wxSize cell(55, 50), cellPicture(35, 30);
    toolColumn->Add(PictureButton(c_.panel, ID_ZOOM_IN, "zoom-in", "Zoom in",
                                  "Zoom vicino sul grafico corrente", cell, cellPicture),
                    0, wxTOP, 10);
    toolColumn->Add(PictureButton(c_.panel, ID_ZOOM_OUT, "zoom-out", "Zoom out",
                                  "Zoom lontano sul grafico corrente", cell, cellPicture),
                    0, 0, 0);
    c_.graph.measurePrimaryButton = PictureButton(
        c_.panel, ID_MEASURE_FLOW, "measure-flow-off", "Misura F",
        "Selezionare per misurare il punto di portata sul grafico", cell, cellPicture);
    toolColumn->Add(c_.graph.measurePrimaryButton, 0, wxTOP, 10);
    c_.graph.measureSecondButton = PictureButton(
        c_.panel, ID_MEASURE_PRESSURE, "measure-pressure-off", "Misura P",
        "Selezionare per misurare il punto di pressione sul grafico", cell, cellPicture);
    toolColumn->Add(c_.graph.measureSecondButton, 0, 0, 0);
    c_.graph.gridButton = PictureButton(c_.panel, ID_GRID, "grid-off", "Griglia",
                                        "Mostra griglia sul grafico", cell, cellPicture);
    toolColumn->Add(c_.graph.gridButton, 0, 0, 0);
    c_.graph.pointsButton = PictureButton(c_.panel, ID_POINTS, "points-off", "Esempi",
                                          "Mostra o nascondi i punti dei dati", cell, cellPicture);
    toolColumn->Add(c_.graph.pointsButton, 0, 0, 0);
    c_.filterButton =
        PictureButton(c_.panel, ID_FILTER, "filter-off", "Flitri",
                      "Applica un filtro medio sui dati del grafico", cell, cellPicture);
    toolColumn->Add(c_.filterButton, 0, 0, 0);
    plotRow->Add(toolColumn, 0, 0, 0);
    c_.graph.plot =
        new mpWindow(c_.panel, wxID_ANY, wxDefaultPosition, wxSize(600, 300), wxSUNKEN_BORDER);
    // The plot window does not make its size a minimum.
    c_.graph.plot->SetInitialSize(wxSize(600, 300));
    plotRow->Add(c_.graph.plot, 3, wxEXPAND | wxRIGHT, 20);
    column->Add(plotRow, 1, wxEXPAND, 0);

    auto* meterRow = new wxBoxSizer(wxHORIZONTAL);
    c_.graph.elapsedDisplay = new kwxLCDClock(c_.panel, wxDefaultPosition, wxSize(150, 40));
    c_.graph.elapsedDisplay->SetNumberDigits(7);
    c_.graph.elapsedDisplay->SetElapsedSeconds(0.0f);
    meterRow->Add(c_.graph.elapsedDisplay, 0, wxEXPAND | wxALL, 5);

    auto* live = TitledBox(c_.panel, wxHORIZONTAL, "USB logging");
    c_.liveStartButton = MeterButton(live->GetStaticBox(), ID_LIVE_START, "live-start",
                                     "Registra i dati dal vico", wxSize(50, 50));
    live->Add(c_.liveStartButton, 0, wxALL, 5);
    c_.liveStopButton = MeterButton(live->GetStaticBox(), ID_LIVE_STOP, "live-stop",
                                    "Interrompi la ricezione dei dati dal vivo", wxSize(50, 50));
    live->Add(c_.liveStopButton, 0, wxEXPAND | wxRIGHT | wxTOP | wxBOTTOM, 5);
    meterRow->Add(live, 0, wxALL, 5);

    auto* settings = TitledBox(c_.panel, wxHORIZONTAL, "Impostazioni strumento");
    settings->Add(MeterButton(settings->GetStaticBox(), ID_METER_SETTINGS, "meter-settings",
                              "Cambiare i paremetri dello strumento", wxSize(70, 50)),
                  1, wxEXPAND | wxALL, 5);
    meterRow->Add(settings, 0, wxALL, 5);

    auto* memory = TitledBox(c_.panel, wxHORIZONTAL, "Memoria stumento");
    memory->Add(MeterButton(memory->GetStaticBox(), ID_ERASE_METER, "meter-erase",
                            "Svuota la memoria dello strumento", wxSize(50, 50)),
                1, wxEXPAND | wxALL, 5);
    memory->Add(MeterButton(memory->GetStaticBox(), ID_DOWNLOAD, "meter-download",
                            "Carica tutti i dati dallo strumento", wxSize(50, 50)),
                1, wxEXPAND | wxRIGHT | wxTOP | wxBOTTOM, 5);
    meterRow->Add(memory, 0, wxALL, 5);
    column->Add(meterRow, 0, 0, 0);
    return column;
}

wxBoxSizer* MainFrame::BuildRightColumn() {
    auto* column = new wxBoxSizer(wxVERTICAL);
    const wxFont unitFont(11, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD);

    auto* readouts = new wxBoxSizer(wxVERTICAL);
    auto* flowRow = new wxBoxSizer(wxHORIZONTAL);
    c_.graph.flowDisplay = new kwxLCDDisplay(c_.panel, wxDefaultPosition, wxSize(100, 40));
    c_.graph.flowDisplay->SetNumberDigits(6);
    c_.graph.flowDisplay->SetValue("0.0");
    flowRow->Add(c_.graph.flowDisplay, 4, wxEXPAND | wxLEFT | wxRIGHT, 2);
    c_.graph.flowUnitLabel =
        new wxStaticText(c_.panel, wxID_ANY, ReadoutFlowLabel(GlobalPreferences()));
    c_.graph.flowUnitLabel->SetFont(unitFont);
    flowRow->Add(c_.graph.flowUnitLabel, 1, wxALIGN_CENTER | wxRIGHT, 5);
    readouts->Add(flowRow, 1, wxEXPAND, 0);

    auto* pressureRow = new wxBoxSizer(wxHORIZONTAL);
    c_.graph.pressureDisplay = new kwxLCDDisplay(c_.panel, wxDefaultPosition, wxSize(60, 35));
    c_.graph.pressureDisplay->SetNumberDigits(6);
    c_.graph.pressureDisplay->SetValue("0.0");
    pressureRow->Add(c_.graph.pressureDisplay, 4, wxEXPAND | wxLEFT | wxRIGHT, 2);
    c_.graph.pressureUnitLabel = new wxStaticText(c_.panel, wxID_ANY, "PSI");
    c_.graph.pressureUnitLabel->SetLabel(PressureShortLabel(GlobalPreferences().pressureUnit));
    c_.graph.pressureUnitLabel->SetFont(unitFont);
    pressureRow->Add(c_.graph.pressureUnitLabel, 1, wxALIGN_CENTER | wxRIGHT, 5);
    readouts->Add(pressureRow, 1, wxEXPAND, 0);
    column->Add(readouts, 1, wxEXPAND, 0);

    auto* functions = new wxStaticBoxSizer(wxHORIZONTAL, c_.panel, "Funzioni eventi portata");
    wxWindow* box = functions->GetStaticBox();
    auto* grid = new wxGridSizer(2, 3, 5, 5);
    c_.removeRecordButton =
        RecordButton(box, ID_REMOVE_RECORD, "Cancella", "Rimuovere i dati registrati dal lavoro");
    c_.renameRecordButton = RecordButton(box, ID_RENAME_RECORD, "Inserisci titolo del grafico",
                                         "Aggiungere o cambiare il titolo dei dati registrati");
    c_.recordInfoButton = RecordButton(box, ID_RECORD_INFO, "Informazioni aggiuntive",
                                       "Aggiungere informazioni aggiuntive sul grafico");
    c_.textBoxButton = RecordButton(box, ID_RECORD_TEXTBOX, "Casella di testo", nullptr);
    c_.targetFlowButton = RecordButton(box, ID_TARGET_FLOW, "Portata target", nullptr);
    grid->Add(c_.removeRecordButton, 0, wxEXPAND, 0);
    grid->Add(c_.renameRecordButton, 0, wxEXPAND, 0);
    grid->Add(c_.recordInfoButton, 0, wxEXPAND, 0);
    grid->Add(c_.textBoxButton, 0, wxEXPAND, 5);
    grid->Add(c_.targetFlowButton, 0, wxEXPAND, 5);
    functions->Add(grid, 1, wxEXPAND, 0);
    column->Add(functions, 0, wxEXPAND | wxALL, 10);

    c_.recordList = new wxListCtrl(c_.panel, ID_RECORD_LIST, wxDefaultPosition, wxDefaultSize,
                                   wxLC_REPORT | wxLC_SINGLE_SEL, wxDefaultValidator, "listCtrl");
    c_.recordList->SetMinSize(wxSize(50, 100));
    column->Add(c_.recordList, 4, wxEXPAND | wxLEFT | wxRIGHT, 10);

    auto* levels = new wxStaticBoxSizer(wxVERTICAL, c_.panel, "Livelli risorse");
    wxWindow* levelBox = levels->GetStaticBox();
    auto gaugeRow = [&](wxKestGauge*& gauge, const char* label) {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        gauge =
            new wxKestGauge(levelBox, ID_GAUGE, 700, wxDefaultPosition, wxDefaultSize, wxNO_BORDER);
        gauge->SetMinSize(wxSize(20, 20));
        row->Add(gauge, 5, 0, 0);
        row->Add(new wxStaticText(levelBox, wxID_ANY, Utf8(label)), 0, wxLEFT, 5);
        levels->Add(row, 1, wxEXPAND | wxALL, 2);
    };
    gaugeRow(c_.batteryGauge, "Batteria");
    gaugeRow(c_.memoryGauge, "Memoria");
    c_.memoryText = new wxStaticText(levelBox, wxID_ANY, " ");
    levels->Add(c_.memoryText, 1, wxALL, 2);
    column->Add(levels, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    return column;
}

void MainFrame::FinishLayout() {
    graph_ = std::make_unique<GraphView>(records_, c_.graph);
    graph_->BuildGraph();

    c_.recordList->SetFont(wxFont(9, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD));
    // Each column is as wide as its header or a typical cell, whichever is wider, in the list's
    // font; the list is then kept wide enough for all five, so none starts outside it.
    const wxString columns[][2] = {{"Titolo", "Memoria 000"},
                                   {"Data", "00/00/0000"},
                                   {"Tempo", "00:00:00"},
                                   {"Durata", "00:00:00"},
                                   {ListVolumeHeader(GlobalPreferences()), Utf8("00000.00 M³")}};
    int listWidth = wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, c_.recordList);
    for (int i = 0; i < 5; ++i) {
        const int text = std::max(c_.recordList->GetTextExtent(columns[i][0]).x,
                                  c_.recordList->GetTextExtent(columns[i][1]).x);
        // The header and the cells keep a margin each side of the text.
        const int width = text + kColumnMargin;
        c_.recordList->InsertColumn(i, columns[i][0], wxLIST_FORMAT_LEFT, width);
        listWidth += width;
    }
    c_.recordList->SetMinSize(wxSize(std::max(50, listWidth), 100));

    c_.batteryGauge->SetValue(0);
    c_.batteryGauge->SetForegroundColour(wxColour(255, 0, 0));
    c_.batteryGauge->SetBackgroundColour(wxColour(50, 50, 50));

    graph_->ResetView();

    c_.liveStartButton->Enable(true);
    for (wxWindow* w : std::initializer_list<wxWindow*>{c_.liveStopButton, c_.removeRecordButton,
                                                        c_.renameRecordButton, c_.recordInfoButton,
                                                        c_.textBoxButton, c_.targetFlowButton})
        w->Enable(false);
}
