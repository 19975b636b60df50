#include <benchmark/benchmark.h>

#include "veltutil/framework/event_source.h"
#include "veltutil/framework/gui_fe.h"
#include "veltutil/framework/instrument_interface.h"
#include "veltutil/framework/registered_events.h"
#include "veltutil/framework/snap_in_container.h"
#include "veltutil/framework/windows_message_processing.h"
#include "veltutil/properties/variant.h"

// Every allocation of the program so far (allocation_counter.cpp).
long AllocationsSoFar();

namespace {

class SimulatorEvents final : public CEventSource {
public:
    using CEventSource::CEventSource;
};

class Simulator : public CInstrumentInterface {
public:
    Simulator() : CInstrumentInterface("Simulator", nullptr) {}
    Type GetType() override { return TypeSimulator; }
    ComItem GetNthItem(ComItem::ItemType type, int n) override {
        if (type == ComItem::ItemEventSource && n == 0) return ComItem(&events, false);
        return CInstrumentInterface::GetNthItem(type, n);
    }
    SimulatorEvents events{"Simulator", static_cast<const char*>(nullptr)};
};

class FrontEnd : public CGuiFE {
public:
    CWindowsMessageProcessing* GetMessageProcessing() override { return processing; }
    int HostQuery(CString&, const CString&, long, const CString&) override { return 0; }
    int HostCommand(long, CString&) override { return 0; }
    CWindowsMessageProcessing* processing = nullptr;
};

// The simulator's pause query on every time step, through the front end's sink that the
// container hooked. With `pump` the 52nd query of each run of 52 hands the thread to a message
// loop that empties the (empty) queue once; without it the yield finds no loop and returns.
void pauseQuery(benchmark::State& state, bool pump) {
    CWindowsMessageProcessing processing;
    processing.SetFasterModeEnable(true);
    FrontEnd frontEnd;
    if (pump) frontEnd.processing = &processing;
    Simulator simulator;
    {
        CSnapInContainer container;
        container.Create(&frontEnd);
        container.AddSnapin(&simulator);
        frontEnd.Initialize(&container);
        container.GetSimulator();

        OrvVariant in(0L);
        OrvVariant out;
        CEventSource::EventData query{EVENT_PAUSE_QUERY, &in, &out, nullptr};
        const long before = AllocationsSoFar();
        for (auto _ : state) benchmark::DoNotOptimize(simulator.events.BroadCastEvent(&query, 0, nullptr, 0));
        state.counters["allocations_per_event"] =
            benchmark::Counter(static_cast<double>(AllocationsSoFar() - before), benchmark::Counter::kAvgIterations);
        state.SetItemsProcessed(state.iterations());
        container.Clear_Snapins_and_GuIF();
    }
}

void BM_PauseQueryWithYields(benchmark::State& state) { pauseQuery(state, true); }
void BM_PauseQueryWithoutMessageLoop(benchmark::State& state) { pauseQuery(state, false); }

}  // namespace

BENCHMARK(BM_PauseQueryWithYields);
BENCHMARK(BM_PauseQueryWithoutMessageLoop);
