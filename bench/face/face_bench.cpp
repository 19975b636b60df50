// What the screen costs: the same log lines appended with the face showing the window (on the
// face's thread) and headless (the same work on a thread the face does not show), the repaint
// of a 10,000-row colour list, and the repaint of a 100,000-point waveform drawn as one
// polyline and, for comparison, as the same segments one line call each. The appends use manual time, so that both entries time
// the appends and the paint that follows them, not the making of the window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "tests/support/colour_list_window.h"
#include "tests/support/message_pump.h"
#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"
#include "veltutil/platform/host/drawing/dc.h"
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

constexpr int kWavePoints = 100000;

// A sine wave across an 800 by 400 window, many points to a pixel column as in a long
// transient plot; drawn with one Polyline or with a LineTo per segment.
class WaveformWindow : public CWnd {
public:
    explicit WaveformWindow(bool asPolyline) : asPolyline_(asPolyline), wave_(kWavePoints) {
        for (int i = 0; i < kWavePoints; ++i) {
            wave_[static_cast<std::size_t>(i)] = {i * 800L / kWavePoints, std::lround(200 + 180 * std::sin(i * 0.001))};
        }
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool asPolyline_;
    std::vector<POINT> wave_;
};

[[gnu::noinline]] LRESULT WaveformWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
    CPaintDC dc(this);
    CPen trace(PS_SOLID, 1, RGB(0, 200, 0));
    dc.SelectObject(&trace);
    if (asPolyline_) {
        dc.Polyline(wave_.data(), kWavePoints);
    } else {
        dc.MoveTo(static_cast<int>(wave_[0].x), static_cast<int>(wave_[0].y));
        for (std::size_t i = 1; i < wave_.size(); ++i) dc.LineTo(static_cast<int>(wave_[i].x), static_cast<int>(wave_[i].y));
    }
    return 0;
}

void waveformRepaint(benchmark::State& state, bool asPolyline) {
    chooseFace();
    auto window = std::make_unique<WaveformWindow>(asPolyline);
    if (!window->Create("Waveform", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 400), nullptr)) std::abort();
    QWidget* widget = widgetOf(*window);
    if (!widget) std::abort();
    QApplication::processEvents();
    for (auto _ : state) widget->repaint();
    state.SetItemsProcessed(state.iterations() * kWavePoints);
}

void BM_WaveformRepaint_Polyline(benchmark::State& state) { waveformRepaint(state, true); }
BENCHMARK(BM_WaveformRepaint_Polyline)->Unit(benchmark::kMillisecond);

void BM_WaveformRepaint_Lines(benchmark::State& state) { waveformRepaint(state, false); }
BENCHMARK(BM_WaveformRepaint_Lines)->Unit(benchmark::kMillisecond);

}  // namespace
