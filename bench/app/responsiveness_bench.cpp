// How soon a line typed during a simulation is answered: for two seconds of a run (the RC
// low-pass at 10 ns a step, 1,000,008 steps, which would take longer) a person types "status"
// every 20 ms on standard input, read by the application's own reader thread and typed into
// the command line; the time from writing the line to its answer being printed, median and
// worst case. Then "stop": the time from writing it to the run having halted.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <deque>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "plots_folder.h"
#include "session.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string longDeck() {
    const std::string path = "/tmp/veltsim_bench_rc_long.cir";
    std::ifstream sample(std::string(VELT_BENCH_SOURCE_DIR) + "/samples/rc_lowpass.cir");
    std::ofstream deck(path);
    for (std::string line; std::getline(sample, line);) {
        deck << (line.rfind(".tran", 0) == 0 ? ".tran 10n 10m 0 10n" : line) << "\n";
    }
    return path;
}

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// What the person typed and when, and what came back.
struct Typist {
    std::mutex mutex;
    std::deque<Clock::time_point> waiting;  // status lines written, not yet answered
    std::vector<double> latencies;
    Clock::time_point stopWritten;
    double stopLatency = -1.0;
    std::atomic<bool> begun{false};
    std::atomic<bool> ended{false};

    void Printed(const std::string& line) {
        const Clock::time_point now = Clock::now();
        std::lock_guard lock(mutex);
        if (line.find("analysis (Transient Analysis) begun") != std::string::npos) begun = true;
        if (line.find("|   running: ") == 0 && !waiting.empty()) {
            latencies.push_back(milliseconds(now - waiting.front()));
            waiting.pop_front();
        }
        if (line.find("stopped by request") != std::string::npos) stopLatency = milliseconds(now - stopWritten);
        if (line.find("stopped by request") != std::string::npos || line.find("finished in") != std::string::npos) {
            ended = true;
        }
    }
};

void write(int fd, const std::string& text) {
    if (::write(fd, text.data(), text.size()) < 0) std::perror("write");
}

void BM_TypedLineAnswer_DuringRun(benchmark::State& state) {
    const std::string deck = longDeck();
    const PlotsFolder plots("veltsim-responsiveness-plots");
    std::vector<double> latencies;
    std::vector<double> stops;
    for (auto _ : state) {
        int input[2];
        if (pipe(input) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        Typist typist;
        veltsim::SessionOptions options;
        options.input = veltsim::SessionOptions::Input::Typed;
        options.inputFd = input[0];
        options.plots = plots.Path();
        options.print = [&typist](const std::string& line) { typist.Printed(line); };
        veltsim::Session session(std::move(options));
        std::thread person([&] {
            write(input[1], "load " + deck + "\nrun\n");
            while (!typist.begun) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            const Clock::time_point start = Clock::now();
            while (!typist.ended && Clock::now() - start < std::chrono::milliseconds(2000)) {
                {
                    std::lock_guard lock(typist.mutex);
                    typist.waiting.push_back(Clock::now());
                }
                write(input[1], "status\n");
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            {
                std::lock_guard lock(typist.mutex);
                typist.stopWritten = Clock::now();
            }
            write(input[1], "stop\n");
            close(input[1]);
        });
        session.Execute();
        person.join();
        close(input[0]);
        latencies.insert(latencies.end(), typist.latencies.begin(), typist.latencies.end());
        if (typist.stopLatency >= 0) stops.push_back(typist.stopLatency);
    }
    std::sort(latencies.begin(), latencies.end());
    if (latencies.empty() || stops.empty()) {
        state.SkipWithError("no line was answered during the run, or the run ended before the stop");
        return;
    }
    state.counters["answers"] = static_cast<double>(latencies.size());
    state.counters["median_ms"] = latencies[latencies.size() / 2];
    state.counters["worst_ms"] = latencies.back();
    state.counters["stop_worst_ms"] = *std::max_element(stops.begin(), stops.end());
}
BENCHMARK(BM_TypedLineAnswer_DuringRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
