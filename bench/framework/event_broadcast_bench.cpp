// One event broadcast to 0, 1, 8 and 64 sinks, against the floor (a loop of virtual calls over
// the same sinks held in a std::vector) and the signal libraries that are installed, each slot
// calling the same sink's handler.
//
// Every entry delivers the same record to the same receivers, whose handler is out of line
// (receiver.cpp). Receivers, hooks and slots are allocated one at a time with unrelated blocks
// in between, as in a program that hooks its sinks over its lifetime, so that no entry walks
// memory laid out in one sequential run. The broadcast is called through a pointer to the
// source, as its users call it.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#if VELT_BENCH_BOOST
#include <boost/signals2/signal.hpp>
#endif
#if VELT_BENCH_SIGCXX
#include <sigc++/sigc++.h>
#endif

#include "bench/framework/receiver.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/properties/variant.h"

namespace {

constexpr long kEvent = 4005;

using veltbench::Receiver;

// Keeps unrelated blocks alive between the allocations of the benchmark, a few kilobytes each,
// so that consecutive receivers and hooks land on pages of their own, as objects made at
// different times of a program's life do, rather than side by side in one run of memory.
class Scatter {
public:
    void Spread() {
        state_ = state_ * 6364136223846793005u + 1442695040888963407u;
        std::size_t size = 2048 + (state_ >> 33) % 6144;
        blocks_.push_back(std::make_unique<char[]>(size));
    }

private:
    std::uint64_t state_ = 1;
    std::vector<std::unique_ptr<char[]>> blocks_;
};

struct Receivers {
    explicit Receivers(long count) {
        blocks.Spread();
        source = std::make_unique<CEventSource>("Simulator", "bench");
        for (long i = 0; i < count; ++i) {
            blocks.Spread();
            owned.push_back(std::make_unique<Receiver>());
            sinks.push_back(owned.back().get());
        }
    }

    // Every receiver must have had the event exactly once per iteration, whatever the entry.
    void Check(benchmark::State& state) const {
        for (const auto& receiver : owned) {
            if (receiver->Calls() != static_cast<long>(state.iterations())) {
                state.SkipWithError("a receiver missed events or had them twice");
                return;
            }
        }
    }

    Scatter blocks;
    std::unique_ptr<CEventSource> source;
    std::vector<std::unique_ptr<Receiver>> owned;
    std::vector<CEventSink*> sinks;
    OrvVariant in{1L};
    OrvVariant out;
    CEventSource::EventData data{kEvent, &in, &out, nullptr};
};

void BM_FloorVirtualLoop(benchmark::State& state) {
    Receivers r(state.range(0));
    const std::vector<CEventSink*>* sinks = &r.sinks;
    CEventSource* source = r.source.get();
    benchmark::DoNotOptimize(sinks);
    for (auto _ : state) {
        long result = S_OK;
        for (CEventSink* sink : *sinks) {
            long answer = sink->HandleEventIndirect(source, &r.data);
            if (answer != S_OK && result == S_OK) result = answer;
        }
        benchmark::DoNotOptimize(result);
    }
    r.Check(state);
}

void BM_BroadCastEvent(benchmark::State& state) {
    Receivers r(state.range(0));
    CEventSource* source = r.source.get();
    benchmark::DoNotOptimize(source);
    for (CEventSink* sink : r.sinks) {
        r.blocks.Spread();
        source->RegisterEventHook(kEvent, sink, nullptr);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(source->BroadCastEvent(&r.data, 0, nullptr, 0));
    }
    r.Check(state);
    OrvVariant* data = nullptr;
    for (CEventSink* sink : r.sinks) source->UnregisterEventHook(sink, &data);
}

#if VELT_BENCH_BOOST
void BM_BoostSignals2(benchmark::State& state) {
    Receivers r(state.range(0));
    auto signal = std::make_unique<boost::signals2::signal<void(CEventSource*, const CEventSource::EventData*)>>();
    for (CEventSink* sink : r.sinks) {
        r.blocks.Spread();
        signal->connect([sink](CEventSource* source, const CEventSource::EventData* data) {
            sink->HandleEventIndirect(source, data);
        });
    }
    CEventSource* source = r.source.get();
    for (auto _ : state) {
        (*signal)(source, &r.data);
        benchmark::ClobberMemory();
    }
    r.Check(state);
}
#endif

#if VELT_BENCH_SIGCXX
void BM_SigcSignal(benchmark::State& state) {
    Receivers r(state.range(0));
    auto signal = std::make_unique<sigc::signal<void(CEventSource*, const CEventSource::EventData*)>>();
    for (CEventSink* sink : r.sinks) {
        r.blocks.Spread();
        signal->connect([sink](CEventSource* source, const CEventSource::EventData* data) {
            sink->HandleEventIndirect(source, data);
        });
    }
    CEventSource* source = r.source.get();
    for (auto _ : state) {
        signal->emit(source, &r.data);
        benchmark::ClobberMemory();
    }
    r.Check(state);
}
#endif

}  // namespace

// The machine may be shared: with --benchmark_repetitions the least time of the repetitions is
// the figure least disturbed by other work.
void Sizes(benchmark::internal::Benchmark* bench) {
    bench->Arg(0)->Arg(1)->Arg(8)->Arg(64)->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });
}

BENCHMARK(BM_FloorVirtualLoop)->Apply(Sizes);
BENCHMARK(BM_BroadCastEvent)->Apply(Sizes);
#if VELT_BENCH_BOOST
BENCHMARK(BM_BoostSignals2)->Apply(Sizes);
#endif
#if VELT_BENCH_SIGCXX
BENCHMARK(BM_SigcSignal)->Apply(Sizes);
#endif
