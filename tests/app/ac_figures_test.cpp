// AC measures over sweeps of known transfer functions, without a circuit.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>

#include "signal_measures.h"

using veltsim::AcFigures;
using veltsim::AcMeasures;

namespace {

using Transfer = std::function<std::complex<double>(double)>;
const std::complex<double> j(0.0, 1.0);

// `h` swept over `points` frequencies spaced linearly from `from` to `to`.
AcMeasures swept(const Transfer& h, double from, double to, int points) {
    AcMeasures m;
    for (int k = 0; k < points; ++k) {
        const double f = from + (to - from) * k / (points - 1);
        m.Add(f, h(f), 1.0);
    }
    return m;
}

double db(std::complex<double> value) { return 20 * std::log10(std::abs(value)); }

}  // namespace

// Gain and phase against the reference at a sweep point and, linearly in frequency, between
// two; nothing outside the sweep.
TEST(AcMeasures, GainAndPhaseAgainstTheReferenceAtAndBetweenSweepPoints) {
    auto lowPass = [](double f) { return 1.0 / std::complex<double>(1.0, f / 1000.0); };
    AcMeasures m;
    for (double f : {100.0, 1000.0, 10000.0}) m.Add(f, 2.0 * lowPass(f), 2.0);
    double gain = 0.0;
    double phase = 0.0;
    bool interpolated = true;
    ASSERT_TRUE(m.At(1000.0 * (1 + 1e-12), gain, phase, interpolated));
    EXPECT_FALSE(interpolated);
    EXPECT_NEAR(gain, -3.0103, 1e-4);
    EXPECT_NEAR(phase, -45.0, 1e-9);
    ASSERT_TRUE(m.At(4000.0, gain, phase, interpolated));
    EXPECT_TRUE(interpolated);
    EXPECT_NEAR(gain, db(lowPass(1000)) + (db(lowPass(10000)) - db(lowPass(1000))) / 3, 1e-9);
    EXPECT_FALSE(m.At(50.0, gain, phase, interpolated));
    EXPECT_FALSE(m.At(20000.0, gain, phase, interpolated));
}

// Three poles take the phase on past -180 degrees to -270: it goes on rather than jumping to
// +180, also where a step between points is nearly half a turn.
TEST(AcMeasures, PhaseIsUnwrappedAlongTheSweep) {
    auto threePoles = [](double f) { return 1.0 / std::pow(std::complex<double>(1.0, f / 1000.0), 3); };
    const AcMeasures m = swept(threePoles, 10.0, 1e6, 2000);
    double gain = 0.0;
    double phase = 0.0;
    bool interpolated = false;
    for (double f : {1000.0, 5000.0, 100000.0, 1e6}) {
        ASSERT_TRUE(m.At(f, gain, phase, interpolated));
        EXPECT_NEAR(phase, -3 * std::atan(f / 1000.0) * 180 / std::numbers::pi, 0.5) << f;
    }
    veltsim::PhaseUnwrapper unwrap;
    EXPECT_DOUBLE_EQ(unwrap.Next(170.0), 170.0);
    EXPECT_DOUBLE_EQ(unwrap.Next(-170.0), 190.0);
    EXPECT_DOUBLE_EQ(unwrap.Next(-100.0), 260.0);
    EXPECT_DOUBLE_EQ(unwrap.Next(100.0), 100.0);
}

// A resonance has both edges and a Q; a low-pass an upper edge and a bandwidth from 0 Hz; a
// high-pass a lower edge; a loop gain its 0 dB frequency and phase margin; each figure where
// the sweep has it only.
TEST(AcMeasures, FiguresOfBandPassLowPassHighPassAndLoop) {
    const double f0 = 50e3;
    const double q = 5.0;
    auto bandPass = [&](double f) { return 0.9 / (1.0 + j * q * (f / f0 - f0 / f)); };
    const AcFigures bp = swept(bandPass, 20e3, 100e3, 8001).Figures();
    const double half = f0 / (2 * q);
    const double lower = std::sqrt(f0 * f0 + half * half) - half;
    EXPECT_NEAR(*bp.peakDb, db(0.9), 1e-6);
    EXPECT_NEAR(*bp.peakFrequency, f0, 10.0);
    EXPECT_NEAR(*bp.lowerEdge, lower, 0.05);
    EXPECT_NEAR(*bp.upperEdge, lower + 2 * half, 0.05);
    EXPECT_NEAR(*bp.bandwidth, 2 * half, 0.1);
    EXPECT_NEAR(*bp.q, q, 1e-4);
    EXPECT_FALSE(bp.unityFrequency);  // never above 0 dB

    auto lowPass = [](double f) { return 4.0 / (1.0 + j * f / 1000.0); };  // +12 dB pass band
    const AcFigures lp = swept(lowPass, 10.0, 100e3, 20001).Figures();
    EXPECT_NEAR(*lp.upperEdge, 1000.0 * std::sqrt(1 + 2 * std::pow(0.01, 2)), 0.001);  // from the level at 10 Hz
    EXPECT_EQ(lp.bandwidth, lp.upperEdge);
    EXPECT_FALSE(lp.lowerEdge);
    EXPECT_FALSE(lp.q);
    EXPECT_NEAR(*lp.unityFrequency, 1000.0 * std::sqrt(15.0), 0.01);
    EXPECT_NEAR(*lp.phaseMargin, 180.0 - std::atan(std::sqrt(15.0)) * 180 / std::numbers::pi, 1e-3);

    auto highPass = [](double f) { return (j * f / 1000.0) / (1.0 + j * f / 1000.0); };
    const AcFigures hp = swept(highPass, 10.0, 1e6, 100001).Figures();
    EXPECT_NEAR(*hp.lowerEdge, 1000.0, 0.01);
    EXPECT_FALSE(hp.upperEdge);
    EXPECT_FALSE(hp.bandwidth);
    EXPECT_FALSE(hp.q);

    const AcFigures flat = swept([](double) { return std::complex<double>(0.5); }, 10.0, 100.0, 11).Figures();
    EXPECT_NEAR(*flat.peakDb, db(0.5), 1e-12);
    EXPECT_FALSE(flat.lowerEdge || flat.upperEdge || flat.bandwidth || flat.unityFrequency);
    EXPECT_FALSE(AcMeasures().Figures().peakDb);
}
