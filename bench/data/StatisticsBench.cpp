// Statistics of a 10,000,000-sample record. A query of any range, from a few samples to the whole
// record, is measured against a straight scan over the same range; the one-off preparation against
// reading the record from workspace text held in memory, measured in the same run. Targets: every
// query under 1 ms, the preparation no slower than the read.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>

#include "data/RangeStatistics.h"
#include "data/StatisticsIndex.h"
#include "data/Workspace.h"

namespace {

constexpr int kSamples = 10000000;

struct Fixture {
    Fixture() {
        Storage s("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
        s.title = "Dal vivo 1";
        s.SetPressureScaling(10, 2, 50, 'b');
        s.Reserve(kSamples);
        for (long long i = 0; i < kSamples; ++i)
            s.AddRawSample(int(300 + (i * 7919) % 9000), int(100 + (i * 104729) % 900));
        record = std::move(s);
        index.Build(record);

        const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                           ("hvx-stats-bench-" + std::to_string(::getpid()));
        std::vector<Storage> records{record};
        WriteWorkspace(wxString::FromUTF8(file.string()), records);
        std::ifstream in(file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        workspace = bytes.str();
        std::filesystem::remove(file);
    }
    Storage record{"", 1000, 1, 0, 0, 1};
    StatisticsIndex index;
    std::string workspace;
};

Fixture& Data() {
    static Fixture f;
    return f;
}

// Ranges by length in samples, placed at an odd offset so their ends fall between samples.
std::pair<double, double> Range(long long samples) {
    const double first = Data().record.time.front();
    const double start = first + (kSamples - samples) / 3 + 0.37;
    return {start, start + double(samples) - 0.74};
}

// The straightforward reference: find the first sample of the range, then one pass to its end.
RangeStatistics StraightScan(const Storage& r, double from, double to) {
    RangeStatistics s;
    const std::size_t n = r.time.size();
    std::size_t i =
        std::size_t(std::lower_bound(r.time.begin(), r.time.end(), from) - r.time.begin());
    double flowArea = 0, pressureArea = 0;
    double fMin = std::numeric_limits<double>::infinity(), fMax = -fMin, pMin = fMin, pMax = -fMin;
    for (; i < n && r.time[i] <= to; ++i) {
        ++s.samples;
        fMin = std::min(fMin, double(r.flow[i]));
        fMax = std::max(fMax, double(r.flow[i]));
        pMin = std::min(pMin, double(r.pressure[i]));
        pMax = std::max(pMax, double(r.pressure[i]));
        if (i + 1 < n && r.time[i + 1] <= to) {
            const double dt = double(r.time[i + 1]) - r.time[i];
            flowArea += (double(r.flow[i]) + r.flow[i + 1]) / 2 * dt;
            pressureArea += (double(r.pressure[i]) + r.pressure[i + 1]) / 2 * dt;
        }
    }
    s.flow = {flowArea / (to - from), fMin, fMax};
    s.pressure = {pressureArea / (to - from), pMin, pMax};
    return s;
}

void QueryScan(benchmark::State& state) {
    const auto [from, to] = Range(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(StraightScan(Data().record, from, to));
}

void QueryIndex(benchmark::State& state) {
    const auto [from, to] = Range(state.range(0));
    RangeStatistics s;
    for (auto _ : state) benchmark::DoNotOptimize(s = Data().index.Query(Data().record, from, to));
    if (s.samples + 1 < std::size_t(state.range(0))) state.SkipWithError("range lost samples");
}

void PrepareReadReference(benchmark::State& state) {
    for (auto _ : state) {
        Preferences prefs;
        WorkspaceReadResult r = ReadWorkspaceBytes(Data().workspace, prefs);
        if (!r.Ok() || r.records.size() != 1 || r.records[0].GetLength() != kSamples)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(r);
    }
}

void PrepareIndex(benchmark::State& state) {
    for (auto _ : state) {
        StatisticsIndex index;
        index.Build(Data().record);
        benchmark::DoNotOptimize(index);
    }
    state.counters["index_MB"] = double(Data().index.MemoryBytes()) / 1e6;
}

BENCHMARK(QueryScan)
    ->Arg(10)
    ->Arg(100000)
    ->Arg(kSamples - 1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3);
BENCHMARK(QueryIndex)
    ->Arg(10)
    ->Arg(100000)
    ->Arg(kSamples - 1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3);
BENCHMARK(PrepareReadReference)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(PrepareIndex)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);

// Keeps the fastest repetition of each benchmark so the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> aggregates;
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) {
                aggregates.push_back(run);
                continue;
            }
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
            const double t = run.GetAdjustedRealTime();
            if (times.count(name) == 0 || t < times[name]) times[name] = t;
        }
        ConsoleReporter::ReportRuns(aggregates.empty() ? runs : aggregates);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    Data();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    bool ok = true;
    std::printf("\nStatistics of %d samples, fastest repetition of each\n", kSamples);
    for (const long long samples : {10LL, 100000LL, kSamples - 1LL}) {
        const std::string arg = "/" + std::to_string(samples);
        const auto scan = reporter.times.find("QueryScan" + arg);
        const auto index = reporter.times.find("QueryIndex" + arg);
        if (scan == reporter.times.end() || index == reporter.times.end()) continue;
        const bool fast = index->second < 1000.0;
        ok = ok && fast;
        std::printf("  range of %8lld samples: scan %10.2f us  index %7.2f us  ratio %9.1f %s\n",
                    samples, scan->second, index->second, scan->second / index->second,
                    fast ? "ok (< 1 ms)" : "ABOVE 1 ms");
    }
    const auto read = reporter.times.find("PrepareReadReference");
    const auto prepare = reporter.times.find("PrepareIndex");
    if (read != reporter.times.end() && prepare != reporter.times.end()) {
        const double ratio = read->second / prepare->second;
        ok = ok && ratio >= 1.0;
        std::printf("  preparation %.1f ms, reading the record %.1f ms: ratio %.1f %s\n",
                    prepare->second, read->second, ratio,
                    ratio >= 1.0 ? "ok (>= 1)" : "SLOWER THAN READING");
    }
    std::printf("  prepared index %.1f MB beside the record's four series of %.1f MB\n",
                double(Data().index.MemoryBytes()) / 1e6, 4.0 * sizeof(float) * kSamples / 1e6);
    benchmark::Shutdown();
    return ok ? 0 : 1;
}
