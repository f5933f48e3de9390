// The menu bar: its entries, check marks from the preferences, and the flow unit commands.
#include <wx/menu.h>
#include <wx/statusbr.h>

#include <memory>

#include "app/CommandIds.h"
#include "data/Preferences.h"
#include "tests/gui/app/MainWindowFixture.h"

namespace {

struct MenuEntry {
    int menu;  // position in the menu bar
    int id;
    const char* label;  // UTF-8
    const char* help;
    bool check;
    bool picture;
};

const MenuEntry kEntries[] = {
    {0, ID_OPEN, "Aprire spazio di lacoro", "Apri un lavoro salvato", false, true},
    {0, ID_SAVE, "Salva uno spazio di lavoro", "Salva lo spazio di lavoro corrente", false, true},
    {0, ID_SAVE_AS, "Salva il lavoro come", "Salva il lavoro corrente come", false, true},
    {0, ID_PRINT, "Stampa grafico", "Stampa il grafico corrente", false, true},
    {0, ID_PRINT_PREVIEW, "stampa con anteprima", "stampa con anteprima il grafico corrente", false,
     true},
    {0, ID_EXIT, "Esci", "Chiudere applicazione", false, false},
    {1, ID_FLOW_COLOUR, "Portata", "Cambia colore della portata", false, false},
    {1, ID_VOLUME_COLOUR, "Volume", "Cambia colore del volume", false, false},
    {1, ID_PRESSURE_COLOUR, "Pressione", "Cambia colore della pressione", false, false},
    {1, ID_FLOW_WIDTH, "Portata", "Cambia spessore della linea della portata", false, false},
    {1, ID_VOLUME_WIDTH, "Volumne", "Cambia spessore della linea del volume", false, false},
    {1, ID_PRESSURE_WIDTH, "Pressione", "Cambia spessore ", false, false},
    {2, ID_FLOW_UNIT_LPM, "Portata l/m", "Portata l/m", true, false},
    {2, ID_FLOW_UNIT_LPS, "Portara l/s", "Portara l/s", true, false},
    {2, ID_FLOW_UNIT_M3H, "Portata  M³/h", "Portata  M³/h", true, false},
    {2, ID_FLOW_UNIT_GPM, "Portata GPM", "Portata GPM", true, false},
    {2, ID_ABSOLUTE_TIME, "Asse assoluta del tempo", "Asse assoluta del tempo", true, false},
    {2, ID_EXPORT_CSV, "Esportare su Excel", "Esportare i dati selezionati su Miscrosoft EXCEL",
     false, false},
    {2, ID_FILTER_SETTINGS, "Impostazioni filtro", "Cambia i dati del filtro impostazioni", false,
     false},
    {3, ID_SHOW_TIPS, "Mostra i suggerimenti per iniziare", "Mostra gli aiuti per iniziare", false,
     false},
};

// The flow unit entries in unit order: l/m, l/s, m³/h, GPM.
constexpr int kFlowEntries[] = {ID_FLOW_UNIT_LPM, ID_FLOW_UNIT_LPS, ID_FLOW_UNIT_M3H,
                                ID_FLOW_UNIT_GPM};

bool Contains(wxMenu* outer, wxMenu* inner) {
    for (wxMenu* m = inner; m; m = m->GetParent())
        if (m == outer) return true;
    return false;
}

}  // namespace

TEST_F(MainWindowTest, MenuBarHasFourMenusWithEveryEntry) {
    Open();
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetMenuCount(), 4u);
    EXPECT_EQ(bar->GetMenuLabelText(0), "File");
    EXPECT_EQ(bar->GetMenuLabelText(1), "Grafico");
    EXPECT_EQ(bar->GetMenuLabelText(2), "Data");
    EXPECT_EQ(bar->GetMenuLabelText(3), "Aiuto");

    for (const MenuEntry& e : kEntries) {
        SCOPED_TRACE(e.label);
        wxMenu* owner = nullptr;
        wxMenuItem* item = bar->FindItem(e.id, &owner);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(Contains(bar->GetMenu(e.menu), owner));
        EXPECT_EQ(item->GetItemLabel(), wxString::FromUTF8(e.label))
            << "no accelerators, no mnemonics";
        EXPECT_EQ(item->GetHelp(), wxString::FromUTF8(e.help));
        EXPECT_EQ(item->IsCheckable(), e.check);
        EXPECT_EQ(item->GetBitmap().IsOk(), e.picture);
        if (e.picture) {
            EXPECT_EQ(item->GetBitmap().GetSize(), wxSize(16, 15));
        }
    }
    EXPECT_EQ(bar->FindItem(ID_FACTORY_CONFIG), nullptr) << "the factory command has no menu entry";
}

TEST_F(MainWindowTest, FileMenuHasOneSeparatorBeforePrinting) {
    Open();
    wxMenu* file = frame->GetMenuBar()->GetMenu(0);
    std::vector<int> ids;
    for (wxMenuItem* item : file->GetMenuItems())
        ids.push_back(item->IsSeparator() ? -1 : item->GetId());
    EXPECT_EQ(ids, (std::vector<int>{ID_OPEN, ID_SAVE, ID_SAVE_AS, -1, ID_PRINT, ID_PRINT_PREVIEW,
                                     ID_EXIT}));
}

TEST_F(MainWindowTest, DataMenuListsTheFlowUnitsFirstInUnitOrder) {
    Open();
    wxMenu* data = frame->GetMenuBar()->GetMenu(2);
    std::vector<int> ids;
    for (wxMenuItem* item : data->GetMenuItems())
        ids.push_back(item->IsSeparator() ? -1 : item->GetId());
    EXPECT_EQ(ids, (std::vector<int>{61, 63, 62, 64, ID_ABSOLUTE_TIME, ID_EXPORT_CSV,
                                     ID_FILTER_SETTINGS}));
}

