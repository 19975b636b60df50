// What showing a run live costs: a simulator's feed (one graph of two traces, every step sent
// with the update flag, the host loop pumped after each batch of steps as the run's wait does)
// into the live module with its window on the screen, the recording module (recording on) and
// the drawing module (writing its files); and one AddData call, live against drawing. Every
// entry loads its module by path, sends the same points from the same buffer and, for the
// feed, pumps the same loop with the same face up.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "plotter/recording.h"
#include "tests/support/temp_dir.h"
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/platform/host/face/face.h"
#include "veltutil/platform/host/loop/message_queue.h"
#include "veltutil/platform/host/modules/module.h"

namespace {

constexpr int kSteps = 1'000'000;
constexpr int kBatch = 64;
constexpr int kPoints = 4096;

const std::vector<double>& points() {
    static const std::vector<double> values = [] {
        std::vector<double> v;
        for (int k = 0; k < kSteps; ++k) {
            v.push_back(k * 1e-6);
            v.push_back(std::sin(k * 0.003) * (1 + k % 97));
            v.push_back(std::cos(k * 0.005));
        }
        return v;
    }();
    return values;
}

// The module at `path`, loaded once for the process; the live one brings up the face.
CGrapher& root(const char* path) {
    static TempDir output;
    if (!VeltFaceActive()) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        if (!VeltSelectFace("qt")) std::abort();
    }
    HMODULE module = LoadLibrary(path);
    auto create = reinterpret_cast<GRAPHERCREATEPROC>(GetProcAddress(module, "GrapherCreate"));
    auto setOutput = reinterpret_cast<GRAPHERSETOUTPUTDIRECTORYPROC>(GetProcAddress(module, "GrapherSetOutputDirectory"));
    if (create == nullptr) std::abort();
    if (setOutput != nullptr) setOutput((output / "files").c_str());
    return *create(0);
}

CGrapher& live() { return root(VELT_BENCH_BINARY_DIR "/livegrapher/grapher.so"); }
CGrapher& drawing() { return root(VELT_BENCH_BINARY_DIR "/grapher.so"); }
CGrapher& recording() {
    CGrapher& grapher = root(VELT_BENCH_BINARY_DIR "/plotter/grapher.so");
    HMODULE module = LoadLibrary(VELT_BENCH_BINARY_DIR "/plotter/grapher.so");
    auto get = reinterpret_cast<GRAPHERRECORDINGPROC>(GetProcAddress(module, "GrapherRecording"));
    get()->Reset();
    get()->recording = true;
    return grapher;
}

struct Fed {
    CGraphPage* page = nullptr;
    CGraph* graph = nullptr;
};

Fed newGraph(CGrapher& grapher) {
    Fed fed;
    grapher.CreatePage(1, &fed.page);
    grapher.CreateGraph(fed.page, 1, &fed.graph);
    grapher.AddTrace(fed.graph);
    grapher.AddTrace(fed.graph);
    grapher.Show(1);
    return fed;
}

void pump() {
    MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

// Seconds for the whole feed, the screen's last frame included.
__attribute__((noinline)) double feed(CGrapher& grapher) {
    Fed fed = newGraph(grapher);
    const double* values = points().data();
    auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < kSteps; ++k) {
        grapher.AddData(fed.graph, 0, values + 3 * static_cast<std::size_t>(k), 2, 0, 1);
        if (k % kBatch == kBatch - 1) pump();
    }
    grapher.UpdateDisplay(fed.graph);
    pump();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    grapher.DeletePage(fed.page);
    return seconds;
}

void runFeed(benchmark::State& state, CGrapher& grapher) {
    for (auto _ : state) state.SetIterationTime(feed(grapher));
    state.SetItemsProcessed(state.iterations() * kSteps);
}

void BM_Feed_Recording(benchmark::State& state) { runFeed(state, recording()); }
void BM_Feed_Live(benchmark::State& state) { runFeed(state, live()); }
void BM_Feed_Drawing(benchmark::State& state) { runFeed(state, drawing()); }

// The points go on where the last batch ended, so that X keeps growing as a run's does; a graph
// that holds the whole million starts again, outside the timing.
void runAddData(benchmark::State& state, CGrapher& grapher) {
    Fed fed = newGraph(grapher);
    const double* values = points().data();
    std::size_t next = 0;
    for (auto _ : state) {
        if (next + kPoints > static_cast<std::size_t>(kSteps)) {
            state.PauseTiming();
            grapher.DeletePage(fed.page);
            fed = newGraph(grapher);
            next = 0;
            state.ResumeTiming();
        }
        for (int k = 0; k < kPoints; ++k, ++next)
            benchmark::DoNotOptimize(grapher.AddData(fed.graph, 0, values + 3 * next, 2, 0, 1));
    }
    grapher.DeletePage(fed.page);
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_AddData_Live(benchmark::State& state) { runAddData(state, live()); }
void BM_AddData_Drawing(benchmark::State& state) { runAddData(state, drawing()); }

}  // namespace

BENCHMARK(BM_Feed_Recording)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Feed_Live)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Feed_Drawing)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AddData_Live);
BENCHMARK(BM_AddData_Drawing);
