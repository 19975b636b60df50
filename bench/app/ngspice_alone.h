#pragma once

// What the application's benchmarks measure the application against: ngspice alone, loaded
// and run by a bare host, and the frame in which each side runs in a process of its own.

#include <dlfcn.h>
#include <ngspice/sharedspice.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace veltbench {

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

inline const std::string kSample = std::string(VELT_BENCH_SOURCE_DIR) + "/samples/rc_lowpass.cir";

// The RC low-pass sample at 10 ns a step: 1,000,008 accepted steps.
inline Deck rcMillionSteps(const std::string& folder) {
    const std::string path = folder + "/rc_1m_steps.cir";
    std::ifstream sample(kSample);
    std::ofstream deck(path);
    for (std::string line; std::getline(sample, line);) {
        deck << (line.rfind(".tran", 0) == 0 ? ".tran 10n 10m 0 10n" : line) << "\n";
    }
    return {path, "V(out)"};
}

inline std::vector<std::string> deckLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

inline double millisecondsSince(std::chrono::steady_clock::time_point start) {
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
inline Measured runBare(const Deck& deck) {
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

// Runs `side` in a child process; its peak resident size is the child's own plus the largest
// of the processes it waited for (the application's engine).
// `side` answers a Measured or a plain structure derived from it.
template <typename Side>
auto inChild(Side side) -> decltype(side()) {
    using Result = decltype(side());
    int pipe[2];
    Result measured;
    if (::pipe(pipe) != 0) return measured;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        Result own = side();
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
        measured = Result{};
    }
    ::close(pipe[0]);
    if (child > 0) ::waitpid(child, nullptr, 0);
    return measured;
}

}  // namespace veltbench
