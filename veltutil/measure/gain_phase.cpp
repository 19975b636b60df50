#include "veltutil/measure/gain_phase.h"

#include <cmath>
#include <numbers>

namespace {
double Wrap(double phi) {
    constexpr double pi = std::numbers::pi;
    if (phi > pi) return std::fmod(phi + pi, 2.0 * pi) - pi;
    if (phi < -pi) return pi - std::fmod(pi - phi, 2.0 * pi);
    return phi;
}
}  // namespace

void CGainPhase::ComputeComplexDifference(double& magnitude, double& angle, const CComplex& p,
                                          const CComplex& q) {
    const double re = p.re - q.re;
    const double im = p.im - q.im;
    magnitude = std::sqrt(re * re + im * im);
    angle = std::atan2(im, re);
}

void CGainPhase::ComputeGainAndPhase(double& gain, double& phase, const CComplex& a1, const CComplex& a2,
                                     const CComplex& b1, const CComplex& b2) {
    double magA = 0.0, angleA = 0.0, magB = 0.0, angleB = 0.0;
    ComputeComplexDifference(magA, angleA, a1, a2);
    ComputeComplexDifference(magB, angleB, b1, b2);
    gain = magA == 0.0 ? 0.0 : std::fabs(magB / magA);

    double phi = angleB - angleA;
    // Only a step of more than half a turn from the previous point is a wrap; smaller steps
    // keep the phase continuous even beyond +-pi.
    if (m_bFirst) {
        m_bFirst = 0;
        phi = Wrap(phi);
    } else if (std::fabs(phi - m_dPrevPhase) > std::numbers::pi) {
        phi = Wrap(phi);
    }
    m_dPrevPhase = phi;
    phase = phi * 180.0 * 0.3183098861837907;
}
