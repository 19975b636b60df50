// What the application costs over ngspice alone, in wall time and in memory, on three decks:
// the RC low-pass sample (10,008 accepted steps), a 200-stage RC ladder (200,000 steps, 202
// signals) and the RC low-pass at 10 ns a step (1,000,008 steps). The application does all of
// it: session start-up, its engine process started, the deck loaded, every step carried to the
// user-interface thread, the probe kept, measured by the accumulators and drawn on a page of the
// drawing plotting module, the results printed and tabled, the files written, the engine ended.
// ngspice alone is loaded and initialised by a bare host, given the same deck and run in its
// background thread while the host only waits for the end.
//
// Each side runs in a process of its own, forked for the purpose, so that its peak memory is its
// own: the host's peak resident size, against the application's plus its engine's (each peak
// taken on its own, so that the sum is never below the real joint peak).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ngspice_alone.h"
#include "plots_folder.h"
#include "session.h"

namespace {

using veltbench::Deck;
using veltbench::Measured;
using veltbench::inChild;
using veltbench::millisecondsSince;
using veltbench::rcMillionSteps;
using veltbench::runBare;

// The benchmarks of this program run from their own folder, not beside the engine.
const bool kEngineFound = ::setenv("VELTSIM_ENGINE", VELTSIM_ENGINE_PROGRAM, 0) == 0;

using veltbench::kSample;

Deck rcSample() { return {kSample, "V(out)"}; }

Deck rcLadder(const std::string& folder) {
    constexpr int kStages = 200;
    const std::string path = folder + "/rc_ladder.cir";
    std::ofstream deck(path);
    deck << "RC ladder of " << kStages << " stages driven by a step\n";
    deck << "V1 n0 0 PULSE(0 1 0 1n 1n 1 2)\n";
    for (int i = 1; i <= kStages; ++i) {
        deck << "R" << i << " n" << i - 1 << " n" << i << " 100\n";
        deck << "C" << i << " n" << i << " 0 1p\n";
    }
    deck << ".tran 1n 200u 0 1n\n.end\n";
    return {path, "V(n" + std::to_string(kStages) + ")"};
}

// The whole session: start-up, the script, the run, the results, shutdown.
Measured runApplication(const Deck& deck, const std::string& plots) {
    Measured measured;
    const auto start = std::chrono::steady_clock::now();
    std::string finished;
    veltsim::SessionOptions options;
    options.script = veltsim::ScriptLines("load " + deck.path + "; probe " + deck.probe + "; run");
    options.plots = plots;
    options.print = [&finished](const std::string& line) {
        if (line.find("finished in") != std::string::npos) finished = line;
    };
    int status = 1;
    {
        veltsim::Session session(std::move(options));
        status = session.Execute();
    }
    measured.milliseconds = millisecondsSince(start);
    // "... finished in 0.05 s, 10008 steps"
    const std::size_t comma = finished.rfind(", ");
    if (status == 0 && comma != std::string::npos) measured.steps = std::atof(finished.c_str() + comma + 2);
    return measured;
}

// Both sides one after the other in every iteration, so that both see the same load of the
// machine; the iteration's time is the application's.
template <typename MakeDeck>
void BM_ApplicationAgainstNgspiceAlone(benchmark::State& state, MakeDeck makeDeck) {
    const PlotsFolder plots("veltsim-overhead-plots");
    const PlotsFolder decks("veltsim-overhead-decks");
    std::filesystem::create_directories(decks.Path());
    const Deck deck = makeDeck(decks.Path());
    Measured bare;
    Measured app;
    for (auto _ : state) {
        const Measured bareRun = inChild([&] { return runBare(deck); });
        const Measured appRun = inChild([&] { return runApplication(deck, plots.Path()); });
        if (bareRun.steps == 0 || appRun.steps != bareRun.steps) {
            state.SkipWithError("ngspice not found, or the two runs took different steps");
            return;
        }
        bare.milliseconds += bareRun.milliseconds;
        app.milliseconds += appRun.milliseconds;
        bare.peakKb = std::max(bare.peakKb, bareRun.peakKb);
        app.peakKb = std::max(app.peakKb, appRun.peakKb);
        app.childrenPeakKb = std::max(app.childrenPeakKb, appRun.childrenPeakKb);
        app.steps = appRun.steps;
        state.SetIterationTime(appRun.milliseconds / 1000.0);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["steps"] = app.steps;
    state.counters["ngspice_alone_ms"] = bare.milliseconds / n;
    state.counters["application_ms"] = app.milliseconds / n;
    state.counters["time_ratio"] = app.milliseconds / bare.milliseconds;
    state.counters["ngspice_alone_MB"] = bare.peakKb / 1024.0;
    state.counters["application_MB"] = app.peakKb / 1024.0;
    state.counters["of_which_engine_MB"] = app.childrenPeakKb / 1024.0;
    state.counters["memory_ratio"] = app.peakKb / bare.peakKb;
}
BENCHMARK_CAPTURE(BM_ApplicationAgainstNgspiceAlone, RcSample, [](const std::string&) { return rcSample(); })
    ->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(5.0);
BENCHMARK_CAPTURE(BM_ApplicationAgainstNgspiceAlone, RcLadder200Stages, rcLadder)
    ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK_CAPTURE(BM_ApplicationAgainstNgspiceAlone, RcMillionSteps, rcMillionSteps)
    ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);

}  // namespace
