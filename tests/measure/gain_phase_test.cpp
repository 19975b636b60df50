#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "veltutil/measure/gain_phase.h"

namespace {
CComplex Polar(double magnitude, double degrees) {
    const double angle = degrees * std::numbers::pi / 180;
    return {magnitude * std::cos(angle), magnitude * std::sin(angle)};
}
}  // namespace

TEST(CGainPhase, GainIsTheRatioOfTheDifferencesAndThePhaseUnwrapsUntilARealJump) {
    CGainPhase meter;
    double gain = 0, phase = 0;
    meter.ComputeGainAndPhase(gain, phase, {3, 1}, {1, 1}, {5, -2}, {2, 2});
    EXPECT_DOUBLE_EQ(gain, 2.5);
    meter.ComputeGainAndPhase(gain, phase, {1, 1}, {1, 1}, {0, 0}, {0, 1});
    EXPECT_EQ(gain, 0);

    meter.Reset();
    meter.ComputeGainAndPhase(gain, phase, Polar(1, -170), {}, Polar(2, 170), {});
    EXPECT_NEAR(phase, -20, 1e-9);  // 340 degrees, wrapped on the first call
    EXPECT_DOUBLE_EQ(gain, 2);

    // The reference angle falls from -20 to -80 degrees while the measured one rises from 150
    // to 170: neither wraps, but their difference moves from 170 past 180 to 250 degrees.
    meter.Reset();
    for (int k = 0; k <= 20; ++k) {
        const double a = -20.0 - 3.0 * k, b = 150.0 + k;
        meter.ComputeGainAndPhase(gain, phase, Polar(1, a), {}, Polar(1, b), {});
        EXPECT_NEAR(phase, b - a, 1e-9) << "step " << k;
    }
    // More than half a turn from the previous point is a jump: wrapped, not carried on.
    meter.ComputeGainAndPhase(gain, phase, Polar(1, 0), {}, Polar(1, 60), {});
    EXPECT_NEAR(phase, 60, 1e-9);
    meter.ComputeGainAndPhase(gain, phase, Polar(1, -150), {}, Polar(1, 170), {});
    EXPECT_NEAR(phase, -40, 1e-9);  // 320 degrees, 260 away from 60
    meter.ComputeGainAndPhase(gain, phase, Polar(1, 170), {}, Polar(1, -170), {});
    EXPECT_NEAR(phase, 20, 1e-9);  // -340 degrees, 300 away from -40
}
