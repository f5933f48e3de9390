// statistics-picture <out.png>: the main window with a record read from a workspace file, zoomed
// in, with the statistics window beside it, grabbed from the screen for a person to look at (run
// under xvfb-run with HOME in a scratch folder; scripts/statistics-screenshot does).
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/listctrl.h>
#include <wx/utils.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

#include "app/Application.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "data/Workspace.h"
#include "plot/StatisticsWindow.h"

namespace {

// A hydrant test of 15 minutes at 1 s: the valve opens, the flow swings and drops for a minute.
Storage HydrantTest() {
    Storage r("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    r.title = "Idrante 12";
    r.info = "Via Roma, prova di portata";
    r.SetSerial(4321);
    r.SetPressureScaling(0, 0, 0, 'b');
    float volume = 0;
    for (int i = 1; i <= 900; ++i) {
        const float t = float(i);
        float flow = 22 + 8 * std::sin(t / 90.0f) + 0.8f * std::sin(t * 1.7f);
        if (i > 420 && i < 480) flow = 3 + 0.3f * std::sin(t);
        volume += flow / 60.0f;
        r.AddSample(t, flow, 4.2f - flow * 0.05f, volume);
    }
    return r;
}

void Settle(double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void Send(MainFrame* w, wxEventType type, int id) {
    wxCommandEvent e(type, id);
    w->ProcessWindowEvent(e);
}

// The toolkit started as the program starts it, without its window: main() makes that.
class PictureApp : public wxApp {
public:
    bool OnInit() override {
        wxInitAllImageHandlers();
        return true;
    }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(PictureApp);

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: statistics-picture out.png\n");
        return 2;
    }
    const wxString out = wxString::FromUTF8(argv[1]);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) return 2;

    const wxString path = wxGetHomeDir() + "/idrante.orv";
    if (!WriteWorkspace(path, {HydrantTest()})) return 1;
    MainFrame* w = Application::CreateMainWindow();
    w->SetSize(860, 700);
    w->Move(10, 10);
    w->Show();
    Settle(3);  // the splash picture goes after two seconds
    w->OpenWorkspace(path, "idrante.orv");
    w->Controls().recordList->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                           wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    Send(w, wxEVT_BUTTON, ID_GRAPH_PRESSURE);
    for (int i = 0; i < 4; ++i) Send(w, wxEVT_BUTTON, ID_ZOOM_IN);
    Send(w, wxEVT_MENU, ID_STATISTICS);
    Settle(1);

    auto* stats = wxWindow::FindWindowByName(StatisticsWindow::kName);
    wxRect area = w->GetScreenRect();
    if (stats != nullptr) area.Union(stats->GetScreenRect());
    area.Intersect(wxRect(wxGetDisplaySize()));
    wxBitmap picture(area.GetSize());
    {
        wxMemoryDC dc(picture);
        wxScreenDC screen;
        dc.Blit(0, 0, area.width, area.height, &screen, area.x, area.y);
    }
    const bool saved = picture.SaveFile(out, wxBITMAP_TYPE_PNG);
    w->Records().SetSaved(true);
    w->Destroy();
    Settle(0.2);
    wxEntryCleanup();
    return saved ? 0 : 1;
}
