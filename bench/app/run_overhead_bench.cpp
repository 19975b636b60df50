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
#include <dlfcn.h>
#include <ngspice/sharedspice.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "plots_folder.h"
#include "session.h"

namespace {

// The benchmarks of this program run from their own folder, not beside the engine.
const bool kEngineFound = ::setenv("VELTSIM_ENGINE", VELTSIM_ENGINE_PROGRAM, 0) == 0;

const std::string kSample = std::string(VELT_BENCH_SOURCE_DIR) + "/samples/rc_lowpass.cir";

// What one side measured in its process.
struct Measured {
    double milliseconds = 0.0;
    double steps = 0.0;
    double peakKb = 0.0;
    double childrenPeakKb = 0.0;  // of that, the engine's
};

// A deck the benchmark writes, with the probe the application measures.
struct Deck {
    std::string path;
    std::string probe;
};

Deck rcSample() { return {kSample, "V(out)"}; }

Deck rcMillionSteps(const std::string& folder) {
    const std::string path = folder + "/rc_1m_steps.cir";
    std::ifstream sample(kSample);
    std::ofstream deck(path);
    for (std::string line; std::getline(sample, line);) {
        deck << (line.rfind(".tran", 0) == 0 ? ".tran 10n 10m 0 10n" : line) << "\n";
    }
    return {path, "V(out)"};
}

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

std::vector<std::string> deckLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// ngspice with callbacks that do nothing but count the steps and note the end of its thread.
struct BareNgspice {
    std::mutex mutex;
    std::condition_variable ended;
    bool running = false;
    long steps = 0;

    static int text(char*, int, void*) { return 0; }
    static int status(char*, int, void*) { return 0; }
    static int exit(int, NG_BOOL, NG_BOOL, int, void*) { return 0; }
    static int data(pvecvaluesall, int, int, void* self) {
        ++static_cast<BareNgspice*>(self)->steps;
        return 0;
    }
    static int init(pvecinfoall, int, void*) { return 0; }
    static int thread(NG_BOOL notRunning, int, void* self) {
        auto* bare = static_cast<BareNgspice*>(self);
        if (notRunning) {
            std::lock_guard lock(bare->mutex);
            bare->running = false;
            bare->ended.notify_all();
        }
        return 0;
    }
};

// ngspice alone: loaded, initialised, given the deck and run in its background thread, the
// caller waiting for the end of the thread.
Measured runBare(const Deck& deck) {
    Measured measured;
    const auto start = std::chrono::steady_clock::now();
    void* library = dlopen("libngspice.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) return measured;
    auto init = reinterpret_cast<decltype(&ngSpice_Init)>(dlsym(library, "ngSpice_Init"));
    auto circ = reinterpret_cast<decltype(&ngSpice_Circ)>(dlsym(library, "ngSpice_Circ"));
    auto command = reinterpret_cast<decltype(&ngSpice_Command)>(dlsym(library, "ngSpice_Command"));
    BareNgspice bare;
    init(BareNgspice::text, BareNgspice::status, BareNgspice::exit, BareNgspice::data, BareNgspice::init,
         BareNgspice::thread, &bare);
    std::vector<std::string> lines = deckLines(deck.path);
    std::vector<char*> array;
    for (std::string& line : lines) array.push_back(line.data());
    array.push_back(nullptr);
    circ(array.data());
    bare.running = true;
    std::string run = "bg_run";
    command(run.data());
    {
        std::unique_lock lock(bare.mutex);
        bare.ended.wait(lock, [&] { return !bare.running; });
    }
    measured.milliseconds = millisecondsSince(start);
    measured.steps = static_cast<double>(bare.steps);
    return measured;
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

// Runs `side` in a child process; its peak resident size is the child's own plus the largest
// of the processes it waited for (the application's engine).
template <typename Side>
Measured inChild(Side side) {
    int pipe[2];
    Measured measured;
    if (::pipe(pipe) != 0) return measured;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        Measured own = side();
        rusage self{};
        rusage children{};
        ::getrusage(RUSAGE_SELF, &self);
        ::getrusage(RUSAGE_CHILDREN, &children);
        own.peakKb = static_cast<double>(self.ru_maxrss + children.ru_maxrss);
        own.childrenPeakKb = static_cast<double>(children.ru_maxrss);
        const bool written = ::write(pipe[1], &own, sizeof own) == static_cast<ssize_t>(sizeof own);
        ::_exit(written ? 0 : 1);
    }
    ::close(pipe[1]);
    if (child > 0 && ::read(pipe[0], &measured, sizeof measured) != static_cast<ssize_t>(sizeof measured)) {
        measured = Measured{};
    }
    ::close(pipe[0]);
    if (child > 0) ::waitpid(child, nullptr, 0);
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
