// One live tick of the main window (the meter's block read and appended to the live record, the
// record list rebuilt, the graph extended and repainted) with 10,000 and with 1,000,000 samples
// already in the live record. The target: the long record's tick costs at most 5x the short one's
// and under 50 ms. Run under xvfb-run.
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/Application.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "bench/harness/GuiBenchMain.h"
#include "plot/mpWindow.h"
#include "sim/Bus.h"
#include "sim/Meter.h"

namespace {

MainFrame*& Frame() {
    static MainFrame* frame = nullptr;
    return frame;
}

wxString& Home() {
    static wxString home;
    return home;
}

void Press(int id) {
    wxCommandEvent event(wxEVT_BUTTON, id);
    Frame()->ProcessWindowEvent(event);
}

// The meter runs one second (one sample at its 1000 ms interval), then the live timer ticks and
// the plot repaints at once.
void Tick() {
    sim::Bus::Instance().Advance(std::chrono::milliseconds(1000));
    wxTimerEvent event(Frame()->LiveTimer());
    Frame()->ProcessWindowEvent(event);
    Frame()->Controls().graph.plot->Update();
}

void BM_LiveTick(benchmark::State& state) {
    MainFrame* w = Frame();
    if (w->LiveLoggingRunning()) Press(ID_LIVE_STOP);
    w->Records().ReplaceAll({});
    Press(ID_LIVE_START);
    const auto samples = static_cast<int>(state.range(0));
    for (int i = 0; i < samples; ++i) w->Records().AppendLiveSample(800 + i % 200, 300 + i % 50);
    Tick();  // the graph takes the record once
    for (auto _ : state) Tick();
    state.counters["samples"] = double(w->Records().At(0).GetLength());
}

BENCHMARK(BM_LiveTick)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

// A scratch HOME (no tips at start; the preferences written at the end land there) and a meter
// that logs live, then the main window.
void SetUpGuiBench() {
    Home() = wxFileName::CreateTempFileName(wxFileName::GetTempDir() + "/hvx-bench-");
    wxRemoveFile(Home());
    wxMkdir(Home());
    wxSetEnv("HOME", Home());
    {
        wxFFile prefs(Home() + "/hvxv48.ini", "w");
        prefs.Write("1\n98\n0\n0\n0\n0\n0\n");
    }
    sim::Bus::Instance().Reset();
    sim::Meter& meter = sim::Bus::Instance().PlugMeter();
    meter.SetLiveSource([](double t) { return RawSample{800 + int(t) % 200, 300}; });

    Frame() = Application::CreateMainWindow();
    Frame()->Show(true);
    wxTheApp->Yield(true);
}

void PrintGuiBenchRatios(const char* what, const BenchSeconds& t) {
    const auto small = t.find("BM_LiveTick/10000"), large = t.find("BM_LiveTick/1000000");
    if (small == t.end() || large == t.end() || small->second <= 0) return;
    printf("\n%s: tick with 10k samples %.3f ms, with 1M samples %.3f ms\n", what,
           small->second * 1e3, large->second * 1e3);
    printf("  1M / 10k: %.2fx (target <= 5), 1M tick %s 50 ms\n", large->second / small->second,
           large->second < 0.050 ? "under" : "NOT under");
}

void TearDownGuiBench() {
    if (Frame()->LiveLoggingRunning()) Press(ID_LIVE_STOP);
    Frame()->Records().SetSaved(true);
    Frame()->Destroy();
    wxTheApp->Yield(true);
    wxFileName::Rmdir(Home(), wxPATH_RMDIR_RECURSIVE);
}
