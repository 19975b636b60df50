// What the whole framework costs per accepted step: the RC low-pass sample (10,008 accepted
// steps) run through the application (session start-up, the deck loaded into ngspice, every
// step carried to the user-interface thread, stored, measured by the accumulators and raised
// as a pause query with the front end's yields, the results printed) against ngspice alone,
// loaded and initialised the same way and given the same deck, run in its background thread
// by a bare loop that only waits for the end.

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <ngspice/sharedspice.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "session.h"

namespace {

const std::string kDeck = std::string(VELT_BENCH_SOURCE_DIR) + "/samples/rc_lowpass.cir";

std::vector<std::string> deckLines() {
    std::ifstream file(kDeck);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

// ngspice with callbacks that do nothing but note the end of its thread.
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

// ngspice alone: initialised, given the deck and run in its background thread, the caller
// waiting for the end of the thread.
class BareLoop {
public:
    BareLoop() : library_(dlopen("libngspice.so.0", RTLD_NOW | RTLD_LOCAL)), lines_(deckLines()) {
        if (!library_) return;
        init_ = reinterpret_cast<decltype(&ngSpice_Init)>(dlsym(library_, "ngSpice_Init"));
        circ_ = reinterpret_cast<decltype(&ngSpice_Circ)>(dlsym(library_, "ngSpice_Circ"));
        command_ = reinterpret_cast<decltype(&ngSpice_Command)>(dlsym(library_, "ngSpice_Command"));
    }
    bool Loaded() const { return library_ != nullptr; }

    // The accepted steps of one run.
    long Run() {
        init_(BareNgspice::text, BareNgspice::status, BareNgspice::exit, BareNgspice::data, BareNgspice::init,
              BareNgspice::thread, &bare_);
        command("remcirc");
        command("destroy all");
        std::vector<std::string> copies = lines_;
        std::vector<char*> array;
        for (std::string& line : copies) array.push_back(line.data());
        array.push_back(nullptr);
        circ_(array.data());
        bare_.steps = 0;
        bare_.running = true;
        command("bg_run");
        std::unique_lock lock(bare_.mutex);
        bare_.ended.wait(lock, [&] { return !bare_.running; });
        return bare_.steps;
    }

private:
    void command(std::string text) { command_(text.data()); }

    void* library_;
    std::vector<std::string> lines_;
    decltype(&ngSpice_Init) init_ = nullptr;
    decltype(&ngSpice_Circ) circ_ = nullptr;
    decltype(&ngSpice_Command) command_ = nullptr;
    BareNgspice bare_;
};

// The whole session: start-up, the script typed line by line, the run, the results, shutdown.
// Returns the accepted steps the simulator reports.
double runApplication() {
    std::string finished;
    veltsim::SessionOptions options;
    options.script = veltsim::ScriptLines("load " + kDeck + "; probe V(out); window 5m 10m; run");
    options.print = [&finished](const std::string& line) {
        if (line.find("finished in") != std::string::npos) finished = line;
    };
    veltsim::Session session(std::move(options));
    if (session.Execute() != 0) return 0.0;
    // "... finished in 0.05 s, 10008 steps"
    const std::size_t comma = finished.rfind(", ");
    return comma == std::string::npos ? 0.0 : std::atof(finished.c_str() + comma + 2);
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Both, one after the other in every iteration, so that both see the same load of the
// machine; the iteration's time is the application's.
void BM_RcTransient_ApplicationAgainstNgspiceAlone(benchmark::State& state) {
    BareLoop bare;
    if (!bare.Loaded()) {
        state.SkipWithError("ngspice not found");
        return;
    }
    double bareMs = 0.0;
    double appMs = 0.0;
    long bareSteps = 0;
    double appSteps = 0.0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        bareSteps = bare.Run();
        bareMs += millisecondsSince(start);
        start = std::chrono::steady_clock::now();
        appSteps = runApplication();
        const double ms = millisecondsSince(start);
        appMs += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    if (appSteps != static_cast<double>(bareSteps)) state.SkipWithError("the two runs took different steps");
    const double n = static_cast<double>(state.iterations());
    state.counters["steps"] = appSteps;
    state.counters["ngspice_alone_ms"] = bareMs / n;
    state.counters["application_ms"] = appMs / n;
    state.counters["ratio"] = appMs / bareMs;
}
BENCHMARK(BM_RcTransient_ApplicationAgainstNgspiceAlone)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(5.0);

}  // namespace
