#include "bench/harness/GuiBenchMain.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>

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
