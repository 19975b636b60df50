#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "veltutil/measure/measure.h"

// Fed once per simulation sample: nothing may allocate or need a destructor.
static_assert(std::is_trivially_copyable_v<CMinMax> && std::is_trivially_copyable_v<CIntegrator> &&
              std::is_trivially_copyable_v<CRMS> && std::is_trivially_copyable_v<CGainPhase>);

namespace {
using Bounds = std::pair<double, double>;
Bounds Of(const CMinMax& r) { return {r.GetMin(), r.GetMax()}; }
CMinMax Range(double min, double max) {
    CMinMax r;
    r.SetMin(min);
    r.SetMax(max);
    return r;
}
}  // namespace

TEST(CMinMax, PointOperationsGrowOrPageTheRange) {
    CMinMax r(1, 5);  // placeholders: the first point replaces them
    EXPECT_EQ(r.IsNull(), 1);
    EXPECT_EQ(r.AddPoint(3, 1), 0);
    EXPECT_EQ(Of(r), Bounds(3, 3));
    EXPECT_EQ(r.IsNull(), 1);  // a single point is an empty range

    CMinMax margin = Range(0, 10);
    EXPECT_EQ(margin.AddPoint(10, 1.5), 0);
    EXPECT_EQ(margin.AddPoint(12, 1.5), 1);
    EXPECT_EQ(margin.AddPoint(-4, 1.5), -1);
    EXPECT_EQ(Of(margin), Bounds(-15, 18));  // 18 - (18 + 4) * 1.5
    EXPECT_EQ(margin.GetPointPosition(-30), -1);
    EXPECT_EQ(margin.GetPointPosition(20), 1);
    EXPECT_EQ(Of(margin), Bounds(-30, 20));

    CMinMax page = Range(0, 10);
    EXPECT_EQ(page.AddPointShift(5), 0);
    EXPECT_EQ(page.AddPointShift(25), 1);
    EXPECT_EQ(Of(page), Bounds(25, 35));
    EXPECT_EQ(page.AddPointShift(-3), -1);
    EXPECT_EQ(Of(page), Bounds(-13, -3));
}

TEST(CIntegrator, PairsEachSampleWithTheMeanOfTheStoredValue) {
    CIntegrator i;
    i.AddDxPoint(1, 1);  // the first sample covers its whole step
    i.AddDxPoint(3, 1);
    EXPECT_DOUBLE_EQ(i.GetIntegral(), 3);
    i.AddDxPoint(0, 1);  // paired with (3 + 1) / 2, not with 3
    EXPECT_DOUBLE_EQ(i.GetIntegral(), 4);
    i.Reset(7);
    i.AddPoint(2, 4);  // after a reset the abscissa counts from 0
    i.AddPoint(2, 5);
    EXPECT_DOUBLE_EQ(i.GetIntegral(), 17);

    CRMS r;
    r.AddPoint(2, 1);
    r.AddPoint(2, 2);
    EXPECT_DOUBLE_EQ(r.GetRMS(), 2);
    r.Reset(1);  // start abscissa 1 and integral of squares 1
    r.AddPoint(3, 2);
    EXPECT_DOUBLE_EQ(r.GetRMS(), std::sqrt(10.0));
}

TEST(Accumulators, MatchClosedFormsForSampledWaves) {
    constexpr double kPi = std::numbers::pi, kPeriod = 2e-3, kAmplitude = 3.0, kStep = kPeriod / 2000;
    const auto phase = [=](double t) { return t / kPeriod - std::floor(t / kPeriod); };
    const struct {
        const char* name;
        std::function<double(double)> f;  // amplitude 1
        double rms;                       // amplitude 1
        double quarter;                   // integral over [0, T/4] in units of the period
    } waves[] = {
        {"sine", [=](double t) { return std::sin(2 * kPi * t / kPeriod); }, 1 / std::sqrt(2.0), 1 / (2 * kPi)},
        {"square", [=](double t) { return phase(t) < 0.5 ? 1.0 : -1.0; }, 1.0, 0.25},
        {"triangle", [=](double t) { const double p = phase(t); return p < 0.25 ? 4 * p : p < 0.75 ? 2 - 4 * p : 4 * p - 4; },
         1 / std::sqrt(3.0), 0.125},
    };
    // Abscissas from 0 to `end`: uniform, or steps of 0.5 to 1.5 times the uniform step in an
    // irregular pattern, as an adaptive simulator produces them.
    const auto abscissas = [=](double end, bool uniform) {
        std::vector<double> xs{0.0};
        for (int k = 1; xs.back() < end; ++k)
            xs.push_back(std::fmin(end, uniform ? k * kStep : xs.back() + kStep * (0.5 + std::fmod(k * 0.618034, 1.0))));
        return xs;
    };
    // The stored value each step pairs with lags about one sample, so the results are accurate
    // to the first order: allow a few steps' worth of the amplitude.
    constexpr double kRmsTolerance = 4 * kAmplitude * kStep / kPeriod, kIntegralTolerance = 4 * kAmplitude * kStep;
    for (const auto& wave : waves) {
        for (bool uniform : {true, false}) {
            SCOPED_TRACE(std::string(wave.name) + (uniform ? " uniform" : " non-uniform"));
            CRMS rms, rmsDx;
            double previous = 0;
            for (double x : abscissas(3 * kPeriod, uniform)) {
                rms.AddPoint(kAmplitude * wave.f(x), x);
                rmsDx.AddDxPoint(kAmplitude * wave.f(x), x - previous);
                previous = x;
            }
            EXPECT_NEAR(rms.GetRMS(), kAmplitude * wave.rms, kRmsTolerance);
            EXPECT_DOUBLE_EQ(rmsDx.GetRMS(), rms.GetRMS());

            CIntegrator quarter, periods;
            for (double x : abscissas(kPeriod / 4, uniform)) quarter.AddPoint(kAmplitude * wave.f(x), x);
            for (double x : abscissas(2 * kPeriod, uniform)) periods.AddPoint(kAmplitude * wave.f(x), x);
            EXPECT_NEAR(quarter.GetIntegral(), kAmplitude * kPeriod * wave.quarter, kIntegralTolerance);
            EXPECT_NEAR(periods.GetIntegral(), 0.0, kIntegralTolerance);
        }
    }
}
