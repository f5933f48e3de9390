// plot-gallery <outdir>: renders representative plots to PNG files for a person to look at (run
// under xvfb-run; scripts/gallery does). The layers are set up as the graph view sets them up.
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/init.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <random>

#include "plot/mpFXYVector.h"
#include "plot/mpFXYVectorKest.h"
#include "plot/mpInfoLegend.h"
#include "plot/mpInfoTextBox.h"
#include "plot/mpScaleX.h"
#include "plot/mpScaleXKest.h"
#include "plot/mpScaleY.h"
#include "plot/mpScaleYKest.h"
#include "plot/mpWindow.h"

namespace {

const wxSize kSize(900, 450);

wxFont Bold(int points) {
    return wxFont(points, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD);
}

// One recorded event: 15 minutes at 1 s, a pump cycle with noise and a few spikes.
struct Record {
    std::vector<float> time, flow, volume, pressure;
};

Record MakeRecord() {
    Record r;
    std::mt19937 rng(5);
    std::normal_distribution<float> noise(0, 0.6f);
    float volume = 0;
    for (int i = 0; i <= 900; ++i) {
        const float t = static_cast<float>(i);
        float flow = 22 + 8 * std::sin(t / 90.0f) + noise(rng);
        if (i > 420 && i < 480) flow = 3 + noise(rng) * 0.2f;
        if (i == 250 || i == 700) flow += 15;
        volume += flow / 60.0f;
        r.time.push_back(t);
        r.flow.push_back(flow);
        r.volume.push_back(volume);
        r.pressure.push_back(4.2f - flow * 0.05f + noise(rng) * 0.05f);
    }
    return r;
}

struct Layers {
    mpScaleX time{"Tempo: (m:s)", mpAXIS_LOW_INSET, true, false};
    mpScaleY flowAxis{"Portata (litri/min)", mpAXIS_LOW_INSET, true, false};
    mpScaleYKest pressureAxis{"Pressione (bar)", mpAXIS_HIGH_BORDER, true};
    mpFXYVector flow;
    mpFXYVectorKest pressure;
    mpFXYVector target;
    mpInfoLegend legend{wxRect(200, 20, 40, 40), *wxTRANSPARENT_BRUSH};
    mpInfoTextBox textBox{wxRect(200, 20, 40, 40), *wxTRANSPARENT_BRUSH};

