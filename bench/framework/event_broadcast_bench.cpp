// One event broadcast to 1, 8 and 64 receivers, as someone choosing an event mechanism would
// measure it: our source against a plain loop of virtual calls over a vector of pointers to the
// receivers, and against the signal libraries that are installed, each slot calling the
// receiver's handler.
//
// The plain loop runs twice: here, beside the receivers, and built into a shared module of its
// own (module/). The second is the floor for the source, which lives in a shared library too:
// a program's code and a library's lie terabytes apart, and on some processors (this machine's
// among them) each call and return across that distance costs about a nanosecond more than a
// near one, however short the loop around it.
//
// Every entry delivers the same record to the same receivers (ReceiverSet: built once, each
// receiver allocated apart, handler out of line), so that no entry gains from a luckier layout
// of the receivers in memory. What an entry allocates itself (hooks, slots) is allocated with
// unrelated blocks in between, as over a program's life. Run with --benchmark_repetitions: on a
// shared machine the least time of the repetitions is the figure least disturbed by other work,
// and only ratios within one run mean much. `per_receiver` is the time divided by the receivers.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#if VELT_BENCH_BOOST
#include <boost/signals2/signal.hpp>
#endif
#if VELT_BENCH_SIGCXX
#include <sigc++/sigc++.h>
#endif

#include "bench/framework/module/virtual_loop.h"
#include "bench/framework/receiver.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/properties/variant.h"

namespace {

using veltbench::ReceiverSet;

constexpr long kEvent = 4005;

// What one entry run needs besides the receivers: the record, a source to name as the sender,
// and the receivers' call counts before the run, to check that each had the event exactly
// once per iteration whatever the entry.
class Run {
public:
    explicit Run(benchmark::State& state)
        : state_(state), receivers_(ReceiverSet::OfSize(static_cast<std::size_t>(state.range(0)))),
          before_(receivers_.Calls()) {}
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;
    ~Run() {
        std::vector<long> after = receivers_.Calls();
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (after[i] - before_[i] != static_cast<long>(state_.iterations())) {
                state_.SkipWithError("a receiver missed events or had them twice");
                return;
            }
        }
        state_.counters["per_receiver"] = benchmark::Counter(
            static_cast<double>(after.size()),
            benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    }

    const std::vector<CEventSink*>& Sinks() const { return receivers_.Sinks(); }

    CEventSource source{"Simulator", "bench"};
    OrvVariant in{1L};
    OrvVariant out;
    CEventSource::EventData data{kEvent, &in, &out, nullptr};

private:
    benchmark::State& state_;
    const ReceiverSet& receivers_;
    std::vector<long> before_;
};

void BM_VirtualLoop(benchmark::State& state) {
    Run run(state);
    auto sinks = std::make_unique<std::vector<CEventSink*>>(run.Sinks());
    CEventSource* source = &run.source;
    benchmark::DoNotOptimize(sinks);
    for (auto _ : state) {
        long result = S_OK;
        for (CEventSink* sink : *sinks) {
            long answer = sink->HandleEventIndirect(source, &run.data);
            if (answer != S_OK && result == S_OK) result = answer;
        }
        benchmark::DoNotOptimize(result);
    }
}

void BM_VirtualLoopInModule(benchmark::State& state) {
    Run run(state);
    auto sinks = std::make_unique<std::vector<CEventSink*>>(run.Sinks());
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            veltbench::VirtualLoopInModule(sinks->data(), sinks->size(), &run.source, &run.data));
    }
}

void BM_BroadCastEvent(benchmark::State& state) {
    Run run(state);
    CEventSource* source = &run.source;
    benchmark::DoNotOptimize(source);
    for (CEventSink* sink : run.Sinks()) {
        ReceiverSet::Spread();
        source->RegisterEventHook(kEvent, sink, nullptr);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(source->BroadCastEvent(&run.data, 0, nullptr, 0));
    }
}

// Each signal library gets the same slot: a call of the receiver's handler.
template <class Signal, class Emit>
void RunSignal(benchmark::State& state, Emit emit) {
    Run run(state);
    auto signal = std::make_unique<Signal>();
    for (CEventSink* sink : run.Sinks()) {
        ReceiverSet::Spread();
        signal->connect([sink](CEventSource* source, const CEventSource::EventData* data) {
            sink->HandleEventIndirect(source, data);
        });
    }
    CEventSource* source = &run.source;
    for (auto _ : state) {
        emit(*signal, source, &run.data);
        benchmark::ClobberMemory();
    }
}

using Handler = void(CEventSource*, const CEventSource::EventData*);

#if VELT_BENCH_SIGCXX
void BM_SigcSignal(benchmark::State& state) {
    RunSignal<sigc::signal<Handler>>(state,
                                     [](auto& signal, auto... args) { signal.emit(args...); });
}
#endif

#if VELT_BENCH_BOOST
void BM_BoostSignals2(benchmark::State& state) {
    RunSignal<boost::signals2::signal<Handler>>(state,
                                                [](auto& signal, auto... args) { signal(args...); });
}
#endif

void Sizes(benchmark::internal::Benchmark* bench) {
    bench->Arg(1)->Arg(8)->Arg(64)->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });
}

}  // namespace

BENCHMARK(BM_VirtualLoop)->Apply(Sizes);
BENCHMARK(BM_VirtualLoopInModule)->Apply(Sizes);
BENCHMARK(BM_BroadCastEvent)->Apply(Sizes);
#if VELT_BENCH_SIGCXX
BENCHMARK(BM_SigcSignal)->Apply(Sizes);
#endif
#if VELT_BENCH_BOOST
BENCHMARK(BM_BoostSignals2)->Apply(Sizes);
#endif