TEST_F(MainWindowTest, GraphMenuHoldsTheTwoLineSubmenusThenTheStatistics) {
    Open();
    wxMenu* graph = frame->GetMenuBar()->GetMenu(1);
    ASSERT_EQ(graph->GetMenuItemCount(), 4u);
    const wxMenuItemList& items = graph->GetMenuItems();
    EXPECT_EQ(items[0]->GetItemLabel(), "Colore della linea");
    EXPECT_EQ(items[0]->GetHelp(), "Cambia colore delle linee");
    EXPECT_EQ(items[1]->GetItemLabel(), "Stile della linea");
    EXPECT_EQ(items[1]->GetHelp(), "Cambia carattere della linea");
    ASSERT_NE(items[0]->GetSubMenu(), nullptr);
    ASSERT_NE(items[1]->GetSubMenu(), nullptr);
    EXPECT_NE(items[0]->GetSubMenu()->FindItem(ID_FLOW_COLOUR), nullptr);
    EXPECT_NE(items[1]->GetSubMenu()->FindItem(ID_FLOW_WIDTH), nullptr);
    EXPECT_TRUE(items[2]->IsSeparator());
    EXPECT_EQ(items[3]->GetId(), ID_STATISTICS);
    EXPECT_EQ(items[3]->GetItemLabelText(), "Statistiche");
    const std::unique_ptr<wxAcceleratorEntry> key(items[3]->GetAccel());
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->GetFlags(), wxACCEL_CTRL);
    EXPECT_EQ(key->GetKeyCode(), 'T');
}

TEST_F(MainWindowTest, HighlightedEntryShowsItsHelpInTheStatusBar) {
    Open();
    wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, ID_OPEN);
    highlight.SetEventObject(frame.get());
    frame->ProcessWindowEvent(highlight);
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(0), "Apri un lavoro salvato");
}

TEST_F(MainWindowTest, ExportStartsDisabled) {
    Open();
    EXPECT_FALSE(frame->GetMenuBar()->IsEnabled(ID_EXPORT_CSV));
    EXPECT_TRUE(frame->GetMenuBar()->IsEnabled(ID_FILTER_SETTINGS));
}

struct ChecksCase {
    const char* name;
    int flowUnitLine;
    int absoluteTimeLine;
    int checkedFlowEntry;  // 0: none
    bool absoluteChecked;
};

void PrintTo(const ChecksCase& c, std::ostream* os) { *os << c.name; }

class MenuChecksFromFile : public MainWindowTest,
                           public ::testing::WithParamInterface<ChecksCase> {};

TEST_P(MenuChecksFromFile, MatchThePreferences) {
    const ChecksCase& c = GetParam();
    WritePreferences({1, 98, 0, 0, c.flowUnitLine, 0, c.absoluteTimeLine});
    Open();
    wxMenuBar* bar = frame->GetMenuBar();
    for (int id : kFlowEntries)
        EXPECT_EQ(bar->IsChecked(id), id == c.checkedFlowEntry) << "entry " << id;
    EXPECT_EQ(bar->IsChecked(ID_ABSOLUTE_TIME), c.absoluteChecked);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MenuChecksFromFile,
    ::testing::Values(ChecksCase{"LitresPerMinute", 0, 0, ID_FLOW_UNIT_LPM, false},
                      ChecksCase{"LitresPerSecond", 1, 0, ID_FLOW_UNIT_LPS, false},
                      ChecksCase{"CubicMetresPerHour", 2, 0, ID_FLOW_UNIT_M3H, false},
                      ChecksCase{"GallonsPerMinute", 3, 1, ID_FLOW_UNIT_GPM, true},
                      ChecksCase{"UnknownUnitChecksNothing", 9, 0, 0, false},
                      ChecksCase{"LowByteOfTheLineCounts", 258, 5, ID_FLOW_UNIT_M3H, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct FlowUnitCase {
    const char* name;
    int entry;
    int code;
};

void PrintTo(const FlowUnitCase& c, std::ostream* os) { *os << c.name; }

class FlowUnitCommand : public MainWindowTest,
                        public ::testing::WithParamInterface<FlowUnitCase> {};

TEST_P(FlowUnitCommand, SetsTheUnitChecksOnlyItsEntryAndAsksForARestart) {
    const FlowUnitCase& c = GetParam();
    WritePreferences({1, 98, 0, 0, c.code == 2 ? 0 : 2, 0, 0});
    Open();
    wxTEST_DIALOG(
        Command(c.entry),
        ExpectMessage(wxString::FromUTF8("Riavvaire l'applicazione per effettuare il cambio "
                                         "dell'unità di portata"),
                      "Message", wxID_OK, wxOK));
    EXPECT_EQ(GlobalPreferences().flowUnit, c.code);
    wxMenuBar* bar = frame->GetMenuBar();
    for (int id : kFlowEntries) EXPECT_EQ(bar->IsChecked(id), id == c.entry) << "entry " << id;

    frame->Destroy();
    ASSERT_TRUE(WaitClosed());
    EXPECT_EQ(PreferencesFile(), "1\n98\n0\n0\n" + std::to_string(c.code) + "\n0\n0\n");
}

INSTANTIATE_TEST_SUITE_P(Entries, FlowUnitCommand,
                         ::testing::Values(FlowUnitCase{"Lpm", ID_FLOW_UNIT_LPM, 0},
                                           FlowUnitCase{"Lps", ID_FLOW_UNIT_LPS, 1},
                                           FlowUnitCase{"M3h", ID_FLOW_UNIT_M3H, 2},
                                           FlowUnitCase{"Gpm", ID_FLOW_UNIT_GPM, 3}),
                         [](const auto& info) { return std::string(info.param.name); });
