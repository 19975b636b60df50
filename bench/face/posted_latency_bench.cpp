#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "veltutil/platform/host/face/face.h"
#include "veltutil/platform/host/loop/message_queue.h"
#include "veltutil/platform/host/windows/wnd.h"

// How long a message posted from another thread takes to reach its handler while the UI
// thread waits: in the face's event loop (the benchmark's thread, which chose the face) and
// headless (a thread of its own, which the face leaves alone). Both entries run the same
// sender and receiver, one message at a time, each posted once the receiver has had time to
// fall asleep; the counters give the median and the worst wait in microseconds.

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kTimed = WM_USER + 3;
constexpr std::size_t kMessages = 200;
constexpr auto kFallAsleep = std::chrono::microseconds(200);

class LatencyWindow : public CWnd {
public:
    LatencyWindow() { latencies.reserve(kMessages); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::vector<double> latencies;
    std::atomic<std::size_t> handled{0};
};

[[gnu::noinline]] LRESULT LatencyWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kTimed) return CWnd::WindowProc(message, wParam, lParam);
    auto sent = Clock::time_point(Clock::duration(lParam));
    latencies.push_back(std::chrono::duration<double, std::micro>(Clock::now() - sent).count());
    handled.store(latencies.size(), std::memory_order_release);
    return 0;
}

void receive(LatencyWindow& window) {
    MSG msg;
    while (window.latencies.size() < kMessages && GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);
}

void send(LatencyWindow& window, HWND target) {
    for (std::size_t i = 0; i < kMessages; ++i) {
        while (window.handled.load(std::memory_order_acquire) < i) std::this_thread::yield();
        std::this_thread::sleep_for(kFallAsleep);
        ::PostMessage(target, kTimed, 0, static_cast<LPARAM>(Clock::now().time_since_epoch().count()));
    }
}

std::unique_ptr<LatencyWindow> makeWindow() {
    auto window = std::make_unique<LatencyWindow>();
    window->Create("Latency", WS_CAPTION, CRect(0, 0, 100, 100), nullptr);
    return window;
}

void report(benchmark::State& state, std::vector<double> all) {
    if (all.empty()) return;
    std::nth_element(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(all.size() / 2), all.end());
    state.counters["median_us"] = all[all.size() / 2];
    state.counters["worst_us"] = *std::max_element(all.begin(), all.end());
}

// The benchmark's thread chooses the face before any window, whichever entry runs first.
bool faceOn() {
    static const bool on = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return VeltSelectFace("qt") != FALSE;
    }();
    return on;
}

void BM_PostedMessageLatencyFace(benchmark::State& state) {
    if (!faceOn()) return state.SkipWithError("the Qt face did not load");
    std::vector<double> all;
    for (auto _ : state) {
        auto window = makeWindow();
        std::thread sender([&] { send(*window, window->GetSafeHwnd()); });
        receive(*window);
        sender.join();
        all.insert(all.end(), window->latencies.begin(), window->latencies.end());
    }
    report(state, std::move(all));
}
BENCHMARK(BM_PostedMessageLatencyFace)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PostedMessageLatencyHeadless(benchmark::State& state) {
    if (!faceOn()) return state.SkipWithError("the Qt face did not load");
    std::vector<double> all;
    for (auto _ : state) {
        std::unique_ptr<LatencyWindow> window;
        std::atomic<bool> ready{false};
        std::thread receiver([&] {
            window = makeWindow();
            ready.store(true);
            receive(*window);
        });
        while (!ready.load()) std::this_thread::yield();
        send(*window, window->GetSafeHwnd());
        receiver.join();
        all.insert(all.end(), window->latencies.begin(), window->latencies.end());
    }
    report(state, std::move(all));
}
BENCHMARK(BM_PostedMessageLatencyHeadless)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
