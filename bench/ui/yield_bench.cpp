#include <benchmark/benchmark.h>

#include "veltutil/framework/windows_message_processing.h"

// A yield with nothing to do should last about its 1 ms budget while sleeping: compare the
// CPU time with the real time.
static void BM_YieldTimeZeroWithEmptyQueue(benchmark::State& state) {
    CWindowsMessageProcessing pump;
    for (auto _ : state) pump.YieldTime(0);
}
BENCHMARK(BM_YieldTimeZeroWithEmptyQueue)->UseRealTime()->Unit(benchmark::kMicrosecond);

static void BM_YieldTimeZeroFasterMode(benchmark::State& state) {
    CWindowsMessageProcessing pump;
    pump.SetFasterModeEnable(true);
    for (auto _ : state) pump.YieldTime(0);
}
BENCHMARK(BM_YieldTimeZeroFasterMode)->UseRealTime()->Unit(benchmark::kMicrosecond);
