#pragma once
// The main every benchmark with windows shares (link hvx_gui_bench_main): it starts the toolkit
// (run the program under xvfb-run), runs the cases the program declares with BENCHMARK, prints
// the program's ratios from the seconds per iteration of each run, and stops the toolkit. The
// program defines the three functions below.

#include <map>
#include <string>

// Seconds per iteration of each run, by the run's name ("BM_PaintFast/10000").
using BenchSeconds = std::map<std::string, double>;

// The toolkit is running; no case has run yet.
void SetUpGuiBench();
// Called twice after the runs: with the process's CPU time (what the work costs on a shared
// machine), then with the wall clock.
void PrintGuiBenchRatios(const char* what, const BenchSeconds& seconds);
// The toolkit still runs: close what the set-up and the cases opened.
void TearDownGuiBench();
