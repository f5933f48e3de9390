// Paint time of one series of 10 thousand to 10 million samples in a 1200 x 600 memory bitmap:
// the per-column drawing (with its min/max summaries) against drawing every segment, in the same
// run. Prints the ratios the plot is held to:
//   every segment / fast at 1 million samples   (target: at least 20)
//   fast at 10 million / fast at 10 thousand     (target: at most 3)
// Run under xvfb-run; the toolkit starts as in the GUI tests.
#include <benchmark/benchmark.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "bench/harness/GuiBenchMain.h"
#include "plot/core/ColumnDecimator.h"
#include "plot/mpFXYVector.h"
#include "plot/mpWindow.h"

namespace {

const wxSize kSize(1200, 600);

struct Scene {
    wxFrame* frame = nullptr;
    mpWindow* plot = nullptr;
    std::unique_ptr<mpFXYVector> series;
    wxBitmap bitmap{kSize.x, kSize.y, 24};
};

// A logged event: flow with noise and 25 short spikes, one sample per 0.1 s. The spikes sit at the
// same fractions of the record at every length, so every size paints the same picture.
std::unique_ptr<Scene> MakeScene(std::size_t n) {
    auto s = std::make_unique<Scene>();
    s->frame = new wxFrame(nullptr, wxID_ANY, "bench");
    s->plot = new mpWindow(s->frame, -1, wxDefaultPosition, kSize);
    std::vector<float> xs(n), ys(n);
    std::mt19937 rng(1);
    std::normal_distribution<float> noise(0, 0.8f);
    for (std::size_t i = 0; i < n; ++i) {
        xs[i] = static_cast<float>(static_cast<double>(i) * 0.1);
        float y = 40 + 10 * std::sin(static_cast<float>(i) * 1e-4f) + noise(rng);
        if (i % (n / 25) == 0) y += 60;
        ys[i] = y;
    }
    s->series = std::make_unique<mpFXYVector>();
    s->series->SetData(xs, ys, 0);
    s->series->SetPen(wxPen(*wxBLUE, 2));
    s->series->continuous = true;
    s->plot->AddLayer(s->series.get());
    plotcore::ViewState v;
    const double span = xs.back() - xs.front();
    v.scaleX = (kSize.x - 100) / (span > 0 ? span : 1);
    v.posX = xs.front() + span / 2;
    v.scaleY = (kSize.y - 90) / 120.0;
    v.posY = 60;
    s->plot->SetView(v);
    return s;
}

std::map<std::size_t, std::unique_ptr<Scene>>& Scenes() {
    static std::map<std::size_t, std::unique_ptr<Scene>> scenes;
    return scenes;
}

Scene& SceneOf(std::size_t n) {
    auto& slot = Scenes()[n];
    if (!slot) slot = MakeScene(n);
    return *slot;
}

void Paint(benchmark::State& state, bool fast) {
    Scene& s = SceneOf(static_cast<std::size_t>(state.range(0)));
    s.series->SetFastDrawing(fast);
    for (auto _ : state) {
        wxMemoryDC dc(s.bitmap);
        s.plot->DrawTo(dc, kSize);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The reduction alone, without drawing: what the per-column pass costs in the paint above.
void BM_ColumnsOnly(benchmark::State& state) {
    Scene& s = SceneOf(static_cast<std::size_t>(state.range(0)));
    const plotcore::ViewState& v = s.plot->GetView();
    const std::vector<float>& xs = s.series->GetXs();
    const std::vector<float>& ys = s.series->GetYs();
    plotcore::MinMaxPyramid pyramid;
    pyramid.Build(ys.data(), ys.size());
    const plotcore::ColumnDecimator d(xs.data(), ys.data(), xs.size(), pyramid,
                                      {v.posX, v.scaleX, v.posY, v.scaleY});
    std::vector<plotcore::PlotPoint> pts;
    for (auto _ : state) {
        d.Line(-kSize.x / 2 - 4, kSize.x / 2 + 4, pts);
        benchmark::DoNotOptimize(pts.data());
    }
    state.counters["points"] = static_cast<double>(pts.size());
}

void BM_PaintFast(benchmark::State& state) { Paint(state, true); }
void BM_PaintEverySegment(benchmark::State& state) { Paint(state, false); }

BENCHMARK(BM_PaintFast)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColumnsOnly)->Arg(10000)->Arg(10000000)->Unit(benchmark::kMillisecond);
// Every segment of 10 million samples takes about half a minute a paint: the ratios need only 1M.
BENCHMARK(BM_PaintEverySegment)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

}  // namespace

void SetUpGuiBench() {}  // each size's scene is made when a case first needs it

void PrintGuiBenchRatios(const char* what, const BenchSeconds& t) {
    auto get = [&](const std::string& name) {
        const auto it = t.find(name);
        return it == t.end() ? 0.0 : it->second;
    };
    printf("\nratios, %s (same run):\n", what);
    for (const char* n : {"10000", "100000", "1000000"}) {
        const double fast = get(std::string("BM_PaintFast/") + n),
                     every = get(std::string("BM_PaintEverySegment/") + n);
        if (fast > 0 && every > 0)
            printf("  every segment / fast at %8s samples: %7.1fx\n", n, every / fast);
    }
    const double f10k = get("BM_PaintFast/10000"), f10m = get("BM_PaintFast/10000000");
    if (f10k > 0 && f10m > 0)
        printf("  fast 10M / fast 10k:                      %7.2fx (target <= 3)\n", f10m / f10k);
    const double f1m = get("BM_PaintFast/1000000"), e1m = get("BM_PaintEverySegment/1000000");
    if (f1m > 0 && e1m > 0)
        printf("  every segment / fast at 1M:               %7.1fx (target >= 20)\n", e1m / f1m);
}

void TearDownGuiBench() {
    for (auto& [n, scene] : Scenes()) {
        scene->plot->DelAllLayers();
        scene->frame->Destroy();
    }
    Scenes().clear();
}
