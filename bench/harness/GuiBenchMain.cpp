#include "bench/harness/GuiBenchMain.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/utils.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Keeps the seconds per iteration of every run, so the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.iterations <= 0) continue;
            std::string name = r.benchmark_name();
            name = name.substr(0, name.find("/min_time"));
            real[name] = r.real_accumulated_time / static_cast<double>(r.iterations);
            cpu[name] = r.cpu_accumulated_time / static_cast<double>(r.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    BenchSeconds real, cpu;
};

// The windows the set-up showed are mapped and exposed before the first case. One Yield can
// return before the X server has mapped them, and then every repaint draws nothing: a live tick
// measured 0.07 ms instead of 14 ms in about half the runs.
void LetWindowsSettle() {
    for (int i = 0; i < 20; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

class BenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    setenv("NO_AT_BRIDGE", "1", 0);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        fprintf(stderr, "cannot start the toolkit (run under xvfb-run)\n");
        return 2;
    }
    SetUpGuiBench();
    LetWindowsSettle();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintGuiBenchRatios("process CPU time", reporter.cpu);
    PrintGuiBenchRatios("wall clock", reporter.real);
    TearDownGuiBench();
    wxTheApp->OnExit();
    wxEntryCleanup();
    benchmark::Shutdown();
    return 0;
}