    explicit Layers(const Record& r) {
        for (mpLayer* l : std::initializer_list<mpLayer*>{&time, &flowAxis, &pressureAxis, &flow,
                                                          &pressure, &target})
            l->SetFont(Bold(9));
        legend.SetFont(Bold(12));
        textBox.SetFont(Bold(12));
        flowAxis.header = "Portata";
        flow.SetData(r.time, r.flow, r.volume, 30);
        flow.SetPen(wxPen(wxColour(0, 0, 255), 2, wxPENSTYLE_SOLID));
        flow.continuous = true;
        flow.name = "Impianto nord 12/03/2021 10:00";
        flow.title = "Prova di portata, idrante 4";
        flow.footer = "Vandrel Serial No. 1234";
        flow.legendLabel = "Portata";
        flow.legendUnit = "l/min";
        flow.legendLabel2 = "Volume";
        flow.legendUnit2 = "Litri";
        pressure.SetData(r.time, r.pressure);
        pressure.SetPen(wxPen(wxColour(255, 0, 0), 2, wxPENSTYLE_SOLID));
        pressure.continuous = true;
        pressure.legendLabel = "Pressione";
        pressure.legendUnit = "Bar";
        target.SetData({r.time.front(), r.time.back(), r.time.back()}, {30, 30, 30}, 0);
        target.SetPen(wxPen(wxColour(0, 255, 0), 3, wxPENSTYLE_LONG_DASH));
        target.continuous = true;
        target.referenceLine = true;
        target.hideSample = false;
    }
};

struct Window {
    Window() {
        frame = new wxFrame(nullptr, wxID_ANY, "plot gallery");
        plot = new mpWindow(frame, -1, wxDefaultPosition, kSize, wxSUNKEN_BORDER);
        frame->SetClientSize(kSize);
        plot->SetSize(kSize);
    }
    ~Window() {
        plot->DelAllLayers();
        frame->Destroy();
    }
    void Add(std::initializer_list<mpLayer*> layers) {
        for (mpLayer* l : layers) plot->AddLayer(l);
    }
    void Mouse(wxEventType type, int x, int y) {
        wxMouseEvent e(type);
        e.m_x = x;
        e.m_y = y;
        e.m_leftDown = true;
        plot->GetEventHandler()->ProcessEvent(e);
    }
    // A paint nobody sees, so that the info boxes learn the window size.
    void Prime() {
        wxBitmap scratch(kSize.x, kSize.y, 24);
        wxMemoryDC dc(scratch);
        plot->DrawTo(dc, kSize);
    }
    bool Save(const wxString& path) {
        wxBitmap bmp(kSize.x, kSize.y, 24);
        {
            wxMemoryDC dc(bmp);
            plot->DrawTo(dc, kSize);
        }
        return bmp.ConvertToImage().SaveFile(path, wxBITMAP_TYPE_PNG);
    }
    wxFrame* frame;
    mpWindow* plot;
};

using Scene = std::function<void(Window&, Layers&)>;

void FlowWithPressure(Window& w, Layers& l) {
    l.time.SetStopBeforeRightAxis(true);
    l.flowAxis.SetStopBeforeRightAxis(true);
    l.flowAxis.header2 = "Portata target";
    w.Add({&l.time, &l.flowAxis, &l.flow, &l.target, &l.pressureAxis, &l.pressure, &l.legend,
           &l.textBox});
    w.plot->SetBottomMargin(35);
    w.plot->Fit();
}

void PointsMode(Window& w, Layers& l) {
    l.flow.SetPen(wxPen(wxColour(0, 0, 255), 6));
    l.flow.continuous = false;
    w.Add({&l.time, &l.flowAxis, &l.flow, &l.legend, &l.textBox});
    w.plot->Fit();
    for (int i = 0; i < 8; ++i) w.plot->ZoomIn();  // dots are told apart only close up
}

void GridMode(Window& w, Layers& l) {
    l.time.SetTicks(false);
    l.flowAxis.SetTicks(false);
    l.pressureAxis.SetTicks(false);
    l.time.SetStopBeforeRightAxis(true);
    l.flowAxis.SetStopBeforeRightAxis(true);
    w.Add({&l.time, &l.flowAxis, &l.flow, &l.pressureAxis, &l.pressure, &l.legend, &l.textBox});
    w.plot->Fit();
}

void AbsoluteTime(Window& w, Layers& l) {
    w.Add({&l.time, &l.flowAxis, &l.flow, &l.legend, &l.textBox});
    w.plot->SetRecordStart(wxDateTime(12, wxDateTime::Mar, 2021, 10, 0, 0));
    w.plot->SetAbsoluteTime(true);
    w.plot->SetBottomMargin(45);
    w.plot->Fit();
}

void LegendAndTextBox(Window& w, Layers& l) {
    l.time.SetStopBeforeRightAxis(true);
    l.flowAxis.SetStopBeforeRightAxis(true);
    l.textBox.text = "Idrante 4, via Roma\nvalvola aperta al 50%";
    w.Add({&l.time, &l.flowAxis, &l.flow, &l.pressureAxis, &l.pressure, &l.legend, &l.textBox});
    w.plot->Fit();
    w.Prime();
    l.textBox.SetPosition(*w.plot, 120, -170);
    // Drag the legend from the centre to the lower left, as a user would.
    const int cx = kSize.x / 2, cy = kSize.y / 2;
    w.Mouse(wxEVT_LEFT_DOWN, cx + 5, cy + 5);
    for (int step = 1; step <= 40; ++step) {
        w.Mouse(wxEVT_MOTION, cx + 5 - 10 * step, cy + 5 + 2 * step);
        w.Prime();
    }
    w.plot->SetMeasurePrimary(true);
    w.Mouse(wxEVT_LEFT_DOWN, 560, 200);
}

void NumericAxis(Window& w, Layers& l) {
    static mpScaleXKest numeric("Campione", mpAXIS_LOW_INSET, true, false);
    numeric.SetFont(Bold(9));
    w.Add({&numeric, &l.flowAxis, &l.flow});
    w.plot->Fit();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <outdir>\n", argv[0]);
        return 2;
    }
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    if (!wxEntryStart(wxArgc, argv)) {
        std::fprintf(stderr, "cannot start the toolkit (is DISPLAY set? run under xvfb-run)\n");
        return 2;
    }
    wxInitAllImageHandlers();
    const wxString dir = wxString::FromUTF8(argv[1]);
    const Record record = MakeRecord();
    const std::pair<const char*, Scene> scenes[] = {
        {"flow_pressure.png", FlowWithPressure},
        {"points_mode.png", PointsMode},
        {"grid_mode.png", GridMode},
        {"absolute_time.png", AbsoluteTime},
        {"legend_textbox.png", LegendAndTextBox},
        {"numeric_axis.png", NumericAxis},
    };
    int failures = 0;
    for (const auto& [file, scene] : scenes) {
        Layers layers(record);
        Window window;
        window.Prime();
        scene(window, layers);
        const wxString path = wxFileName(dir, file).GetFullPath();
        if (window.Save(path)) {
            std::printf("%s\n", path.utf8_string().c_str());
        } else {
            std::fprintf(stderr, "cannot write %s\n", path.utf8_string().c_str());
            ++failures;
        }
    }
    wxEntryCleanup();
    return failures == 0 ? 0 : 1;
}
