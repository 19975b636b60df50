// Reading and writing documents of records: our text form against JSON, read and written by the
// JSON libraries that are installed. A record is six items: a string, a long, a double and a
// long[] holding two longs, written as four items of the text form, the array's two elements
// inside the fourth (`Name:string{X20.M1}` `Count:long{262}` `Gain:double{6.855}`
// `Pins:long[]{-:-{38}\n-:-{54}\n}`); in JSON, an object with the same four members, the last
// an array of two numbers. Every entry gets the same records.
//
// Reading parses one whole document into a fresh object and destroys it again, as a user pays
// for both, over and over in one process with the C library's default allocation settings.
// Those settings move with what the process has freed before: freeing a mapped block raises
// the size below which the heap keeps its free top. So the documents are made once, at their
// final size, and held for the whole run, and the reading entries come before any entry that
// writes a large text: each reading entry meets the allocator as a program that only reads
// would, not one that a larger block has made kinder.
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

constexpr long kRecords = 10000;
constexpr int kItemsPerRecord = 4;  // top-level items; the array holds the other two

// One record's values, each a function of its index.
struct Record {
    char name[16];
    long count;
    double gain;
    long pins[2];
};

Record record(long i) {
    Record r{{}, i * 37 % 1000, static_cast<double>(i % 9973) * 0.001 + 1.5, {i * 7 % 100, (i * 7 + 16) % 100}};
    std::snprintf(r.name, sizeof r.name, "X%ld.M%ld", i % 100, i % 10);
    return r;
}

// Both forms of a record write its numbers with the same conversions, so that both documents
// hold them digit for digit.
constexpr const char* kPropertyRecord =
    "Name:string{%s}\nCount:long{%ld}\nGain:double{%lg}\nPins:long[]{-:-{%ld}\n-:-{%ld}\n}\n";

// A document's text, each record written by `write`.
template <class Write>
std::string document(long records, Write write) {
    constexpr std::size_t maxRecord = 128;
    std::string text;
    text.reserve(static_cast<std::size_t>(records) * maxRecord + 2);  // never grows: see above
    char out[maxRecord];
    for (long i = 0; i < records; ++i) {
        int n = write(out, sizeof out, i, record(i));
        text.append(out, static_cast<std::size_t>(n));
    }
    return text;
}

std::string propertyText(long records) {
    return document(records, [](char* out, std::size_t size, long, const Record& r) {
        return std::snprintf(out, size, kPropertyRecord, r.name, r.count, r.gain, r.pins[0], r.pins[1]);
    });
}

#if VELT_BENCH_NLOHMANN || VELT_BENCH_RAPIDJSON
constexpr const char* kJsonRecord = R"(%s{"Name":"%s","Count":%ld,"Gain":%lg,"Pins":[%ld,%ld]})";

std::string jsonText(long records) {
    std::string text = document(records, [](char* out, std::size_t size, long i, const Record& r) {
        return std::snprintf(out, size, kJsonRecord, i ? "," : "[", r.name, r.count, r.gain, r.pins[0], r.pins[1]);
    });
    text += ']';
    return text;
}
#endif

// The documents, made on first use and never freed (freeing them would change the allocator's
// settings for the entries after).
const CString& propertyDocument() {
    static const CString* text = new CString(propertyText(kRecords));
    return *text;
}
#if VELT_BENCH_NLOHMANN || VELT_BENCH_RAPIDJSON
const std::string& jsonDocument() {
    static const std::string* text = new std::string(jsonText(kRecords));
    return *text;
}
#endif

// Counts the allocations of one run of `work` before the timed loop; after it, call rates().
template <class Work>
void countAllocations(benchmark::State& state, Work work) {
    long before = veltbench::AllocationsSoFar();
    work();
    state.counters["allocs/record"] =
        static_cast<double>(veltbench::AllocationsSoFar() - before) / static_cast<double>(kRecords);
}

void rates(benchmark::State& state, std::size_t bytesPerIteration) {
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(kRecords), benchmark::Counter::kIsIterationInvariantRate);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytesPerIteration));
}

void PropsRead(benchmark::State& state) {
    const CString& text = propertyDocument();
    if (CPropertyList(text).GetCount() != kRecords * kItemsPerRecord)
        state.SkipWithError("the records were not all read");
    auto read = [&] {
        CPropertyList list(text);
        benchmark::DoNotOptimize(list.IsEmpty());
    };
    countAllocations(state, read);
    for (auto _ : state) read();
    rates(state, static_cast<std::size_t>(text.GetLength()));
}

void PropsWrite(benchmark::State& state) {
    CPropertyList list(propertyDocument());
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
    const std::string& text = jsonDocument();
    if (nlohmann::json::parse(text).size() != static_cast<std::size_t>(kRecords))
        state.SkipWithError("the records were not all read");
    auto read = [&] {
        nlohmann::json document = nlohmann::json::parse(text);
        benchmark::DoNotOptimize(document.is_array());
    };
    countAllocations(state, read);
    for (auto _ : state) read();
    rates(state, text.size());
}

void NlohmannWrite(benchmark::State& state) {
    nlohmann::json document = nlohmann::json::parse(jsonDocument());
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

// Checked once, outside the timed loop, as the other entries are.
void checkRead(benchmark::State& state, const std::string& text) {
    Document document;
    document.Parse(text.c_str(), text.size());
    if (document.HasParseError() || document.Size() != static_cast<rapidjson::SizeType>(kRecords))
        state.SkipWithError("RapidJSON did not read the records");
}

void RapidJsonRead(benchmark::State& state) {
    const std::string& text = jsonDocument();
    checkRead(state, text);
    auto read = [&] {
        Document document;
        document.Parse(text.c_str(), text.size());
        benchmark::DoNotOptimize(document.IsArray());
    };
    countAllocations(state, read);
    for (auto _ : state) read();
    rates(state, text.size());
}

// Parsing in situ overwrites the text, so every iteration starts from a fresh copy, made outside
// the timed region.
void RapidJsonReadInSitu(benchmark::State& state) {
    const std::string& text = jsonDocument();
    std::vector<char> buffer(text.size() + 1);
    checkRead(state, text);
    auto read = [&] {
        Document document;
        document.ParseInsitu(buffer.data());
        benchmark::DoNotOptimize(document.IsArray());
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
    const std::string& text = jsonDocument();
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

}  // namespace

// Registration order is run order: every reading entry before the first writing one.
BENCHMARK(PropsRead)->Unit(benchmark::kMicrosecond);
#if VELT_BENCH_RAPIDJSON
BENCHMARK(RapidJsonRead)->Unit(benchmark::kMicrosecond);
#endif
#if VELT_BENCH_NLOHMANN
BENCHMARK(NlohmannRead)->Unit(benchmark::kMicrosecond);
#endif
#if VELT_BENCH_RAPIDJSON
// Last of the readers, since it frees a copy of the text when it ends.
BENCHMARK(RapidJsonReadInSitu)->Unit(benchmark::kMicrosecond);
#endif
BENCHMARK(PropsWrite)->Unit(benchmark::kMicrosecond);
#if VELT_BENCH_RAPIDJSON
BENCHMARK(RapidJsonWrite)->Unit(benchmark::kMicrosecond);
#endif
#if VELT_BENCH_NLOHMANN
BENCHMARK(NlohmannWrite)->Unit(benchmark::kMicrosecond);
#endif
