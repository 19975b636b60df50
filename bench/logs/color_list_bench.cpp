#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <type_traits>

#include "veltutil/logs/color_list_ctrl.h"
#include "veltutil/platform/host/drawing/dc.h"
#include "veltutil/platform/host/drawing/system_colors.h"

// Painting a results table row by row, and sorting it by its first column. Both work on the same
// kind of table: node names made by one fixed generator, values in the other columns.

namespace {

constexpr int kPaintRows = 1000;
constexpr int kPaintColumns = 8;
constexpr int kSortColumns = 2;  // sorting moves whole rows, whatever their width

class Generator {
public:
    std::uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    CString NodeName() {
        CString name("N");
        for (int i = 0; i < 6; ++i) name += static_cast<char>('A' + Next() % 26);
        return name;
    }

private:
    std::uint32_t state_ = 12345;
};

// An owner-drawn colour list with every row on screen, under a parent that reflects its drawing
// requests. Each row record's value is a random key, for shuffling.
struct ResultsTable {
    ResultsTable(int rows, int columns) {
        parent.Create("results", WS_POPUP, CRect(0, 0, 1200, 100), nullptr);
        list.Create(LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 1200, CHeaderCtrl::Height + rows * CListCtrl::ItemHeight),
                    &parent, 1);
        for (int column = 0; column < columns; ++column) list.AddColumn(CString("Column ") + char('A' + column), LVCFMT_LEFT, 60);
        Generator generator;
        for (int row = 0; row < rows; ++row) {
            list.AddItem(generator.NodeName(), static_cast<long>(generator.Next()), CLParamList::ControlColor,
                         CLParamList::ControlColor);
            for (int column = 1; column < columns; ++column) {
                bool own = column % 2 == 1;
                list.AddSubItem(row, column, "4.7k", row, own ? RGB(200, 0, 0) : CLParamList::ControlColor,
                                own ? RGB(255, 255, 0) : CLParamList::ControlColor);
            }
            if (row % 3 == 0) list.SelectRow(row);
        }
        list.SetGridType(CColorListCtrl::SolidGrid);
    }

    CWnd parent;
    CColorListCtrl list;
};

int byKey(LPARAM a, LPARAM b, LPARAM) {
    long left = reinterpret_cast<const CLParamList*>(a)->m_lParam;
    long right = reinterpret_cast<const CLParamList*>(b)->m_lParam;
    return left < right ? -1 : left > right ? 1 : 0;
}

// The control's own comparison, counted: the count shows the sort's order of growth apart from
// the cache misses that a large table adds to each comparison.
long comparisons = 0;
int countedSortProcedure(LPARAM a, LPARAM b, LPARAM control) {
    ++comparisons;
    return CColorListCtrl::SortProcedure(a, b, control);
}

template <class Context>
void BM_PaintColorList(benchmark::State& state) {
    auto table = std::make_unique<ResultsTable>(kPaintRows, kPaintColumns);
    auto dc = std::make_unique<Context>();
    for (auto _ : state) {
        table->list.PrintClient(dc.get(), PRF_CLIENT);
        if constexpr (std::is_same_v<Context, CRecordingDC>) dc->Clear();
    }
    state.counters["per_row"] = benchmark::Counter(kPaintRows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
// What the control costs, and what keeping every drawing call adds to it.
BENCHMARK(BM_PaintColorList<CDC>)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintColorList<CRecordingDC>)->Unit(benchmark::kMicrosecond);

// Sorts a shuffled table by its first column, as a click on that column's title does.
void BM_SortColorListByFirstColumn(benchmark::State& state) {
    auto rows = static_cast<int>(state.range(0));
    auto table = std::make_unique<ResultsTable>(rows, kSortColumns);
    CColorListCtrl& list = table->list;
    comparisons = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list.SortItems(&byKey, 0);
        state.ResumeTiming();
        list.SortItems(&countedSortProcedure, reinterpret_cast<DWORD_PTR>(&list));
    }
    state.SetComplexityN(rows);
    double nLogN = rows * std::log2(rows) * static_cast<double>(state.iterations());
    state.counters["compares_per_nlog2n"] = static_cast<double>(comparisons) / nLogN;
}
BENCHMARK(BM_SortColorListByFirstColumn)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

}  // namespace
