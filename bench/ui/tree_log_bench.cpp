#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"
#include "tests/support/scripted_services.h"

namespace {

// Fills a log as a simulation writes it: top-level lines, each with two children, one of
// which has a child, and every line made visible as it arrives.
void fill(CCmdLog& log, long lines) {
    _TREEITEM* top = nullptr;
    _TREEITEM* child = nullptr;
    for (long i = 0; i < lines; ++i) {
        switch (i % 4) {
        case 0: log.AddText(TVI_ROOT, 0, "Transient analysis\tstep", &top, 1); break;
        case 1: log.AddText(top, 1, "Time step too small at t=1e-9", &child, 1); break;
        case 2: log.AddText(child, 2, "node 12\tV(out)", nullptr, 1); break;
        default: log.AddText(top, 0, "continuing", nullptr, 1); break;
        }
    }
}

void BM_TreeLogAddLines(benchmark::State& state) {
    for (auto _ : state) {
        CCmdLog log("bench", nullptr);
        log.Initialize(nullptr);
        fill(log, state.range(0));
        benchmark::DoNotOptimize(log.GetDialog()->GetTree()->GetCount());
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_TreeLogAddLines)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// Saving through the window's Save button with a scripted file dialog.
void BM_TreeLogSave(benchmark::State& state) {
    CCmdLog log("bench", nullptr);
    log.Initialize(nullptr);
    fill(log, state.range(0));
    std::string path = (std::filesystem::temp_directory_path() / "velt_bench_tree_log.log").string();
    ScriptedFileDialogs dialogs;
    CWnd* save = log.GetDialog()->GetDlgItem(1002);
    for (auto _ : state) {
        state.PauseTiming();
        std::remove(path.c_str());  // no overwrite question
        dialogs.Choose(path.c_str());
        state.ResumeTiming();
        log.GetDialog()->SendMessage(WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), reinterpret_cast<LPARAM>(save->m_hWnd));
    }
    std::remove(path.c_str());
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_TreeLogSave)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

}  // namespace
