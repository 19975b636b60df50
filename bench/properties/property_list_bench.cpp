// Reading and writing documents of records, in our text form and, for comparison, as JSON.
// A record is four top-level items: a string, a long, a double and a long[] of two.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>
#include <cstdio>
#include <string>

#include "veltutil/properties/property_list.h"

namespace {

std::string name(long i) {
    char text[32];
    std::snprintf(text, sizeof text, "R%ld", i);
    return text;
}

CPropertyList records(long count) {
    CPropertyList list;
    for (long i = 0; i < count; ++i) {
        const long pins[] = {i, i + 1};
        list.AddItem(CPropertyItem("Name", CString(name(i))));
        list.AddItem(CPropertyItem("Count", i));
        list.AddItem(CPropertyItem("Gain", static_cast<double>(i) * 0.5 + 0.25));
        list.AddItem(CPropertyItem("Pins", pins, 2));
    }
    return list;
}

nlohmann::json jsonRecords(long count) {
    nlohmann::json document = nlohmann::json::array();
    for (long i = 0; i < count; ++i) {
        document.push_back({{"Name", name(i)},
                            {"Count", i},
                            {"Gain", static_cast<double>(i) * 0.5 + 0.25},
                            {"Pins", {i, i + 1}}});
    }
    return document;
}

void PropsRead(benchmark::State& state) {
    CString text = records(state.range(0)).GetList();
    for (auto _ : state) {
        CPropertyList list(text);
        benchmark::DoNotOptimize(list.IsEmpty());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.GetLength());
}

// Reading alone: the list read in one iteration is destroyed outside the timed region. Freeing
// the items of a 100k-record tree (about 64 MB) is bound by memory, not by the reader.
void PropsReadOnly(benchmark::State& state) {
    CString text = records(state.range(0)).GetList();
    for (auto _ : state) {
        auto* list = new CPropertyList(text);
        benchmark::DoNotOptimize(list->IsEmpty());
        state.PauseTiming();
        delete list;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.GetLength());
}

void PropsWrite(benchmark::State& state) {
    CPropertyList list(records(state.range(0)).GetList());
    int64_t bytes = 0;
    for (auto _ : state) {
        CString text = list.GetList();
        bytes += text.GetLength();
        benchmark::DoNotOptimize(text.GetString());
    }
    state.SetBytesProcessed(bytes);
}

void JsonRead(benchmark::State& state) {
    std::string text = jsonRecords(state.range(0)).dump();
    for (auto _ : state) {
        nlohmann::json document = nlohmann::json::parse(text);
        benchmark::DoNotOptimize(document.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void JsonWrite(benchmark::State& state) {
    nlohmann::json document = jsonRecords(state.range(0));
    int64_t bytes = 0;
    for (auto _ : state) {
        std::string text = document.dump();
        bytes += static_cast<int64_t>(text.size());
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(bytes);
}

}  // namespace

BENCHMARK(PropsRead)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PropsReadOnly)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(JsonRead)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PropsWrite)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(JsonWrite)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
