// What the desktop costs over ngspice alone: a transient of 1,000,008 accepted steps run from
// the desktop, off screen, with its page drawn as it goes and an oscilloscope shown on V(out),
// against ngspice alone running the same deck (bench/app/ngspice_alone.h); and how long the
// user-interface thread went without looking at the screen during the run. The toolkit's
// timer at 1 ms stamps every turn of the host's loop in which the face handled its events; the
// gaps between consecutive turns while the run went on are the stalls a person would see.
//
// Each side runs in a process of its own, forked for the purpose: the face and its toolkit are
// made in the desktop's child only, since a forked toolkit is not to be trusted.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "desktop.h"
#include "ngspice_alone.h"
#include "plots_folder.h"
#include "snapin_protocol.h"

namespace {

const bool kEngineFound = ::setenv("VELTSIM_ENGINE", VELTSIM_ENGINE_PROGRAM, 0) == 0;

// What the desktop's child measured, passed back through a pipe as plain numbers.
struct DesktopMeasured : veltbench::Measured {
    double stallP50 = 0.0;
    double stallP99 = 0.0;
    double stallMax = 0.0;
};

bool busy(veltsim::Session& session) {
    OrvVariant value;
    CInstrumentInterface* simulator = session.Simulator();
    return simulator && simulator->GetProperty(veltsim::kPropBusy, value, nullptr, nullptr) == S_OK && value.GetInt() && *value.GetInt();
}

double quantile(std::vector<double> sorted, double q) {
    if (sorted.empty()) return 0.0;
    return sorted[static_cast<std::size_t>(q * static_cast<double>(sorted.size() - 1))];
}

DesktopMeasured runDesktop(const veltbench::Deck& deck, const std::string& plots, const std::string& config) {
    DesktopMeasured measured;
    // Each run makes its scope afresh: the one the last run's quit kept with the deck would be restored.
    std::error_code ignored;
    std::filesystem::remove(deck.path + ".instruments", ignored);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const auto start = std::chrono::steady_clock::now();
    if (!VeltSelectFace("qt")) return measured;
    std::string finished;
    bool scopeMade = false;
    veltsim::SessionOptions options;
    options.script = veltsim::ScriptLines("load " + deck.path + "; probe " + deck.probe +
                                          "; new XSC1; setnode XSC1 1 out; show XSC1; run; quit");
    options.plots = plots;
    options.print = [&](const std::string& line) {
        if (line.find("finished in") != std::string::npos) finished = line;
        scopeMade = scopeMade || line.find("made XSC1") != std::string::npos;
    };
    std::vector<double> stalls;
    {
        veltsim::gui::Desktop desktop(std::move(options), VELTSIM_PROGRAM);
        QElapsedTimer clock;
        bool running = false;
        QTimer turns;
        turns.setTimerType(Qt::PreciseTimer);
        QObject::connect(&turns, &QTimer::timeout, [&] {
            const bool now = busy(desktop.GetSession());
            if (running && now) stalls.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            running = now;
            clock.restart();
        });
        turns.start(1);
        if (desktop.Execute() != 0) return measured;
    }
    measured.milliseconds = veltbench::millisecondsSince(start);
    const std::size_t comma = finished.rfind(", ");
    // Without its scope the desktop did less than it is measured for: no steps to compare.
    if (comma != std::string::npos && scopeMade) measured.steps = std::atof(finished.c_str() + comma + 2);
    std::sort(stalls.begin(), stalls.end());
    measured.stallP50 = quantile(stalls, 0.50);
    measured.stallP99 = quantile(stalls, 0.99);
    measured.stallMax = stalls.empty() ? 0.0 : stalls.back();
    return measured;
}

void BM_DesktopAgainstNgspiceAlone(benchmark::State& state) {
    const PlotsFolder plots("veltsim-desktop-plots");
    const PlotsFolder decks("veltsim-desktop-decks");
    const PlotsFolder config("veltsim-desktop-config");
    std::filesystem::create_directories(decks.Path());
    std::filesystem::create_directories(config.Path());
    const veltbench::Deck deck = veltbench::rcMillionSteps(decks.Path());
    double bareMs = 0.0;
    double desktopMs = 0.0;
    DesktopMeasured worst;
    for (auto _ : state) {
        const veltbench::Measured bare = veltbench::inChild([&] { return veltbench::runBare(deck); });
        const DesktopMeasured desktop = veltbench::inChild([&] { return runDesktop(deck, plots.Path(), config.Path()); });
        if (bare.steps == 0 || desktop.steps != bare.steps) {
            state.SkipWithError("ngspice or the face not found, or the two runs took different steps");
            return;
        }
        bareMs += bare.milliseconds;
        desktopMs += desktop.milliseconds;
        worst.stallP50 = std::max(worst.stallP50, desktop.stallP50);
        worst.stallP99 = std::max(worst.stallP99, desktop.stallP99);
        worst.stallMax = std::max(worst.stallMax, desktop.stallMax);
        state.SetIterationTime(desktop.milliseconds / 1000.0);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["ngspice_alone_ms"] = bareMs / n;
    state.counters["desktop_ms"] = desktopMs / n;
    state.counters["time_ratio"] = desktopMs / bareMs;
    state.counters["stall_p50_ms"] = worst.stallP50;
    state.counters["stall_p99_ms"] = worst.stallP99;
    state.counters["stall_max_ms"] = worst.stallMax;
}
BENCHMARK(BM_DesktopAgainstNgspiceAlone)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);

}  // namespace
