// Reading and writing documents of records: our text form against JSON, read and written by the
// JSON libraries that are installed. A record is four top-level items: a string, a long, a double
// and a long[] of two; in JSON, an object with the same four members. Reading builds the whole
// document and frees it again, as a user pays for both.
//
// Each entry reports bytes and records per second and, from one reading outside the timed loop,
// the allocations per record.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#if VELT_BENCH_NLOHMANN
#include <nlohmann/json.hpp>
#endif
#if VELT_BENCH_RAPIDJSON
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#endif

#include "bench/properties/allocation_count.h"
#include "veltutil/properties/property_list.h"

namespace {

std::string name(long i) {
    char text[32];
    std::snprintf(text, sizeof text, "R%ld", i);
    return text;
}

double gain(long i) { return static_cast<double>(i) * 0.5 + 0.25; }

CPropertyList records(long count) {
    CPropertyList list;
    for (long i = 0; i < count; ++i) {
        const long pins[] = {i, i + 1};
        list.AddItem(CPropertyItem("Name", CString(name(i))));
        list.AddItem(CPropertyItem("Count", i));
        list.AddItem(CPropertyItem("Gain", gain(i)));
        list.AddItem(CPropertyItem("Pins", pins, 2));
    }
    return list;
}

#if VELT_BENCH_NLOHMANN || VELT_BENCH_RAPIDJSON
// The same records as compact JSON, written here so that every JSON library reads one text.
std::string jsonText(long count) {
    std::string text = "[";
    char record[160];
    for (long i = 0; i < count; ++i) {
        std::snprintf(record, sizeof record, R"(%s{"Name":"%s","Count":%ld,"Gain":%.17g,"Pins":[%ld,%ld]})",
                      i ? "," : "", name(i).c_str(), i, gain(i), i, i + 1);
        text += record;
    }
    return text + "]";
}
#endif

// Counts the allocations of one run of `work` before the timed loop; after it, call rates().
template <class Work>
void countAllocations(benchmark::State& state, Work work) {
    long before = veltbench::AllocationsSoFar();
    work();
    state.counters["allocs/record"] =
        static_cast<double>(veltbench::AllocationsSoFar() - before) / static_cast<double>(state.range(0));
}

void rates(benchmark::State& state, std::size_t bytesPerIteration) {
    state.counters["records/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                     benchmark::Counter::kIsIterationInvariantRate);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytesPerIteration));
}

void PropsRead(benchmark::State& state) {
    CString text = records(state.range(0)).GetList();
    auto read = [&] {
        CPropertyList list(text);
        benchmark::DoNotOptimize(list.IsEmpty());
    };
    countAllocations(state, read);
    for (auto _ : state) read();
    rates(state, static_cast<std::size_t>(text.GetLength()));
}

void PropsWrite(benchmark::State& state) {
    CPropertyList list(records(state.range(0)).GetList());
    std::size_t bytes = 0;
    auto write = [&] {
        CString text = list.GetList();
        bytes = static_cast<std::size_t>(text.GetLength());
        benchmark::DoNotOptimize(text.GetString());
    };
    countAllocations(state, write);
    for (auto _ : state) write();
    rates(state, bytes);
}

#if VELT_BENCH_NLOHMANN
void NlohmannRead(benchmark::State& state) {
    std::string text = jsonText(state.range(0));
    auto read = [&] {
        nlohmann::json document = nlohmann::json::parse(text);
        benchmark::DoNotOptimize(document.size());
    };
    countAllocations(state, read);
    for (auto _ : state) read();
    rates(state, text.size());
}

void NlohmannWrite(benchmark::State& state) {
    nlohmann::json document = nlohmann::json::parse(jsonText(state.range(0)));
    std::size_t bytes = 0;
    auto write = [&] {
        std::string text = document.dump();
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    };
    countAllocations(state, write);
    for (auto _ : state) write();
    rates(state, bytes);
}
#endif

#if VELT_BENCH_RAPIDJSON
// The library's own allocator, reporting to the allocation count.
struct CountingAllocator : rapidjson::CrtAllocator {
    void* Malloc(size_t size) {
        veltbench::CountAllocation();
        return CrtAllocator::Malloc(size);
    }
    void* Realloc(void* original, size_t originalSize, size_t newSize) {
        veltbench::CountAllocation();
        return CrtAllocator::Realloc(original, originalSize, newSize);
    }
};
using Document =
    rapidjson::GenericDocument<rapidjson::UTF8<>, rapidjson::MemoryPoolAllocator<CountingAllocator>, CountingAllocator>;

void RapidJsonRead(benchmark::State& state) {
    std::string text = jsonText(state.range(0));
    auto read = [&] {
        Document document;
        document.Parse(text.c_str(), text.size());
        if (document.HasParseError()) state.SkipWithError("RapidJSON could not parse the records");
        benchmark::DoNotOptimize(document.Size());
    };
    countAllocations(state, read);
    for (auto _ : state) read();
    rates(state, text.size());
}

// Parsing in situ overwrites the text, so every iteration starts from a fresh copy, made outside
// the timed region.
void RapidJsonReadInSitu(benchmark::State& state) {
    std::string text = jsonText(state.range(0));
    std::vector<char> buffer(text.size() + 1);
    auto read = [&] {
        Document document;
        document.ParseInsitu(buffer.data());
        if (document.HasParseError()) state.SkipWithError("RapidJSON could not parse the records");
        benchmark::DoNotOptimize(document.Size());
    };
    std::memcpy(buffer.data(), text.c_str(), buffer.size());
    countAllocations(state, read);
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(buffer.data(), text.c_str(), buffer.size());
        state.ResumeTiming();
        read();
    }
    rates(state, text.size());
}

void RapidJsonWrite(benchmark::State& state) {
    std::string text = jsonText(state.range(0));
    Document document;
    document.Parse(text.c_str(), text.size());
    std::size_t bytes = 0;
    auto write = [&] {
        rapidjson::StringBuffer out;
        rapidjson::Writer<rapidjson::StringBuffer> writer(out);
        document.Accept(writer);
        bytes = out.GetSize();
        benchmark::DoNotOptimize(out.GetString());
    };
    countAllocations(state, write);
    for (auto _ : state) write();
    rates(state, bytes);
}
#endif

void Sizes(benchmark::internal::Benchmark* bench) {
    bench->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(PropsRead)->Apply(Sizes);
#if VELT_BENCH_NLOHMANN
BENCHMARK(NlohmannRead)->Apply(Sizes);
#endif
#if VELT_BENCH_RAPIDJSON
BENCHMARK(RapidJsonRead)->Apply(Sizes);
BENCHMARK(RapidJsonReadInSitu)->Apply(Sizes);
#endif
BENCHMARK(PropsWrite)->Apply(Sizes);
#if VELT_BENCH_NLOHMANN
BENCHMARK(NlohmannWrite)->Apply(Sizes);
#endif
#if VELT_BENCH_RAPIDJSON
BENCHMARK(RapidJsonWrite)->Apply(Sizes);
#endif
