// The instrument command line and cloning.
//
// ExecuteCmd("show XSC1") on a document of 1000 instruments, the scope last in the list (the
// lookup walks them all), with and without the command log the line and its replies go to;
// beside it the lookup alone (FindInstrument), the floor of the command. The log is emptied
// every 4096 commands, inside the timing: a log that only grows is not what is measured.
//
// Cloning a scope whose stored state is 1 MB (131072 samples) for a sub-circuit instance: the
// state goes through a storing archive into a memory file and back through a loading archive
// into the new copy, which is then removed again. Bytes are the stored state's per clone;
// beside it the floor, copying the samples into a new vector.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/instruments/test_instruments.h"

namespace {

constexpr int kInstruments = 1000;
constexpr std::size_t kSamples = 131072;

// The application with 999 meters and the scope XSC1, each with its window.
struct ShowFixture {
    explicit ShowFixture(bool withLog) {
        doc = withLog ? &app.doc() : &bare;
        for (int i = 1; i < kInstruments; ++i) doc->CreateInstrument(("XMM" + std::to_string(i)).c_str(), "");
        doc->CreateInstrument("XSC1", "");
    }
    velttest::InstrumentApp app;
    velttest::TestDoc bare{nullptr, &app.mainWindow};
    velttest::TestDoc* doc;
};

void showCommand(benchmark::State& state, bool withLog) {
    ShowFixture fixture(withLog);
    long commands = 0;
    for (auto _ : state) {
        fixture.doc->ExecuteCmd("show XSC1");
        if (withLog && ++commands % 4096 == 0) fixture.app.manager->ClearLog();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ShowCommand_WithLog(benchmark::State& state) { showCommand(state, true); }
void BM_ShowCommand_WithoutLog(benchmark::State& state) { showCommand(state, false); }

void BM_ShowCommand_FloorFindOnly(benchmark::State& state) {
    ShowFixture fixture(false);
    for (auto _ : state) benchmark::DoNotOptimize(fixture.doc->FindInstrument("XSC1", CString(), 1));
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_ShowCommand_WithLog);
BENCHMARK(BM_ShowCommand_WithoutLog);
BENCHMARK(BM_ShowCommand_FloorFindOnly);

velttest::TestInstrument& bigScope(velttest::TestDoc& doc) {
    auto* scope = static_cast<velttest::TestInstrument*>(doc.CreateInstrument("XSC1", ""));
    scope->samples.resize(kSamples);
    for (std::size_t i = 0; i < kSamples; ++i) scope->samples[i] = static_cast<double>(i) * 0.5;
    return *scope;
}

void BM_CloneScope1MB(benchmark::State& state) {
    velttest::TestDoc doc;
    bigScope(doc);
    for (auto _ : state) {
        CInstrumentBase* copy = doc.CloneInstrument("XSC1", "5");
        if (!copy) state.SkipWithError("no copy");
        doc.RemoveInstrument(copy);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(kSamples * sizeof(double)));
}

void BM_CloneScope1MB_FloorVectorCopy(benchmark::State& state) {
    velttest::TestDoc doc;
    velttest::TestInstrument& scope = bigScope(doc);
    for (auto _ : state) {
        auto copy = std::make_unique<std::vector<double>>(scope.samples);
        benchmark::DoNotOptimize(copy->data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(kSamples * sizeof(double)));
}

BENCHMARK(BM_CloneScope1MB);
BENCHMARK(BM_CloneScope1MB_FloorVectorCopy);

}  // namespace
