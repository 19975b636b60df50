// What the whole framework costs per accepted step: the RC low-pass sample (10,008 accepted
// steps) run through the application (session start-up, the deck loaded into ngspice, every
// step carried to the user-interface thread, stored, measured by the accumulators and raised
// as a pause query with the front end's yields, the results printed) against ngspice alone,
// loaded and initialised the same way and given the same deck, run in its background thread
// by a bare loop that only waits for the end.

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <ngspice/sharedspice.h>

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

void BM_RcTransient_NgspiceAlone(benchmark::State& state) {
    void* library = dlopen("libngspice.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        state.SkipWithError("ngspice not found");
        return;
    }
    auto ngInit = reinterpret_cast<decltype(&ngSpice_Init)>(dlsym(library, "ngSpice_Init"));
    auto ngCirc = reinterpret_cast<decltype(&ngSpice_Circ)>(dlsym(library, "ngSpice_Circ"));
    auto ngCommand = reinterpret_cast<decltype(&ngSpice_Command)>(dlsym(library, "ngSpice_Command"));
    const std::vector<std::string> lines = deckLines();
    BareNgspice bare;
    for (auto _ : state) {
        ngInit(BareNgspice::text, BareNgspice::status, BareNgspice::exit, BareNgspice::data, BareNgspice::init,
               BareNgspice::thread, &bare);
        std::string remove = "remcirc";
        std::string destroy = "destroy all";
        ngCommand(remove.data());
        ngCommand(destroy.data());
        std::vector<std::string> copies = lines;
        std::vector<char*> array;
        for (std::string& line : copies) array.push_back(line.data());
        array.push_back(nullptr);
        ngCirc(array.data());
        bare.steps = 0;
        bare.running = true;
        std::string run = "bg_run";
        ngCommand(run.data());
        std::unique_lock lock(bare.mutex);
        bare.ended.wait(lock, [&] { return !bare.running; });
    }
    state.counters["steps"] = static_cast<double>(bare.steps);
}
BENCHMARK(BM_RcTransient_NgspiceAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_RcTransient_Application(benchmark::State& state) {
    int status = 0;
    std::string finished;
    for (auto _ : state) {
        veltsim::SessionOptions options;
        options.script = veltsim::ScriptLines("load " + kDeck + "; probe V(out); window 5m 10m; run");
        options.print = [&finished](const std::string& line) {
            if (line.find("finished in") != std::string::npos) finished = line;
        };
        veltsim::Session session(std::move(options));
        status = session.Execute();
    }
    // "... finished in 0.05 s, 10008 steps"
    const std::size_t comma = finished.rfind(", ");
    state.counters["steps"] = comma == std::string::npos ? 0.0 : std::atof(finished.c_str() + comma + 2);
    if (status != 0) state.SkipWithError("the session failed");
}
BENCHMARK(BM_RcTransient_Application)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
