// Each accumulator against a hand-written loop doing the same arithmetic on the same samples,
// so that the per-sample cost of the class shows directly.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "veltutil/measure/measure.h"

namespace {
constexpr int kSamples = 4096;

struct Samples {
    std::vector<double> y, dx;
    std::vector<CComplex> a, b;
    Samples() {
        for (int k = 0; k < kSamples; ++k) {
            y.push_back(std::sin(k * 0.01) + 0.1 * std::sin(k * 0.37));
            dx.push_back(1e-6 * (0.5 + std::fmod(k * 0.618, 1.0)));
            a.push_back({std::cos(k * 0.001), std::sin(k * 0.001)});
            b.push_back({0.5 * std::cos(k * 0.003), 0.5 * std::sin(k * 0.003)});
        }
    }
};

const Samples& Data() {
    static const Samples data;
    return data;
}

void PerSample(benchmark::State& state) {
    state.counters["ns_per_sample"] =
        benchmark::Counter(kSamples, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Integrator(benchmark::State& state) {
    const Samples& d = Data();
    for (auto _ : state) {
        CIntegrator integrator;
        for (int k = 0; k < kSamples; ++k) integrator.AddDxPoint(d.y[k], d.dx[k]);
        benchmark::DoNotOptimize(integrator.GetIntegral());
    }
    PerSample(state);
}

void BM_IntegratorHandLoop(benchmark::State& state) {
    const Samples& d = Data();
    for (auto _ : state) {
        bool started = false;
        double integral = 0, prev = 0, x = 0;
        for (int k = 0; k < kSamples; ++k) {
            if (!started) {
                prev = d.y[k];
                started = true;
            }
            x += d.dx[k];
            const double s = d.y[k] + prev;
            integral += s * d.dx[k] * 0.5;
            prev = s * 0.5;
        }
        benchmark::DoNotOptimize(integral);
        benchmark::DoNotOptimize(x);
    }
    PerSample(state);
}

void BM_RMS(benchmark::State& state) {
    const Samples& d = Data();
    for (auto _ : state) {
        CRMS rms;
        for (int k = 0; k < kSamples; ++k) rms.AddDxPoint(d.y[k], d.dx[k]);
        benchmark::DoNotOptimize(rms.GetRMS());
    }
    PerSample(state);
}

void BM_RMSHandLoop(benchmark::State& state) {
    const Samples& d = Data();
    for (auto _ : state) {
        bool started = false;
        double integral = 0, prev = 0, x = 0, ix = 0;
        for (int k = 0; k < kSamples; ++k) {
            const double y2 = d.y[k] * d.y[k];
            x += d.dx[k];
            if (!started) {
                prev = y2;
                started = true;
            }
            ix += d.dx[k];
            const double s = y2 + prev;
            integral += s * d.dx[k] * 0.5;
            prev = s * 0.5;
        }
        benchmark::DoNotOptimize(std::sqrt(integral / x));
        benchmark::DoNotOptimize(ix);
    }
    PerSample(state);
}

void BM_MinMax(benchmark::State& state) {
    const Samples& d = Data();
    for (auto _ : state) {
        CMinMax range;
        int moved = 0;
        for (int k = 0; k < kSamples; ++k) moved += range.AddPoint(d.y[k], 1.0);
        benchmark::DoNotOptimize(range.Range());
        benchmark::DoNotOptimize(moved);
    }
    PerSample(state);
}

void BM_MinMaxHandLoop(benchmark::State& state) {
    const Samples& d = Data();
    for (auto _ : state) {
        bool initialized = false;
        double lo = 0, hi = 0;
        int moved = 0;
        for (int k = 0; k < kSamples; ++k) {
            const double x = d.y[k];
            if (!initialized) {
                lo = hi = x;
                initialized = true;
            } else if (x < lo) {
                lo = x;
                --moved;
            } else if (x > hi) {
                hi = x;
                ++moved;
            }
        }
        benchmark::DoNotOptimize(hi - lo);
        benchmark::DoNotOptimize(moved);
    }
    PerSample(state);
}

void BM_GainPhase(benchmark::State& state) {
    const Samples& d = Data();
    const CComplex zero;
    for (auto _ : state) {
        CGainPhase meter;
        double gain = 0, phase = 0, sum = 0;
        for (int k = 0; k < kSamples; ++k) {
            meter.ComputeGainAndPhase(gain, phase, d.a[k], zero, d.b[k], zero);
            sum += gain + phase;
        }
        benchmark::DoNotOptimize(sum);
    }
    PerSample(state);
}

void BM_GainPhaseHandLoop(benchmark::State& state) {
    const Samples& d = Data();
    constexpr double pi = std::numbers::pi;
    CComplex zero;
    benchmark::DoNotOptimize(zero);
    for (auto _ : state) {
        bool first = true;
        double prev = 0, sum = 0;
        for (int k = 0; k < kSamples; ++k) {
            const double are = d.a[k].re - zero.re, aim = d.a[k].im - zero.im;
            const double bre = d.b[k].re - zero.re, bim = d.b[k].im - zero.im;
            const double ma = std::sqrt(are * are + aim * aim);
            const double mb = std::sqrt(bre * bre + bim * bim);
            const double gain = ma == 0 ? 0 : std::fabs(mb / ma);
            double phi = std::atan2(bim, bre) - std::atan2(aim, are);
            if (first || std::fabs(phi - prev) > pi) {
                first = false;
                if (phi > pi) phi = std::fmod(phi + pi, 2 * pi) - pi;
                else if (phi < -pi) phi = pi - std::fmod(pi - phi, 2 * pi);
            }
            prev = phi;
            sum += gain + phi * 180.0 * 0.3183098861837907;
        }
        benchmark::DoNotOptimize(sum);
    }
    PerSample(state);
}
}  // namespace

BENCHMARK(BM_Integrator);
BENCHMARK(BM_IntegratorHandLoop);
BENCHMARK(BM_RMS);
BENCHMARK(BM_RMSHandLoop);
BENCHMARK(BM_MinMax);
BENCHMARK(BM_MinMaxHandLoop);
BENCHMARK(BM_GainPhase);
BENCHMARK(BM_GainPhaseHandLoop);
