// One data point through CGrapherGraph::AddData against the same point sent straight to the
// plotting module's root object, on the recording module with its recording off, so that the
// difference is the client's bookkeeping (three sets of axis ranges per trace, the refit counter).
// Both entries send the same points from the same buffer to the same module graph.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "plotter/recording_module.h"
#include "veltutil/grapher/grapher_graph.h"
#include "veltutil/grapher/grapher_page.h"
#include "veltutil/grapher/grapher_source.h"

namespace {

constexpr int kPoints = 4096;

// A graph with `traces` traces on a page of the recording module, and points to feed it: X then
// one Y value per trace, point after point.
struct Setup {
    explicit Setup(int traces, bool refit) : traces(traces) {
        module.Recording().recording = false;
        source->SetGrapher(module.Root());
        source->Create(4, *page);
        page->Create(1, *graph);
        for (int t = 0; t < traces; ++t) graph->AddTrace();
        if (refit) {
            graph->AddUpdateMode(CGrapherGraph::UPDATE_EVERY_N_CALLS, 64);
            graph->AddUpdateMode(CGrapherGraph::UPDATE_EXPANDING, 1.5);
        }
        for (int k = 0; k < kPoints; ++k) {
            values.push_back(k * 1e-6);
            for (int t = 0; t < traces; ++t) values.push_back(std::sin(k * 0.003 * (t + 1)) * (1 + k % 97));
        }
    }
    const double* Point(int k) const { return values.data() + static_cast<std::size_t>(k) * (traces + 1); }

    RecordingModule module;
    std::unique_ptr<CGrapherSource> source = std::make_unique<CGrapherSource>();
    std::unique_ptr<CGrapherPage> page = std::make_unique<CGrapherPage>();
    std::unique_ptr<CGrapherGraph> graph = std::make_unique<CGrapherGraph>();
    int traces;
    std::vector<double> values;
};

void PerPoint(benchmark::State& state) {
    state.counters["ns_per_point"] =
        benchmark::Counter(kPoints, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ClientAddData(benchmark::State& state) {
    Setup setup(static_cast<int>(state.range(0)), state.range(1) != 0);
    CGrapherGraph& graph = *setup.graph;
    for (auto _ : state) {
        for (int k = 0; k < kPoints; ++k) benchmark::DoNotOptimize(graph.AddData(0, setup.Point(k), setup.traces, 1, 1));
    }
    PerPoint(state);
}

// The usual way a simulator feeds a graph: the point is set in the trace list, then sent.
void BM_ClientAddDataFromTraceList(benchmark::State& state) {
    Setup setup(static_cast<int>(state.range(0)), state.range(1) != 0);
    CGrapherGraph& graph = *setup.graph;
    CTraceInfoList& list = graph.GetTraceInfoList();
    for (auto _ : state) {
        for (int k = 0; k < kPoints; ++k) {
            const double* point = setup.Point(k);
            list.SetXData(point[0]);
            for (int t = 0; t < setup.traces; ++t) list.SetNthYData(t, point[t + 1]);
            benchmark::DoNotOptimize(graph.AddData(1, 0));
        }
    }
    PerPoint(state);
}

void BM_ModuleAddDataDirect(benchmark::State& state) {
    Setup setup(static_cast<int>(state.range(0)), state.range(1) != 0);
    CGrapher* root = setup.graph->GetGrapher();
    CGraph* handle = *setup.graph;
    for (auto _ : state) {
        for (int k = 0; k < kPoints; ++k)
            benchmark::DoNotOptimize(root->AddData(handle, 0, setup.Point(k), setup.traces, 1, 1));
    }
    PerPoint(state);
}

// Arguments: traces, refit modes on (every 64th call, growing, with a margin of 1.5) or off.
void Arguments(benchmark::internal::Benchmark* b) {
    for (int traces : {1, 4}) {
        for (int refit : {0, 1}) b->Args({traces, refit});
    }
    b->ArgNames({"traces", "refit"});
}

}  // namespace

BENCHMARK(BM_ClientAddData)->Apply(Arguments);
BENCHMARK(BM_ClientAddDataFromTraceList)->Apply(Arguments);
BENCHMARK(BM_ModuleAddDataDirect)->Apply(Arguments);
