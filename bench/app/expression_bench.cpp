// What evaluating a probe that is an expression costs per step, our parser against muparserx
// (Debian's libmuparserx), each given the same rows of signal values and the same two typical
// probes: a difference of node voltages scaled, over real values (a transient), and the gain in
// dB of one voltage against another, over complex values (an AC sweep). Each entry compiles
// its expression once and then evaluates it row by row, as a run does; the sums of the results
// keep the work from being optimised away.

#include <benchmark/benchmark.h>

#include <complex>
#include <string>
#include <vector>

#include <muparserx/mpParser.h>

#include "signal_expression.h"

namespace {

constexpr std::size_t kRows = 4096;

template <typename T>
std::vector<T> rows() {
    std::vector<T> values;
    for (std::size_t i = 0; i < kRows; ++i) {
        const double x = 1.0 + static_cast<double>(i) / kRows;
        if constexpr (std::is_same_v<T, double>) {
            values.insert(values.end(), {x, 2.0 * x});
        } else {
            values.insert(values.end(), {T(x, 0.5 * x), T(2.0 * x, -x)});
        }
    }
    return values;
}

template <typename T>
void ours(benchmark::State& state, const char* text) {
    const std::vector<T> values = rows<T>();
    std::string error;
    const veltsim::SignalExpression expression = *veltsim::SignalExpression::Parse(text, error);
    for (auto _ : state) {
        T sum{};
        for (std::size_t row = 0; row < kRows; ++row) sum += expression.Evaluate(&values[2 * row]);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
}

template <typename T>
void muparserx(benchmark::State& state, const char* text) {
    const std::vector<T> values = rows<T>();
    mup::ParserX parser(std::is_same_v<T, double> ? mup::pckALL_NON_COMPLEX : mup::pckALL_COMPLEX);
    mup::Value a(T{});
    mup::Value b(T{});
    parser.DefineVar("a", mup::Variable(&a));
    parser.DefineVar("b", mup::Variable(&b));
    parser.SetExpr(text);
    for (auto _ : state) {
        T sum{};
        for (std::size_t row = 0; row < kRows; ++row) {
            a = values[2 * row];
            b = values[2 * row + 1];
            const mup::IValue& result = parser.Eval();
            if constexpr (std::is_same_v<T, double>) {
                sum += result.GetFloat();
            } else {
                sum += result.GetComplex();
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
}

void OursTransient(benchmark::State& state) { ours<double>(state, "2*(v(a)-v(b))/1k"); }
void MuparserxTransient(benchmark::State& state) { muparserx<double>(state, "2*(a-b)/1000"); }
void OursAc(benchmark::State& state) { ours<std::complex<double>>(state, "db(v(a)/v(b))"); }
void MuparserxAc(benchmark::State& state) { muparserx<std::complex<double>>(state, "20*log10(abs(a/b))"); }

}  // namespace

BENCHMARK(OursTransient);
BENCHMARK(MuparserxTransient);
BENCHMARK(OursAc);
BENCHMARK(MuparserxAc);
