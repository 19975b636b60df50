// What one frame of an oscilloscope's screen costs while a transient runs: finding the sweep in
// the samples kept (two time bases of a dense run, 100,000 samples each), handing it to the
// screen and painting the screen (headless: every call the face would draw, on no canvas).
// Both entries take the same samples and the same 800 x 600 screen; one decimates the sweep to
// the screen's width, as the scope does, the other paints every sample of it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "scope_screen.h"

namespace {

constexpr int kSamplesPerTimeBase = 100000;
constexpr double kTimeBase = 1e-3;

struct Bench {
    Bench() {
        buffer.Reset(kTimeBase);
        for (int i = 0; i <= 2 * kSamplesPerTimeBase; ++i) {
            const double t = i * kTimeBase / kSamplesPerTimeBase;
            buffer.Add(t, std::sin(2 * 3.14159265358979 * 3000 * t), std::cos(2 * 3.14159265358979 * 3000 * t));
        }
        if (!screen->Create("", WS_POPUP, CRect(0, 0, 800, 600), nullptr)) std::abort();
    }

    veltsim::SweepBuffer buffer;
    std::unique_ptr<veltsim::ScopeScreen> screen = std::make_unique<veltsim::ScopeScreen>();
};

[[gnu::noinline]] void frame(Bench& bench, std::size_t maxPoints, CDC& dc) {
    veltsim::ScreenView view;
    view.sweep = bench.buffer.Find(0.0, maxPoints);
    view.wired[0] = view.wired[1] = true;
    bench.screen->SetView(std::move(view));
    bench.screen->Paint(dc);
}

void screenFrame(benchmark::State& state, bool decimated) {
    Bench bench;
    const std::size_t maxPoints = decimated ? static_cast<std::size_t>(bench.screen->Graticule().Width()) : 2 * kSamplesPerTimeBase;
    CDC dc;
    for (auto _ : state) frame(bench, maxPoints, dc);
    state.counters["points_per_trace"] = static_cast<double>(bench.screen->View().sweep.points.size());
}

void BM_ScopeScreenFrame_Decimated(benchmark::State& state) { screenFrame(state, true); }
BENCHMARK(BM_ScopeScreenFrame_Decimated)->Unit(benchmark::kMillisecond);

void BM_ScopeScreenFrame_EverySample(benchmark::State& state) { screenFrame(state, false); }
BENCHMARK(BM_ScopeScreenFrame_EverySample)->Unit(benchmark::kMillisecond);

}  // namespace
