// The graph widget at the size of a long transient: redrawing ten million points at full view
// and zoomed in, against the model's plain decimation of the same trace, and the cost of
// keeping a trace's pyramid up to date as points arrive.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "livegrapher/graph/graph_widget.h"
#include "plotmodel/decimate.h"
#include "plotmodel/minmax_pyramid.h"
#include "plotmodel/svg_writer.h"

namespace {

constexpr std::size_t kPoints = 10'000'000;

QApplication& App() {
    static int argc = 1;
    static char name[] = "velt_bench_livegraph";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *app;
}

// A damped ringing with noise and one single-sample spike, over one second.
const plotmodel::Graph& Transient() {
    static const plotmodel::Graph graph = [] {
        plotmodel::Graph g;
        plotmodel::Trace trace;
        trace.colour = 0x0000FF;
        trace.x.resize(kPoints);
        trace.y.resize(kPoints);
        for (std::size_t i = 0; i < kPoints; ++i) {
            double t = static_cast<double>(i) / kPoints;
            trace.x[i] = t;
            trace.y[i] = std::exp(-3 * t) * std::sin(2000 * t) + 0.01 * static_cast<double>(i % 13);
        }
        trace.y[kPoints / 3] = 5;
        g.traces.push_back(std::move(trace));
        return g;
    }();
    return graph;
}

// Redraws the whole plot and paints the widget, with the bottom axis showing 1/zoom of the
// trace around its middle (0: the whole trace, fitted).
void BM_RedrawTenMillion(benchmark::State& state) {
    App();
    static plotmodel::Graph graph = Transient();
    auto widget = std::make_unique<livegrapher::GraphWidget>();
    widget->resize(plotmodel::kGraphWidth, plotmodel::kGraphHeight);
    widget->show();
    widget->SetGraph(&graph);
    widget->grab();  // the resize that showing it brings, before the timing
    double zoom = static_cast<double>(state.range(0));
    int before = widget->FullRedraws();
    for (auto _ : state) {
        if (zoom == 0)
            widget->FitAll();
        else
            widget->ZoomTo(AXIS_POSITION_0, {0.5 - 0.5 / zoom, 0.5 + 0.5 / zoom});
        QImage picture = widget->grab().toImage();
        benchmark::DoNotOptimize(picture.constBits());
    }
    if (widget->FullRedraws() - before != static_cast<int>(state.iterations()))
        state.SkipWithError(("redrawn in full " + std::to_string(widget->FullRedraws() - before) + " times").c_str());
}
BENCHMARK(BM_RedrawTenMillion)->Arg(0)->Arg(10)->Arg(1000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The model's decimation of the same trace at full view, as the files draw it: every sample.
void BM_ModelDecimationTenMillion(benchmark::State& state) {
    const plotmodel::Trace& trace = Transient().traces[0];
    plotmodel::AxisScale x({0, 1}, false, 60, 780), y({-1.5, 5.5}, false, 420, 40);
    plotmodel::PixelMapping mapping{&x, &y};
    for (auto _ : state) {
        plotmodel::Polyline line = plotmodel::Decimate(trace.x.data(), trace.y.data(), trace.Size(), mapping, 60, 780,
                                                       plotmodel::kMaxPointsPerColumn * 720);
        benchmark::DoNotOptimize(line.data());
    }
}
BENCHMARK(BM_ModelDecimationTenMillion)->Unit(benchmark::kMillisecond);

// Points arriving in chunks of state.range(0), as a running simulation sends them; reports
// the time per point and the pyramid's bytes beside the samples'.
void BM_PyramidAppend(benchmark::State& state) {
    const plotmodel::Trace& trace = Transient().traces[0];
    auto chunk = static_cast<std::size_t>(state.range(0));
    constexpr std::size_t kAppended = 1'000'000;
    std::size_t bytes = 0;
    for (auto _ : state) {
        plotmodel::MinMaxPyramid pyramid;
        for (std::size_t count = chunk; count <= kAppended; count += chunk) pyramid.Update(trace.x.data(), trace.y.data(), count);
        bytes = pyramid.Bytes();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kAppended));
    state.counters["sample_bytes"] = static_cast<double>(kAppended * 2 * sizeof(double));
    state.counters["pyramid_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PyramidAppend)->Arg(100)->Arg(10'000)->Unit(benchmark::kMillisecond);

}  // namespace
