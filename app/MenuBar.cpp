#include <wx/accel.h>
#include <wx/menu.h>

#include <span>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "art/Art.h"
#include "data/Preferences.h"
#include "data/Units.h"

namespace {

enum class Kind { Normal, Check, Separator };

struct Entry {
    int id;
    const char* label;  // UTF-8; after a tab, the entry's key
    const char* help;   // UTF-8; a check entry's help is its label
    Kind kind;
    const char* picture;  // menu picture name, or nullptr
};

constexpr Entry kFileMenu[] = {
    {ID_OPEN, "Aprire spazio di lacoro", "Apri un lavoro salvato", Kind::Normal, "menu-open"},
    {ID_SAVE, "Salva uno spazio di lavoro", "Salva lo spazio di lavoro corrente", Kind::Normal,
     "menu-save"},
    {ID_SAVE_AS, "Salva il lavoro come", "Salva il lavoro corrente come", Kind::Normal,
     "menu-save"},
    {wxID_SEPARATOR, "", "", Kind::Separator, nullptr},
    {ID_PRINT, "Stampa grafico", "Stampa il grafico corrente", Kind::Normal, "menu-print"},
    {ID_PRINT_PREVIEW, "stampa con anteprima", "stampa con anteprima il grafico corrente",
     Kind::Normal, "menu-print"},
    {ID_EXIT, "Esci", "Chiudere applicazione", Kind::Normal, nullptr},
};

constexpr Entry kColourMenu[] = {
    {ID_FLOW_COLOUR, "Portata", "Cambia colore della portata", Kind::Normal, nullptr},
    {ID_VOLUME_COLOUR, "Volume", "Cambia colore del volume", Kind::Normal, nullptr},
    {ID_PRESSURE_COLOUR, "Pressione", "Cambia colore della pressione", Kind::Normal, nullptr},
};

constexpr Entry kStyleMenu[] = {
    {ID_FLOW_WIDTH, "Portata", "Cambia spessore della linea della portata", Kind::Normal, nullptr},
    {ID_VOLUME_WIDTH, "Volumne", "Cambia spessore della linea del volume", Kind::Normal, nullptr},
    {ID_PRESSURE_WIDTH, "Pressione", "Cambia spessore ", Kind::Normal, nullptr},
};

// Follows the two submenus.
constexpr Entry kGraphMenu[] = {
    {ID_STATISTICS, "Statistiche\tCtrl+T",
     "Statistiche della parte visibile del grafico, o tra i due cursori di misura", Kind::Normal,
     nullptr},
};

// Follows the flow unit entries, which come from the unit table.
constexpr Entry kDataMenu[] = {
    {ID_ABSOLUTE_TIME, "Asse assoluta del tempo", "Asse assoluta del tempo", Kind::Check, nullptr},
    {ID_EXPORT_CSV, "Esportare su Excel", "Esportare i dati selezionati su Miscrosoft EXCEL",
     Kind::Normal, nullptr},
    {ID_FILTER_SETTINGS, "Impostazioni filtro", "Cambia i dati del filtro impostazioni",
     Kind::Normal, nullptr},
};

constexpr Entry kHelpMenu[] = {
    {ID_SHOW_TIPS, "Mostra i suggerimenti per iniziare", "Mostra gli aiuti per iniziare",
     Kind::Normal, nullptr},
};

void AppendEntries(wxMenu* menu, std::span<const Entry> entries) {
    for (const Entry& e : entries) {
        if (e.kind == Kind::Separator) {
            menu->AppendSeparator();
            continue;
        }
        auto* item =
            new wxMenuItem(menu, e.id, wxString::FromUTF8(e.label), wxString::FromUTF8(e.help),
                           e.kind == Kind::Check ? wxITEM_CHECK : wxITEM_NORMAL);
        if (e.picture) item->SetBitmap(ArtBundle(e.picture));
        menu->Append(item);
    }
}

wxMenu* MakeMenu(std::span<const Entry> entries) {
    auto* menu = new wxMenu;
    AppendEntries(menu, entries);
    return menu;
}

// One check entry per flow unit, in code order; each entry's help is its label.
wxMenu* MakeDataMenu() {
    auto* menu = new wxMenu;
    for (int unit = 0; unit < kFlowUnitCount; ++unit) {
        const wxString text = FlowUnitMenuText(unit);
        menu->AppendCheckItem(FlowUnitMenuId(unit), text, text);
    }
    AppendEntries(menu, kDataMenu);
    return menu;
}

}  // namespace

void MainFrame::BuildMenuBar() {
    auto* graph = new wxMenu;
    graph->AppendSubMenu(MakeMenu(kColourMenu), "Colore della linea", "Cambia colore delle linee");
    graph->AppendSubMenu(MakeMenu(kStyleMenu), "Stile della linea", "Cambia carattere della linea");
    graph->AppendSeparator();
    AppendEntries(graph, kGraphMenu);

    auto* bar = new wxMenuBar;
    bar->Append(MakeMenu(kFileMenu), "File");
    bar->Append(graph, "Grafico");
    bar->Append(MakeDataMenu(), "Data");
    bar->Append(MakeMenu(kHelpMenu), "Aiuto");
    SetMenuBar(bar);
    // The factory dialog has no menu entry; service technicians reach it by this key alone.
    wxAcceleratorEntry keys[] = {{wxACCEL_CTRL | wxACCEL_SHIFT, 'F', ID_FACTORY_CONFIG}};
    SetAcceleratorTable(wxAcceleratorTable(1, keys));

    bar->Check(ID_ABSOLUTE_TIME, GlobalPreferences().absoluteTime);
    UpdateFlowUnitChecks();
    bar->Enable(ID_EXPORT_CSV, false);
}
