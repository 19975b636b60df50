// Per-element costs of the intrusive lists: appending, a full walk, and removal during a walk
// (deferred until the walk ends). Each reports items_per_second over the elements touched.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "veltutil/foundation/slist.h"

namespace {

struct Element {
    long value;
};

void PushBack(benchmark::State& state) {
    std::vector<Element> elements(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        SList<Element, 2> list;
        for (Element& element : elements) list.append(&element);
        benchmark::DoNotOptimize(list.back());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Walk(benchmark::State& state) {
    std::vector<Element> elements(static_cast<std::size_t>(state.range(0)), Element{1});
    SList<Element, 2> list;
    for (Element& element : elements) list.append(&element);
    for (auto _ : state) {
        long sum = 0;
        for (Element* element : list) sum += element->value;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Every other element is removed while the walk runs; the removal happens when the walk ends.
// Building and destroying the list are excluded from the timing.
void RemoveDuringWalk(benchmark::State& state) {
    std::vector<Element> elements(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<SList<Element, 2>>();
        for (Element& element : elements) list->append(&element);
        state.ResumeTiming();
        {
            SList<Element, 2>::iter it(*list);
            for (bool odd = false; it != std::default_sentinel; ++it, odd = !odd) {
                if (odd) list->remove(it.node());
            }
        }
        benchmark::DoNotOptimize(list->front());
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(PushBack)->Arg(1000)->Arg(100000);
BENCHMARK(Walk)->Arg(1000)->Arg(100000);
BENCHMARK(RemoveDuringWalk)->Arg(1000)->Arg(100000);
