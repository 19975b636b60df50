// Converting whole node lists must stay linear in the number of names.
#include <benchmark/benchmark.h>

#include <vector>

#include "veltutil/spice/node_name_conversion.h"

namespace {

// A mix of what an analysis lists: hierarchical nodes, device internals, branches and probes.
std::vector<CString> VeltNames(int count) {
    std::vector<CString> names;
    names.reserve(static_cast<std::size_t>(count));
    CString name;
    for (int i = 0; i < count; ++i) {
        switch (i % 4) {
        case 0: name.Format("x%d.x%d.net%d", i % 7, i % 13, i); break;
        case 1: name.Format("x1.q%d#base", i); break;
        case 2: name.Format("x2.v%d#branch", i); break;
        default: name.Format("V(x3.q%d.col)", i); break;
        }
        names.push_back(name);
    }
    return names;
}

std::vector<CString> SpiceNames(int count) {
    std::vector<CString> names = VeltNames(count);
    for (CString& name : names) name = ConvToSpiceID(name);
    return names;
}

template <CString (*Convert)(const CString&, NODE_TYPE*, SpiceNodeGroup*)>
void Run(benchmark::State& state, const std::vector<CString>& names) {
    for (auto _ : state) {
        for (const CString& name : names) {
            NODE_TYPE type{};
            SpiceNodeGroup group{};
            CString converted = Convert(name, &type, &group);
            benchmark::DoNotOptimize(converted);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(names.size()));
}

void BM_ConvToSpiceID(benchmark::State& state) {
    Run<ConvToSpiceID>(state, VeltNames(static_cast<int>(state.range(0))));
}

void BM_ConvFromSpiceID(benchmark::State& state) {
    Run<ConvFromSpiceID>(state, SpiceNames(static_cast<int>(state.range(0))));
}

}  // namespace

BENCHMARK(BM_ConvToSpiceID)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvFromSpiceID)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
