// The drawing module at the sizes a long simulation reaches: streaming points in through the
// root object, with and without the refreshes a client asks for, writing a page, and the size
// of a picture of ten million points.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "plotmodel/model_grapher.h"
#include "plotmodel/svg_writer.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTraces = 4;
constexpr int kPoints = 1'000'000;

// A folder for the files, removed at the end.
struct Folder {
    fs::path path = fs::temp_directory_path() / ("velt-bench-plotmodel-" + std::to_string(::getpid()));
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

// Interleaved points: X, then one Y value per trace, each trace a sine of its own frequency.
std::vector<double> MakePoints(int count, int traces, double xStep, double frequency) {
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(count) * (traces + 1));
    for (int i = 0; i < count; ++i) {
        double x = i * xStep;
        values.push_back(x);
        for (int t = 0; t < traces; ++t) values.push_back(std::sin(x * frequency * (t + 1)) + 0.01 * (i % 17));
    }
    return values;
}

const std::vector<double>& Points() {
    static const std::vector<double> points = MakePoints(kPoints, kTraces, 1e-6, 1000);
    return points;
}

struct Plot {
    plotmodel::ModelGrapher grapher{0.0};
    CGraph* graph = nullptr;

    explicit Plot(const fs::path& folder) {
        grapher.SetOutputDirectory(folder);
        CGraphPage* page = nullptr;
        grapher.CreatePage(1, &page);
        grapher.CreateGraph(page, 1, &graph);
        for (int t = 0; t < kTraces; ++t) grapher.AddTrace(graph);
    }
    void AddAll() {
        const double* point = Points().data();
        for (int i = 0; i < kPoints; ++i, point += kTraces + 1) grapher.AddData(graph, 0, point, kTraces, 1, 0);
    }
};

void BM_AddMillionPointsToFourTraces(benchmark::State& state) {
    Folder folder;
    Points();
    for (auto _ : state) {
        state.PauseTiming();
        auto plot = std::make_unique<Plot>(folder.path);
        state.ResumeTiming();
        plot->AddAll();
        state.PauseTiming();
        plot.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddMillionPointsToFourTraces)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same, then the page with its picture and data files written once.
void BM_AddMillionPointsToFourTracesAndWritePage(benchmark::State& state) {
    Folder folder;
    Points();
    for (auto _ : state) {
        state.PauseTiming();
        auto plot = std::make_unique<Plot>(folder.path);
        state.ResumeTiming();
        plot->AddAll();
        benchmark::DoNotOptimize(plot->grapher.UpdateDisplay(plot->graph));
        state.PauseTiming();
        plot.reset();
        state.ResumeTiming();
    }
    state.counters["csv_bytes"] = static_cast<double>(fs::file_size(folder.path / "page1-graph2.csv"));
}
BENCHMARK(BM_AddMillionPointsToFourTracesAndWritePage)->Unit(benchmark::kMillisecond)->Iterations(3);

// Ten million points of two traces, fed one data call a point as a client feeds them (X, then
// a Y value per trace, first trace 0), to a root object that writes its files as the module
// that applications load does. Argument: the update flag of every call (1 asks for a refresh
// each time, which the module paces; 0 never does). The files go to a folder of their own.
constexpr int kLongTraces = 2;
constexpr int kLongPoints = 10'000'000;

const std::vector<double>& LongPoints() {
    static const std::vector<double> points = MakePoints(kLongPoints, kLongTraces, 1e-9, 1e6);
    return points;
}

void BM_FeedTenMillionPointsToTwoTraces(benchmark::State& state) {
    const int update = static_cast<int>(state.range(0));
    const double* points = LongPoints().data();
    Folder folder;
    for (auto _ : state) {
        state.PauseTiming();
        auto grapher = std::make_unique<plotmodel::ModelGrapher>();
        grapher->SetOutputDirectory(folder.path);
        CGraphPage* page = nullptr;
        CGraph* graph = nullptr;
        grapher->CreatePage(1, &page);
        grapher->CreateGraph(page, 1, &graph);
        for (int t = 0; t < kLongTraces; ++t) grapher->AddTrace(graph);
        state.ResumeTiming();
        const double* point = points;
        for (int i = 0; i < kLongPoints; ++i, point += kLongTraces + 1)
            grapher->AddData(graph, 0, point, kLongTraces, 1, update);
        state.PauseTiming();
        grapher->DeletePage(page);
        grapher.reset();
        state.ResumeTiming();
    }
    state.counters["ns_per_point"] = benchmark::Counter(static_cast<double>(kLongPoints) * state.iterations() * 1e-9,
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FeedTenMillionPointsToTwoTraces)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

// Drawing one trace of ten million points: the time, and the size of the picture.
void BM_SvgOfTenMillionPoints(benchmark::State& state) {
    constexpr std::size_t n = 10'000'000;
    plotmodel::Graph graph;
    graph.traces.emplace_back();
    plotmodel::Trace& trace = graph.traces.back();
    trace.x.reserve(n);
    trace.y.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        trace.x.push_back(static_cast<double>(i) * 1e-7);
        trace.y.push_back(std::sin(static_cast<double>(i) * 1e-4) + (i % 1000 == 0 ? 0.5 : 0.0));
    }
    std::size_t bytes = 0;
    for (auto _ : state) bytes = plotmodel::GraphSvg(graph, 1).size();
    state.counters["svg_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SvgOfTenMillionPoints)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
