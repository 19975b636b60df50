#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "signal_measures.h"

using veltsim::AcMeasures;
using veltsim::MeasureWindow;
using veltsim::TransientMeasures;

// Steps that cross an edge of the window are cut there: the window is covered exactly, with
// the values at its edges interpolated and the points inside it taken as they are; a step
// across the whole window still gives both edges.
TEST(TransientMeasures, WindowIsCoveredExactlyWithInterpolatedEdges) {
    TransientMeasures ramp(MeasureWindow{2.5, 7.5});
    for (int x = 0; x <= 10; ++x) ramp.Add(x, 2.0 * x);
    EXPECT_EQ(ramp.Points(), 7u);  // 2.5, 3 ... 7, 7.5
    EXPECT_DOUBLE_EQ(ramp.From(), 2.5);
    EXPECT_DOUBLE_EQ(ramp.To(), 7.5);
    EXPECT_DOUBLE_EQ(ramp.Min(), 5.0);
    EXPECT_DOUBLE_EQ(ramp.Max(), 15.0);

    TransientMeasures across(MeasureWindow{2.0, 3.0});
    across.Add(0.0, 0.0);
    across.Add(10.0, 10.0);
    EXPECT_EQ(across.Points(), 2u);
    EXPECT_DOUBLE_EQ(across.Min(), 2.0);
    EXPECT_DOUBLE_EQ(across.Max(), 3.0);
}

// A first-order low-pass at its corner: -3.0103 dB and -45 degrees; between two sweep points
// the values are interpolated over the logarithm of the frequency; gains are against the
// reference, not against 1.
TEST(AcMeasures, GainAndPhaseAgainstTheReferenceAtAndBetweenSweepPoints) {
    auto lowPass = [](double f) { return 1.0 / std::complex<double>(1.0, f / 1000.0); };
    AcMeasures m;
    for (double f : {100.0, 1000.0, 10000.0}) m.Add(f, 2.0 * lowPass(f), 2.0);
    double gain = 0.0;
    double phase = 0.0;
    ASSERT_TRUE(m.At(1000.0, gain, phase));
    EXPECT_NEAR(gain, -3.0103, 1e-4);
    EXPECT_NEAR(phase, -45.0, 1e-9);
    ASSERT_TRUE(m.At(std::sqrt(1000.0 * 10000.0), gain, phase));
    EXPECT_NEAR(gain, (20 * std::log10(std::abs(lowPass(1000))) + 20 * std::log10(std::abs(lowPass(10000)))) / 2, 1e-9);
    EXPECT_FALSE(m.At(50.0, gain, phase));
    EXPECT_FALSE(m.At(20000.0, gain, phase));
}
