// What the screen costs: the same log lines appended with the face showing the window (on the
// face's thread) and headless (the same work on a thread the face does not show), and the
// repaint of a 10,000-row colour list. The appends use manual time, so that both entries time
// the appends and the paint that follows them, not the making of the window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/support/colour_list_window.h"
#include "tests/support/message_pump.h"
#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"
#include "veltutil/platform/host/face/face.h"

namespace {

constexpr int kLines = 100000;

void chooseFace() {
    static const bool chosen = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return VeltSelectFace("qt");
    }();
    if (!chosen) std::abort();
}

// Appends the lines to a shown log window and lets its screen (if any) catch up; seconds.
__attribute__((noinline)) double appendLines() {
    CCmdLog log("命令行/日志", nullptr);
    log.Initialize(nullptr);
    log.Show(1);
    velttest::PumpPosted();
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kLines; ++i) log.AddText(0, "transient analysis: step accepted", nullptr, 1);
    // Paints what the face marked dirty; headless there is nothing to do.
    QApplication::processEvents();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    log.Uninitialize();
    return seconds;
}

void BM_LogAppend_Headless(benchmark::State& state) {
    chooseFace();
    for (auto _ : state) {
        double seconds = 0;
        std::thread worker([&] { seconds = appendLines(); });
        worker.join();
        state.SetIterationTime(seconds);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_LogAppend_Headless)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_LogAppend_Face(benchmark::State& state) {
    chooseFace();
    for (auto _ : state) state.SetIterationTime(appendLines());
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_LogAppend_Face)->UseManualTime()->Unit(benchmark::kMillisecond);

QWidget* widgetOf(const CWnd& wnd) {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->property("veltHwnd").value<quintptr>() == reinterpret_cast<quintptr>(wnd.GetSafeHwnd())) return widget;
    }
    return nullptr;
}

void BM_ColourListRepaint(benchmark::State& state) {
    chooseFace();
    velttest::ColourListWindow shown(10000, 800, 1000);
    QWidget* list = widgetOf(shown.list);
    if (!list) std::abort();
    // The window is shown once the toolkit has handled its exposure.
    QApplication::processEvents();
    shown.list.drawn = 0;
    for (auto _ : state) list->repaint();
    state.counters["rows_drawn_per_paint"] = static_cast<double>(shown.list.drawn) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ColourListRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
