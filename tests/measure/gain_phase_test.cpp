#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>

#include "veltutil/measure/gain_phase.h"

namespace {
CComplex Polar(double magnitude, double angle) {
    return {magnitude * std::cos(angle), magnitude * std::sin(angle)};
}

constexpr double kDeg = 180.0 / 3.14159265358979323846;

// Measures b against a with the reference pair (a, 0) and the measured pair (b, 0).
struct Meter : CGainPhase {
    double gain = 0, phase = 0;
    void Measure(const CComplex& a, const CComplex& b) { ComputeGainAndPhase(gain, phase, a, {}, b, {}); }
    void Difference(double& m, double& angle, const CComplex& p, const CComplex& q) {
        ComputeComplexDifference(m, angle, p, q);
    }
};
}  // namespace

TEST(CGainPhase, GainIsTheRatioOfTheDifferences) {
    Meter m;
    m.ComputeGainAndPhase(m.gain, m.phase, {0, 0}, {1, 0}, {0, 0}, {0, 1});
    EXPECT_DOUBLE_EQ(m.gain, 1);
    EXPECT_DOUBLE_EQ(m.phase, 90);
    m.ComputeGainAndPhase(m.gain, m.phase, {3, 1}, {1, 1}, {5, -2}, {2, 2});
    EXPECT_DOUBLE_EQ(m.gain, 2.5);
    m.ComputeGainAndPhase(m.gain, m.phase, {1, 1}, {1, 1}, {0, 0}, {0, 1});
    EXPECT_EQ(m.gain, 0);

    double magnitude = 0, angle = 0;
    m.Difference(magnitude, angle, {-1, 0}, {0, 0});
    EXPECT_DOUBLE_EQ(magnitude, 1);
    EXPECT_DOUBLE_EQ(angle, 3.14159265358979323846);  // (-pi, pi]: the negative axis is +pi
}

TEST(CGainPhase, FirstCallWrapsIntoHalfATurn) {
    Meter m;
    // 170 - (-170) = 340 degrees: wrapped to -20 on the first call.
    m.Measure(Polar(1, -170 / kDeg), Polar(2, 170 / kDeg));
    EXPECT_NEAR(m.phase, -20, 1e-9);
    EXPECT_DOUBLE_EQ(m.gain, 2);
    m.Reset();
    m.Measure(Polar(1, 170 / kDeg), Polar(1, -170 / kDeg));
    EXPECT_NEAR(m.phase, 20, 1e-9);
}

TEST(CGainPhase, SweepPastHalfATurnStaysContinuousUntilARealJump) {
    Meter m;
    // The reference angle falls from -20 to -80 degrees while the measured angle rises from 150
    // to 170: neither wraps, but their difference moves from 170 to 250 degrees.
    double previous = 0;
    for (int k = 0; k <= 20; ++k) {
        const double a = -20.0 - 3.0 * k, b = 150.0 + 1.0 * k;
        m.Measure(Polar(1, a / kDeg), Polar(1, b / kDeg));
        EXPECT_NEAR(m.phase, b - a, 1e-9) << "step " << k;
        if (k > 0) {
            EXPECT_GT(m.phase, previous);
        }
        previous = m.phase;
    }
    // A step of more than half a turn from 250 degrees is a jump: wrapped, not carried on.
    m.Measure(Polar(1, 0), Polar(1, 60 / kDeg));
    EXPECT_NEAR(m.phase, 60, 1e-9);
    m.Measure(Polar(1, -150 / kDeg), Polar(1, 170 / kDeg));  // 320 degrees, 260 away from 60
    EXPECT_NEAR(m.phase, -40, 1e-9);
    m.Measure(Polar(1, 170 / kDeg), Polar(1, -170 / kDeg));  // -340 degrees, 300 away from -40
    EXPECT_NEAR(m.phase, 20, 1e-9);
}

TEST(Accumulators, GainPhaseIsAPlainValue) {
    EXPECT_TRUE(std::is_trivially_copyable_v<CGainPhase>);
}
