// One event broadcast to 1, 8 and 64 sinks, against the floor (a loop of virtual calls over the
// same sinks in a std::vector) and two signal libraries emitting to as many slots, each slot
// calling the same sink handler.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <boost/signals2/signal.hpp>
#include <memory>
#include <sigc++/sigc++.h>
#include <vector>

#include "veltutil/framework/event_sink.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/properties/variant.h"

namespace {

constexpr long kEvent = 4005;

class CountingSink : public CEventSink {
public:
    CountingSink() : CEventSink("bench", static_cast<const char*>(nullptr)) {}
    long HandleEventIndirect(CEventSource*, const CEventSource::EventData* data) override {
        hits += data->eventId;
        return S_OK;
    }
    long hits = 0;
};

struct Fixture {
    explicit Fixture(long count) : source("Simulator", "bench"), data{kEvent, &in, &out, nullptr} {
        for (long i = 0; i < count; ++i) {
            sinks.push_back(std::make_unique<CountingSink>());
            source.RegisterEventHook(kEvent, sinks.back().get(), nullptr);
            plain.push_back(sinks.back().get());
        }
    }
    ~Fixture() {
        OrvVariant* data = nullptr;
        for (auto& sink : sinks) source.UnregisterEventHook(sink.get(), &data);
    }

    CEventSource source;
    OrvVariant in{1L};
    OrvVariant out;
    CEventSource::EventData data;
    std::vector<std::unique_ptr<CountingSink>> sinks;
    std::vector<CEventSink*> plain;
};

void BM_BroadCastEvent(benchmark::State& state) {
    Fixture f(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.source.BroadCastEvent(&f.data, 0, nullptr, 0));
    }
}

void BM_FloorVirtualLoop(benchmark::State& state) {
    Fixture f(state.range(0));
    for (auto _ : state) {
        long result = S_OK;
        for (CEventSink* sink : f.plain) {
            long answer = sink->HandleEventIndirect(&f.source, &f.data);
            if (answer != S_OK && result == S_OK) result = answer;
        }
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
}

void BM_BoostSignals2(benchmark::State& state) {
    Fixture f(state.range(0));
    boost::signals2::signal<void(CEventSource*, const CEventSource::EventData*)> signal;
    for (CEventSink* sink : f.plain) {
        signal.connect([sink](CEventSource* source, const CEventSource::EventData* data) {
            sink->HandleEventIndirect(source, data);
        });
    }
    for (auto _ : state) {
        signal(&f.source, &f.data);
        benchmark::ClobberMemory();
    }
}

void BM_SigcSignal(benchmark::State& state) {
    Fixture f(state.range(0));
    sigc::signal<void(CEventSource*, const CEventSource::EventData*)> signal;
    for (CEventSink* sink : f.plain) {
        signal.connect([sink](CEventSource* source, const CEventSource::EventData* data) {
            sink->HandleEventIndirect(source, data);
        });
    }
    for (auto _ : state) {
        signal.emit(&f.source, &f.data);
        benchmark::ClobberMemory();
    }
}

}  // namespace

// The machine is shared: with --benchmark_repetitions the least time of the repetitions is the
// figure least disturbed by other work.
void Sizes(benchmark::internal::Benchmark* bench) {
    bench->Arg(1)->Arg(8)->Arg(64)->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });
}

BENCHMARK(BM_FloorVirtualLoop)->Apply(Sizes);
BENCHMARK(BM_BroadCastEvent)->Apply(Sizes);
BENCHMARK(BM_BoostSignals2)->Apply(Sizes);
BENCHMARK(BM_SigcSignal)->Apply(Sizes);
