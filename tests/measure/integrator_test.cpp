#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <type_traits>
#include <vector>

#include "veltutil/measure/integrator.h"
#include "veltutil/measure/rms.h"

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kPeriod = 2e-3;  // a 500 Hz wave, as an instrument would see it
constexpr double kAmplitude = 3.0;
constexpr int kStepsPerPeriod = 2000;
constexpr double kStep = kPeriod / kStepsPerPeriod;

struct Wave {
    const char* name;
    std::function<double(double)> f;  // one period starting at 0, amplitude 1
    double rms;                       // over whole periods, amplitude 1
    double integralFirstQuarter;      // over [0, T/4] in units of the period, amplitude 1
};

double Phase(double t) { return t / kPeriod - std::floor(t / kPeriod); }

const std::vector<Wave>& Waves() {
    static const std::vector<Wave> waves = {
        {"sine", [](double t) { return std::sin(2 * kPi * t / kPeriod); }, 1 / std::sqrt(2.0), 1 / (2 * kPi)},
        {"square", [](double t) { return Phase(t) < 0.5 ? 1.0 : -1.0; }, 1.0, 0.25},
        {"triangle",
         [](double t) {
             const double p = Phase(t);
             return p < 0.25 ? 4 * p : p < 0.75 ? 2 - 4 * p : 4 * p - 4;
         },
         1 / std::sqrt(3.0), 0.125},
    };
    return waves;
}

// Sample abscissas from 0 to `end` inclusive: uniform, or steps between 0.5 and 1.5 times the
// uniform step in a fixed irregular pattern, as an adaptive simulator produces them.
std::vector<double> Abscissas(double end, bool uniform) {
    std::vector<double> xs{0.0};
    for (int k = 1; xs.back() < end; ++k) {
        const double x = uniform ? k * kStep : xs.back() + kStep * (0.5 + std::fmod(k * 0.6180339887, 1.0));
        xs.push_back(std::fmin(end, x));
    }
    return xs;
}

// The stored value that each step pairs with lags about one sample behind, so the results are
// first-order accurate: allow a few steps' worth of the amplitude.
constexpr double kRmsTolerance = 4.0 * kAmplitude / kStepsPerPeriod;
constexpr double kIntegralTolerance = 4.0 * kAmplitude * kStep;
}  // namespace

TEST(CIntegrator, PairsEachSampleWithTheMeanOfTheStoredValue) {
    CIntegrator i;
    EXPECT_EQ(i.GetIntegral(), 0.0);
    i.AddDxPoint(1, 1);  // the first sample covers its whole step
    EXPECT_DOUBLE_EQ(i.GetIntegral(), 1);
    i.AddDxPoint(3, 1);
    EXPECT_DOUBLE_EQ(i.GetIntegral(), 3);
    i.AddDxPoint(0, 1);  // paired with (3 + 1) / 2, not with 3
    EXPECT_DOUBLE_EQ(i.GetIntegral(), 4);

    i.Reset(0);
    i.AddPoint(2, 4);  // after a reset the abscissa counts from 0
    i.AddPoint(2, 5);
    EXPECT_DOUBLE_EQ(i.GetIntegral(), 10);
    i.Reset(7);
    EXPECT_DOUBLE_EQ(i.GetIntegral(), 7);
    i.AddPoint(1, 2);
    EXPECT_DOUBLE_EQ(i.GetIntegral(), 9);
}

TEST(CRMS, MeasuresOverTheAbscissaSpan) {
    CRMS r;
    EXPECT_EQ(r.GetRMS(), 0.0);
    r.AddPoint(2, 1);
    r.AddPoint(2, 2);
    EXPECT_DOUBLE_EQ(r.GetRMS(), 2);
    r.Reset(1);  // start abscissa 1 and integral of squares 1
    r.AddPoint(3, 2);
    EXPECT_DOUBLE_EQ(r.GetRMS(), std::sqrt(10.0));
}

TEST(CRMS, MatchesClosedFormsForSampledWaves) {
    for (const Wave& wave : Waves()) {
        for (bool uniform : {true, false}) {
            SCOPED_TRACE(std::string(wave.name) + (uniform ? " uniform" : " non-uniform"));
            const double span = 3 * kPeriod;
            CRMS rms;
            CRMS rmsDx;
            double prev = 0;
            for (double x : Abscissas(span, uniform)) {
                const double y = kAmplitude * wave.f(x);
                rms.AddPoint(y, x);
                rmsDx.AddDxPoint(y, x - prev);
                prev = x;
            }
            EXPECT_NEAR(rms.GetRMS(), kAmplitude * wave.rms, kRmsTolerance);
            EXPECT_DOUBLE_EQ(rmsDx.GetRMS(), rms.GetRMS());
        }
    }
}

TEST(CIntegrator, MatchesClosedFormsForSampledWaves) {
    for (const Wave& wave : Waves()) {
        for (bool uniform : {true, false}) {
            SCOPED_TRACE(std::string(wave.name) + (uniform ? " uniform" : " non-uniform"));
            CIntegrator quarter, periods;
            for (double x : Abscissas(kPeriod / 4, uniform)) quarter.AddPoint(kAmplitude * wave.f(x), x);
            for (double x : Abscissas(2 * kPeriod, uniform)) periods.AddPoint(kAmplitude * wave.f(x), x);
            EXPECT_NEAR(quarter.GetIntegral(), kAmplitude * kPeriod * wave.integralFirstQuarter, kIntegralTolerance);
            EXPECT_NEAR(periods.GetIntegral(), 0.0, kIntegralTolerance);
        }
    }
}

TEST(Accumulators, IntegratorAndRmsArePlainValues) {
    EXPECT_TRUE(std::is_trivially_copyable_v<CIntegrator>);
    EXPECT_TRUE(std::is_trivially_copyable_v<CRMS>);
}
